#include "scenery/expand_all.h"

namespace tarnwick {

void ExpandAll(Session& s, bool expand) {
  TreeNode root = s.tree.Root();
  if (root != nullptr) {
    // Collapsing the selection's Area moves the selection to it; automatic expansion must not
    // open it again halfway through.
    s.tree_state.expanding_all = true;
    s.tree.Expand(root, true);
    for (TreeNode area = s.tree.FirstChild(root); area != nullptr; area = s.tree.Next(area)) {
      s.tree.Expand(area, expand);
    }
    s.tree_state.expanding_all = false;
    TreeNode target = s.tree.Selected();
    if (!expand && target != nullptr && KindOf(s.tree.Data(target)) == NodeKind::kLocation) {
      target = s.tree.Parent(target);
    }
    if (target == nullptr) target = root;
    s.tree.Select(target);
    s.tree.EnsureVisible(target);
  }
  s.tree_state.auto_expanded_area = nullptr;
}

}  // namespace tarnwick
