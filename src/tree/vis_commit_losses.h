// What committing the VIS selections takes out of a loaded set's menu. The commit saves the menu
// and scans the set again; that scan leaves out every Location whose scenery area is no longer
// active, and every Area left without Locations. Switched on again later, an area brings back
// its original menu, not the edited one.
#pragma once

#include <string>

#include "platform/menu_tree.h"
#include "scenery/scenery_set.h"

namespace tarnwick {

struct VisCommitLosses {
  int locations = 0;  // Locations of the menu that drop out
  // Areas made here (by the user, or read from the generated menu) that lose all their Locations
  // with them; a switched-off area's own Areas are not counted, they come back with it.
  int areas_made_here = 0;
};

// The Locations of `tree` that are in the menu through an active scenery area now but through
// none once the working selections are stored, and the user's Areas that empty with them.
VisCommitLosses CountVisCommitLosses(const ScenerySet& set, const MenuTree& tree);

// The question asked before committing: that of VisCommitQuestion, preceded by what drops out of
// the menu when anything does.
std::string VisCommitQuestionText(const ScenerySet& set, const MenuTree& tree);

}  // namespace tarnwick
