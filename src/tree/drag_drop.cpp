#include "tree/drag_drop.h"

#include "tree/tree_edits.h"

namespace tarnwick {

void BeginItemDrag(Session& s, TreeNode node) {
  s.tree_state.rename_undo.Clear();
  s.tree_state.dragged = node;
  s.tree_state.dragging = true;
  // Undoing the drop puts back the selection and marks from before the drag, which clears them.
  s.tree_state.history.HoldSelection(s.tree);
  s.tree.Select(nullptr);
}

TreeNode DropOnto(Session& s, TreeNode dragged, TreeNode target, bool shift) {
  if (dragged == nullptr || target == nullptr) return nullptr;
  NodeKind d = KindOf(s.tree.Data(dragged));
  NodeKind t = KindOf(s.tree.Data(target));
  TreeNode root = s.tree.Root();
  if (t == NodeKind::kArea && d == NodeKind::kArea) {
    if (!shift) return MoveNode(s, dragged, root, target);
    if (dragged != target) MergeAreas(s, target, dragged);
    return target;
  }
  if (t == NodeKind::kArea && d == NodeKind::kLocation) {
    return MoveNode(s, dragged, target, nullptr);
  }
  if (t == NodeKind::kLocation && d == NodeKind::kLocation) {
    return MoveNode(s, dragged, s.tree.Parent(target), target);
  }
  if (t == NodeKind::kRoot && d == NodeKind::kArea) return MoveNode(s, dragged, root, nullptr);
  return nullptr;
}

TreeNode DropItem(Session& s, TreeNode target, bool shift) {
  TreeState& ts = s.tree_state;
  if (!ts.dragging) return nullptr;
  // Every drop counts as a change, even one that moves nothing.
  s.set.results_saved = false;
  TreeNode selected = nullptr;
  {
    EditScope step(s, EditKind::kDrop);
    selected = DropOnto(s, ts.dragged, target, shift);
    // Still dragging while the result is selected, so only it (with an Area's Locations) is
    // marked.
    if (selected != nullptr) {
      s.tree.Select(selected);
      s.tree.EnsureVisible(selected);
    }
  }
  s.tree_state.history.DropHeldSelection();
  ts.dragging = false;
  ts.dragged = nullptr;
  return selected;
}

void CancelItemDrag(Session& s) {
  s.tree_state.history.DropHeldSelection();
  s.tree_state.dragging = false;
  s.tree_state.dragged = nullptr;
}

}  // namespace tarnwick
