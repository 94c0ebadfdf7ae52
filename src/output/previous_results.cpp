#include "output/previous_results.h"

#include "output/original_menus.h"
#include "scenery/bgl_menu.h"
#include "scenery/menu_paths.h"
#include "scenery/menu_results.h"

namespace tarnwick {

bool ExchangeWithPreviousCopy(FileSystem& fs, const std::string& menu_bgl_path) {
  const std::string previous = PreviousCopyOf(menu_bgl_path);
  const std::string parked = ParkedResultPath(menu_bgl_path);
  // A parked file left by an exchange that was stopped is a result: it is put back first, and
  // one that cannot be is never deleted to make room.
  RecoverMenuResults(fs, menu_bgl_path);
  // Without a previous copy there is nothing to exchange: the current result stays where it is
  // rather than being parked on the way to a refused rename.
  if (fs.Exists(parked) || !fs.Exists(previous)) return false;
  const bool has_current = fs.Exists(menu_bgl_path);
  if (has_current && !fs.Rename(menu_bgl_path, parked)) return false;
  if (!fs.Rename(previous, menu_bgl_path)) {
    if (has_current) fs.Rename(parked, menu_bgl_path);
    return false;
  }
  if (has_current && !fs.Rename(parked, previous)) {
    // Both renames back, so that neither result stays under the parked name; a kill here leaves
    // what RecoverMenuResults finishes.
    if (fs.Rename(menu_bgl_path, previous)) fs.Rename(parked, menu_bgl_path);
    return false;
  }
  return true;
}

bool RestorePreviousResults(Session& s) {
  if (!s.set.loaded) return false;
  if (!BuildMenuPaths(s)) return false;
  const std::string previous = PreviousCopyPath(s.set);
  if (!s.fs.IsWritable(previous)) return false;
  if (!s.set.results_saved && !s.host.Confirm("Restore previous settings without saving these?")) {
    return false;
  }
  // The menus are switched as "Disable original menus" does before the results change places,
  // and the previous result is switched on before it takes the current name: a restore that
  // stops or fails at any step leaves each Location shown once.
  MenuSwitchOutcome switched = SwitchOriginalMenus(s, true, false);
  if (switched.end == SwitchJobEnd::kStopped || !s.set.loaded) {
    FinishMenuSwitch(s);
    return false;
  }
  if (switched.end == SwitchJobEnd::kFailed) return false;
  uint32_t error = 0;
  std::optional<MenuSwitchState> state = ReadMenuSwitch(s.fs, previous, error);
  if (state && state->byte == 0)
    error = WriteMenuSwitch(s.fs, previous, [](const BglHeader&) { return 1; });
  bool restored = false;
  if (error != 0) {
    s.host.ShowMessage(error, "switching on the menu of " + previous + "! Nothing was restored.");
  } else if (!ExchangeWithPreviousCopy(s.fs, s.set.menu_bgl_path)) {
    // Nothing was exchanged: the current result stays the one shown.
    s.host.ShowMessage(s.fs.LastError(), "exchanging Menu BGL with previous results!");
  } else {
    restored = true;
  }
  // The menus were switched: the set is read again whatever came of the exchange.
  FinishMenuSwitch(s);
  return restored;
}

}  // namespace tarnwick
