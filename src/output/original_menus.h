// Switching the menus of the source BGLs back on or off again, folder by folder as the VIS file
// lists them. A generated menu BGL met on the way is switched the other way, so that the simulator
// shows either the original menus or the generated one.
#pragma once

#include <optional>

#include "scenery/session.h"

namespace tarnwick {

// Visits the folders of the active VIS entries (with `changed_only`: of the entries whose on/off
// selection differs from the file) behind its own progress box and writes the menu switch byte of
// every BGL found. Returns the number of switch bytes written. A cancel stops after the current
// file; the bytes written stay written.
int SwitchOriginalMenus(Session& s, bool disable, bool changed_only);

// After menus were switched: a loaded set is scanned again (and the progress box closed); VIS
// entries read only for the switch are dropped. True when a set is loaded afterwards.
bool FinishMenuSwitch(Session& s);

// The commands "Enable original menus" and "Disable original menus". Without a loaded set the user
// chooses a VIS file, which is read without a scan and dropped afterwards. The number of switch
// bytes written, or nothing when no file was chosen or it could not be read.
std::optional<int> RunOriginalMenusCommand(Session& s, bool disable);

}  // namespace tarnwick
