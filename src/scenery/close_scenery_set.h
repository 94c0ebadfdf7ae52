// Closing the open scenery set: the model, the tree and the VIS rows are emptied together.
#pragma once

#include "scenery/session.h"

namespace tarnwick {

// Frees the model and resets its counters and indicators, resets the status counts, empties the
// tree (through the host, which replaces the tree pane) and the VIS rows, and updates the menu
// state. `full` is for the program's close path only: the tree pane then goes for good.
void CloseScenerySet(Session& s, bool full);

}  // namespace tarnwick
