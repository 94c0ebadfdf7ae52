// Switching the menus of the source BGLs back on or off again, folder by folder as the VIS file
// lists them. A generated menu BGL met on the way is switched the other way, so that the simulator
// shows either the original menus or the generated one.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "scenery/session.h"
#include "scenery/switch_job.h"

namespace tarnwick {

// What came of switching menus.
struct MenuSwitchOutcome {
  int written = 0;  // switch bytes changed
  // kFailed: a file could not be read or switched (reported); kStopped: cancelled. Either way every
  // menu is as it was before.
  SwitchJobEnd end = SwitchJobEnd::kDone;
};

// The numbers (from 1) of the VIS entries a switch visits: the active ones, or with
// `changed_only` those whose on/off selection differs from the file.
std::vector<int32_t> EntriesToSwitch(const ScenerySet& set, bool changed_only);

// Visits the folders of `entries` behind its own progress box and switches the menu of every BGL
// found whose switch stands the other way, the generated menus first: all of them or, when one
// cannot be switched or the user cancels, none. `changed_only` names the job in the progress box
// and the log.
MenuSwitchOutcome SwitchMenusOf(Session& s, bool disable, bool changed_only,
                                const std::vector<int32_t>& entries);

// SwitchMenusOf the entries EntriesToSwitch gives.
MenuSwitchOutcome SwitchOriginalMenus(Session& s, bool disable, bool changed_only);

// After menus were switched: a loaded set is scanned again (and the progress box closed); VIS
// entries read only for the switch are dropped. True when a set is loaded afterwards.
bool FinishMenuSwitch(Session& s);

// The commands "Enable original menus" and "Disable original menus". Without a loaded set the user
// chooses a VIS file, which is read without a scan and dropped afterwards. The number of switch
// bytes written, or nothing when no file was chosen, it could not be read, or the switch failed
// (reported) or was cancelled.
std::optional<int> RunOriginalMenusCommand(Session& s, bool disable);

}  // namespace tarnwick
