#include "scenery/insert_tree_item.h"

namespace tarnwick {

TreeNode InsertTreeItem(Session& s, TreeNode parent, TreeNode after, std::string_view label,
                        NodeKind kind, uint32_t record, TreeNode copy) {
  TreeNode node = s.tree.Insert(parent, after, label, MakeTreeItemData(kind, record), copy);
  if (node == nullptr) return nullptr;
  s.tree_state.history.Inserted(s.tree, node, copy);
  s.tree.SetMarked(node, false);
  if (kind == NodeKind::kLocation) return node;
  if (s.host.GetBusyState() != BusyState::kIdle && !s.options.expand_initially) return node;
  if (after != nullptr && !s.tree_state.dragging) s.tree.Expand(after, true);
  s.tree.EnsureVisible(node);
  return node;
}

}  // namespace tarnwick
