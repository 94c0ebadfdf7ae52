// The rows of the details pane: which rows the selected tree item gets, and each row's label,
// picture and value text, produced afresh from the records and the tree labels.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/menu_tree.h"
#include "scenery/scenery_set.h"

namespace tarnwick {

constexpr size_t kDetailRowCount = 15;

// Labels end in two blanks, as the header does.
constexpr std::array<std::string_view, kDetailRowCount> kDetailRowLabels = {
    "VIS full pathname  ",
    "VIS scenery selection  ",
    "VIS scenery path  ",
    "Menu area description  ",
    "Source BGL file  ",
    "Location description  ",
    "Latitude  ",
    "Longitude  ",
    "Altitude (feet)  ",
    "Heading (degrees)  ",
    "COM1 frequency  ",
    "NAV1 frequency  ",
    "OBI1 setting (degrees)  ",
    "NAV2 frequency  ",
    "OBI2 setting (degrees)  "};

// The rows of the Location's own values: only these can be edited.
constexpr int kFirstEditableDetailRow = 5;
// The last row shown for a Location without and with the additional fields.
constexpr int kLastBasicDetailRow = 9;
constexpr int kLastDetailRow = 14;

inline constexpr char kMissingDataText[] = "<MISSING DATA>";
inline constexpr char kAreaAddedText[] = "<area added here>";
inline constexpr char kLocationAddedText[] = "<location added here>";

// The number of rows shown for a tree item (nullptr: nothing selected): none, 1 for the root, 4
// for an Area, 10 or (with the additional fields) 15 for a Location.
int DetailRowCount(TreeNode node, TreeItemData data, bool show_all_fields);

// The row's picture: 0 (root: rows 0 and 1), 1 (Area: rows 2 to 4) or 2 (Location), the tree's
// own pictures.
int DetailRowIcon(int row);

// The value text of `row` for the tree item `node`, from the current records and labels.
std::string DetailRowValue(const ScenerySet& set, const MenuTree& tree, TreeNode node, int row,
                           bool fractional_minutes);

}  // namespace tarnwick
