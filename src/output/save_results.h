// Saving results: the edited menu written as the generated menu BGL, its entry in the VIS file,
// and the menus of the source BGLs switched off, keeping the menu BGL of the save before as the
// previous-results copy.
#pragma once

#include "scenery/session.h"

namespace tarnwick {

// With `warn`, asks through the warning box first when a generated menu was seen and has since
// been switched off (a save would replace work that is not shown); false when the user declines.
// With `ask_only` nothing more happens; otherwise the save runs behind the progress box.
bool SaveResults(Session& s, bool warn, bool ask_only);

// The save itself; true when the menu BGL, the VIS file and the source menus were all dealt with.
// Failures are reported through ShowMessage; a save that fails leaves the results and every menu
// switch as they were (its VIS entry may stay added).
bool WriteResults(Session& s);

}  // namespace tarnwick
