// The menu check: what in the menu the simulator would show wrongly or not at all, found over the
// whole tree at once. The same answer serves the check list of the window and tarnwick-cli check.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/menu_tree.h"
#include "scenery/scenery_set.h"

namespace tarnwick {

// In the order a problem at one item is listed.
enum class ProblemKind {
  kDuplicateLocation,
  kDuplicateArea,
  kRepeatedLocation,
  kLongTitle,
  kEmptyArea,
  kSceneryOff,
  kOutOfRange,
};
constexpr size_t kProblemKindCount = 7;
constexpr std::array<ProblemKind, kProblemKindCount> kAllProblemKinds = {
    ProblemKind::kDuplicateLocation, ProblemKind::kDuplicateArea, ProblemKind::kRepeatedLocation,
    ProblemKind::kLongTitle,         ProblemKind::kEmptyArea,     ProblemKind::kSceneryOff,
    ProblemKind::kOutOfRange,
};

// "duplicate-location", "long-title", ...: the names scripts read.
std::string_view ProblemKindName(ProblemKind kind);

// One Area or Location a problem names. The node is the tree's at the time of the check; the data
// finds the item again after edits have re-created nodes.
struct ProblemItem {
  TreeNode node = nullptr;
  TreeItemData data = 0;
  std::string area;      // the Area's title (the Location's Area for a Location)
  std::string location;  // the Location's description; empty for an Area
  bool is_location = false;
};

struct MenuProblem {
  ProblemKind kind = ProblemKind::kDuplicateLocation;
  std::vector<ProblemItem> items;  // in tree order
  std::string detail;              // what is wrong, for a person
  std::string field;               // out-of-range: "latitude", "altitude", "COM1", ...
};

struct MenuCheckSettings {
  // Locations closer than this (great-circle) with headings as close as below are one place.
  double within_metres = 100.0;
  // Positions are quoted as the details pane shows them.
  bool fractional_minutes = false;
};

// Every problem of the menu, ordered by the tree position of its first item (an Area before its
// Locations), then by kind, then by field.
std::vector<MenuProblem> CheckMenu(const MenuTree& tree, const ScenerySet& set,
                                   const MenuCheckSettings& settings = {});

// The number of problems of each kind, indexed by the kind's number.
std::array<size_t, kProblemKindCount> CountProblems(const std::vector<MenuProblem>& problems);

// The node of an item now: the checked node when it is still in the tree with the same data,
// otherwise the first node carrying the data; nullptr when the item has gone.
TreeNode FindProblemItem(const MenuTree& tree, const ProblemItem& item);

// Marks exactly the listed items, so that the commands on the marked items act on them, and
// unmarks the rest; a marked Area brings its Locations, as a click on it does.
void MarkProblemItems(MenuTree& tree, const std::vector<MenuProblem>& problems);

// A hash of everything the check reads: the tree's titles and order, the Locations' fields and
// scenery areas, the VIS selections. A view of the check looks again only when it changes, which
// catches every kind of edit without each edit having to say so.
uint64_t MenuCheckFingerprint(const MenuTree& tree, const ScenerySet& set);

// The longest Area title the saved menu keeps.
constexpr size_t kSavedTitleLength = 20;

}  // namespace tarnwick
