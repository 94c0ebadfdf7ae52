// Importing a menu text file: the file's Locations matched with the menu's own, so that a value
// whose text was not changed keeps its stored value exactly, and the tree replaced with the
// file's menu in one step.
#pragma once

#include <string>
#include <vector>

#include "details/menu_text.h"
#include "scenery/session.h"

namespace tarnwick {

struct PlannedLocation {
  std::string description;
  uint32_t record = 0;  // a record kept as it is, or 0 for a new one
  MenuLocation values;  // of a new record (its area_index is the new Area's)
};

struct PlannedArea {
  std::string title;
  uint32_t record = 0;  // 0: a new record
  int32_t vis_index = 0;
  std::vector<PlannedLocation> locations;
};

struct MenuImportPlan {
  std::vector<PlannedArea> areas;
  std::vector<MenuTextProblem> problems;  // in the order of their places in the file
  size_t new_areas = 0;
  size_t new_locations = 0;
  bool HasErrors() const;
};

// Works out the menu the file describes, against the open set and its tree. A Location of the
// file is matched with one of the tree (by its source, description and position, then by two of
// them); a value of a matched Location whose text says what its stored value says keeps that
// value, and any other text is checked and stored as the details pane stores it. The source names
// a menu BGL of the set, or none; a Location keeps its scenery area where its source is
// unchanged. Records that stay as they were are used again; the rest are made new, and a menu
// that would need more record numbers than there are is an error. Nothing is changed.
MenuImportPlan PlanMenuImport(const ScenerySet& set, const MenuTree& tree, MenuText text);

// Replaces the tree's Areas and Locations with the plan's, making its new records: the one call
// that changes anything. The menu then counts as not saved. Does nothing for a plan with errors.
void ReplaceMenu(Session& s, const MenuImportPlan& plan);

}  // namespace tarnwick
