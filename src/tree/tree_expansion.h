// Opening and closing Areas: automatic expansion that follows the selection, and the commands that
// expand or collapse every Area.
#pragma once

#include "scenery/expand_all.h"
#include "scenery/session.h"

namespace tarnwick {

// With AutoExpand on, the tree idle and no drag: only the Area of the new selection stays open
// among those automatic expansion opened. Part of the selection-change handling.
void ApplyAutoExpansion(Session& s, TreeNode new_node);

// Command 141: expand every Area, and Areas open as they arrive from now on.
void ExpandAllAreas(Session& s);
// Command 142: collapse every Area, and Areas arrive closed from now on.
void CollapseAllAreas(Session& s);
// Command 143: switch automatic expansion; switched on, only the selection's Area stays open.
void ToggleAutoExpand(Session& s);

}  // namespace tarnwick
