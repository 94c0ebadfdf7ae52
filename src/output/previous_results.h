// Restoring the previous result: the current generated menu BGL and its previous-results copy
// change places, the restored menu is made the one the simulator shows, and the set is scanned
// again.
#pragma once

#include "scenery/session.h"

namespace tarnwick {

// The command "Restore previous results" on a loaded set. Does nothing (false) without a loaded
// set, without a writable previous copy, or when the user declines to lose unsaved edits; an
// exchange that cannot be made is reported, changes nothing and returns false as well.
bool RestorePreviousResults(Session& s);

// Exchanges the menu BGL and its previous copy through a third name ("New"), after finishing or
// undoing an exchange that was interrupted. True when the two changed places; otherwise both are
// where they were.
bool ExchangeWithPreviousCopy(FileSystem& fs, const std::string& menu_bgl_path);

}  // namespace tarnwick
