#include "tree/tree_edits.h"

namespace tarnwick {

void SortEntries(Session& s, SortWhich which) {
  if (!s.set.loaded) return;
  s.tree_state.rename_undo.Clear();
  TreeNode root = s.tree.Root();
  if (root != nullptr) {
    if (which == SortWhich::kAreas) {
      s.tree.SortChildren(root);
    } else {
      for (TreeNode area = s.tree.FirstChild(root); area != nullptr; area = s.tree.Next(area)) {
        s.tree.SortChildren(area);
      }
    }
  }
  s.set.results_saved = false;
}

}  // namespace tarnwick
