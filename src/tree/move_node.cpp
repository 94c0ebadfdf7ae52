#include "scenery/insert_tree_item.h"
#include "tree/tree_edits.h"

namespace tarnwick {

namespace {
constexpr char kMergeQuestion[] =
    "Proceed to merge areas? (Dragged one will be lost, but all attachments moved).";

TreeNode LastChild(const MenuTree& tree, TreeNode node) {
  TreeNode last = nullptr;
  for (TreeNode c = tree.FirstChild(node); c != nullptr; c = tree.Next(c)) last = c;
  return last;
}

// Re-creates each child of `from` under `to` after `after`, in order; returns the last one made.
TreeNode CopyLocations(Session& s, TreeNode from, TreeNode to, TreeNode after) {
  for (TreeNode c = s.tree.FirstChild(from); c != nullptr; c = s.tree.Next(c)) {
    TreeNode made = InsertTreeItem(s, to, after, s.tree.Label(c), NodeKind::kLocation,
                                   RecordOf(s.tree.Data(c)));
    if (made != nullptr) after = made;
  }
  return after;
}
}  // namespace

TreeNode MoveNode(Session& s, TreeNode node, TreeNode parent, TreeNode after) {
  if (node == nullptr) return nullptr;
  EditScope step(s, EditKind::kMove);
  TreeItemData data = s.tree.Data(node);
  NodeKind kind = KindOf(data);
  // An Area is made with the old node's state so that it keeps its expanded state.
  TreeNode made = InsertTreeItem(s, parent, after, s.tree.Label(node), kind, RecordOf(data),
                                 kind == NodeKind::kArea ? node : nullptr);
  if (made == nullptr) return nullptr;
  if (kind == NodeKind::kArea) CopyLocations(s, node, made, nullptr);
  // The Area that automatic expansion opened is still the one open, under its new node.
  bool was_auto_expanded = s.tree_state.auto_expanded_area == node;
  RemoveTreeNode(s, node);
  if (was_auto_expanded) s.tree_state.auto_expanded_area = made;
  return made;
}

bool MergeAreas(Session& s, TreeNode target, TreeNode source) {
  if (target == nullptr || source == nullptr || target == source) return false;
  if (KindOf(s.tree.Data(target)) != NodeKind::kArea ||
      KindOf(s.tree.Data(source)) != NodeKind::kArea) {
    return false;
  }
  if (!s.host.Confirm(kMergeQuestion)) return false;
  EditScope step(s, EditKind::kMerge);
  ++s.set.deleted_area_count;
  ShowAreaCount(s);
  CopyLocations(s, source, target, LastChild(s.tree, target));
  RemoveTreeNode(s, source);
  return true;
}

}  // namespace tarnwick
