// The menu as a text file the user edits elsewhere: CSV as spreadsheets write it, one row per
// Location in the tree's order, and the JSON of `tarnwick-cli menu --json`, which carries every
// stored value. Reading gives the Locations with the place of each cell, and every problem found.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "details/csv_table.h"
#include "details/menu_values_text.h"
#include "platform/menu_tree.h"
#include "scenery/scenery_set.h"

namespace tarnwick {

// The header row of a menu CSV file, in its order.
inline constexpr std::array<std::string_view, 12> kMenuCsvColumns = {
    "Area", "Location", "Latitude", "Longitude", "Altitude (feet)", "Heading (degrees)", "COM1",
    "NAV1", "OBI1",     "NAV2",     "OBI2",      "Source"};

// The menu of the tree as CSV: the header, then each Location with its Area's title, its values
// in the angle style chosen and its source BGL (empty for one added in the program). Titles are
// turned from the code page into UTF-8.
std::string MenuCsv(const ScenerySet& set, const MenuTree& tree, bool fractional_minutes);

struct MenuTextProblem {
  TextPlace place;
  std::string what;
  bool warning = false;  // imported all the same
};

// One Location as the file gives it. Titles and the source are code page bytes.
struct TextLocation {
  TextPlace place;  // the row, or the Location's object
  bool starts_area = false;
  std::string area_title;
  TextPlace area_place;
  std::string description;
  std::string source;
  // From CSV: the value texts and their places. From JSON: the stored values themselves.
  bool stored = false;
  bool incomplete = false;  // a row without all its cells (reported): its values are not read
  LocnFields fields;
  std::array<std::string, kMenuValueCount> texts;
  std::array<TextPlace, kMenuValueCount> text_places;
};

struct MenuText {
  std::vector<TextLocation> locations;
  std::vector<MenuTextProblem> problems;
  bool HasErrors() const;
};

// The most Locations a menu can hold: their record numbers fit 16 bits.
constexpr size_t kMaxMenuLocations = kMaxRecordNumber;

// Reads a menu CSV file. Every bad cell is a problem with its place; titles longer than the
// saved menu keeps are warnings.
MenuText ReadMenuCsv(std::string_view bytes);
// Reads the JSON of `tarnwick-cli menu --json`: its "areas", each with "title" and "locations",
// each Location with "description", "bgl" and the stored values "latitude" to "obi2".
MenuText ReadMenuJson(std::string_view bytes);
// Reads either, by its first character: JSON starts with '{'.
MenuText ReadMenuText(std::string_view bytes);

// "FILE:LINE:COLUMN: what" (warnings say so after the place).
std::string FormatMenuTextProblem(std::string_view file, const MenuTextProblem& problem);

// The longest titles the saved menu keeps.
constexpr size_t kSavedAreaTitle = 20;
constexpr size_t kSavedLocationTitle = 40;

}  // namespace tarnwick
