#include <vector>

#include "tree/tree_edits.h"

namespace tarnwick {

namespace {
void SortAndRecord(Session& s, TreeNode parent) {
  std::vector<TreeNode> before;
  for (TreeNode c = s.tree.FirstChild(parent); c != nullptr; c = s.tree.Next(c))
    before.push_back(c);
  if (before.size() < 2) return;
  s.tree.SortChildren(parent);
  s.tree_state.history.Reordered(s.tree, parent, before);
}
}  // namespace

void SortEntries(Session& s, SortWhich which) {
  if (!s.set.loaded) return;
  s.tree_state.rename_undo.Clear();
  TreeNode root = s.tree.Root();
  if (root != nullptr) {
    EditScope step(s, EditKind::kSort);
    if (which == SortWhich::kAreas) {
      SortAndRecord(s, root);
    } else {
      for (TreeNode area = s.tree.FirstChild(root); area != nullptr; area = s.tree.Next(area)) {
        SortAndRecord(s, area);
      }
    }
  }
  s.set.results_saved = false;
}

}  // namespace tarnwick
