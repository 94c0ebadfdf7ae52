#include "scenery/close_scenery_set.h"

namespace tarnwick {

void CloseScenerySet(Session& s, bool full) {
  s.set.Close();
  // The nodes the tree pane keeps (automatic expansion, the rename undo, the search position) go
  // with the tree.
  s.tree_state.ForgetNodes();
  s.host.ResetStatusCounts();
  if (s.tree.Count() > 0 || full) s.host.ClearTree(s.tree, full);
  s.host.ClearVisRows();
  s.host.UpdateMenuState();
}

}  // namespace tarnwick
