#include "scenery/menu_results.h"

namespace tarnwick {

void RecoverMenuResults(FileSystem& fs, const std::string& menu_bgl) {
  // Written under these names only until complete and then never needed again: a result always
  // has another copy under a name of its own.
  const std::string writing = MenuBglWritingPath(menu_bgl);
  const std::string copying = PreviousCopyWritingPath(menu_bgl);
  if (fs.Exists(writing)) fs.Delete(writing);
  if (fs.Exists(copying)) fs.Delete(copying);

  const std::string parked = ParkedResultPath(menu_bgl);
  if (!fs.Exists(parked)) return;
  const std::string previous = menu_bgl + "Prev";
  if (!fs.Exists(menu_bgl)) {
    // Stopped before the previous copy took the current name: the exchange is undone.
    fs.Rename(parked, menu_bgl);
  } else if (!fs.Exists(previous)) {
    // Stopped after it: the parked result becomes the previous copy, as the exchange meant.
    fs.Rename(parked, previous);
  }
  // All three present is no state of ours: nothing is deleted, and the exchange refuses to run.
}

}  // namespace tarnwick
