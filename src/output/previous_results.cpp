#include "output/previous_results.h"

#include "output/original_menus.h"
#include "scenery/menu_paths.h"

namespace tarnwick {

void ExchangeWithPreviousCopy(FileSystem& fs, const std::string& menu_bgl_path) {
  std::string previous = menu_bgl_path + "Prev";
  std::string parked = menu_bgl_path + "New";
  fs.Delete(parked);
  bool current_parked = fs.Rename(menu_bgl_path, parked);
  if (!fs.Rename(previous, menu_bgl_path)) {
    // Put the current result back rather than leave it under the name the next exchange deletes.
    if (current_parked) fs.Rename(parked, menu_bgl_path);
    return;
  }
  fs.Rename(parked, previous);
}

bool RestorePreviousResults(Session& s) {
  if (!s.set.loaded) return false;
  BuildMenuPaths(s);
  if (!s.fs.IsWritable(PreviousCopyPath(s.set))) return false;
  if (!s.set.results_saved && !s.host.Confirm("Restore previous settings without saving these?")) {
    return false;
  }
  ExchangeWithPreviousCopy(s.fs, s.set.menu_bgl_path);
  SwitchOriginalMenus(s, true, false);
  FinishMenuSwitch(s);
  return true;
}

}  // namespace tarnwick
