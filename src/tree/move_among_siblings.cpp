#include "tree/tree_edits.h"

namespace tarnwick {

bool MoveAmongSiblings(Session& s, bool up) {
  TreeNode selected = s.tree.Selected();
  TreeNode parent = s.tree.Parent(selected);
  TreeNode neighbour = up ? s.tree.Previous(selected) : s.tree.Next(selected);
  if (!s.set.loaded || selected == nullptr || parent == nullptr || neighbour == nullptr) {
    s.host.Beep();
    return false;
  }
  EditScope step(s, EditKind::kMove);
  TreeNode after = up ? s.tree.Previous(neighbour) : neighbour;
  TreeNode moved = MoveNode(s, selected, parent, after);
  if (moved == nullptr) return false;
  s.tree.Select(moved);
  s.tree.EnsureVisible(moved);
  s.set.results_saved = false;
  return true;
}

}  // namespace tarnwick
