#include "tree/tree_edits.h"

namespace tarnwick {

namespace {
constexpr char kDeleteQuestion[] = "Proceed to delete item and any attachments?";

int32_t CountChildren(const MenuTree& tree, TreeNode node) {
  int32_t n = 0;
  for (TreeNode c = tree.FirstChild(node); c != nullptr; c = tree.Next(c)) ++n;
  return n;
}
}  // namespace

void DeleteEntry(Session& s, EntryKind kind) {
  TreeNode selected = s.tree.Selected();
  TreeNode parent = s.tree.Parent(selected);
  if (selected == nullptr || parent == nullptr) return;
  s.tree_state.rename_undo.Clear();
  NodeKind have = KindOf(s.tree.Data(selected));
  if ((kind == EntryKind::kArea && have != NodeKind::kArea) ||
      (kind == EntryKind::kLocation && have != NodeKind::kLocation)) {
    s.host.Beep();
    return;
  }

  // Stay close to where the user was: the next entry, else the next Area, else the one above,
  // else the parent.
  TreeNode successor = s.tree.Next(selected);
  if (successor == nullptr) successor = s.tree.Next(parent);
  if (successor == nullptr) successor = s.tree.Previous(selected);
  if (successor == nullptr) successor = parent;

  if (!s.host.Confirm(kDeleteQuestion)) return;
  EditScope step(s, EditKind::kDelete);
  s.tree.Select(successor);
  if (have == NodeKind::kArea) s.set.deleted_location_count += CountChildren(s.tree, selected);
  RemoveTreeNode(s, selected);
  if (have == NodeKind::kArea) {
    ++s.set.deleted_area_count;
    ShowAreaCount(s);
  } else {
    ++s.set.deleted_location_count;
  }
  ShowLocationCount(s);
  s.tree.EnsureVisible(successor);
  s.set.results_saved = false;
}

}  // namespace tarnwick
