// Opening or closing every Area at once: the scan closes a large menu this way, and the tree's
// commands build on it.
#pragma once

#include "scenery/session.h"

namespace tarnwick {

// Opens the root and opens or closes every Area; a Location whose Area closes gives the selection
// to its Area, no selection gives it to the root. AutoExpandedArea becomes none.
void ExpandAll(Session& s, bool expand);

}  // namespace tarnwick
