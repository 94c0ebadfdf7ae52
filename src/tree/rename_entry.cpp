#include "tree/tree_edits.h"

namespace tarnwick {

namespace {
bool KindMatches(NodeKind have, EntryKind want) {
  return want == EntryKind::kAny || (want == EntryKind::kArea && have == NodeKind::kArea) ||
         (want == EntryKind::kLocation && have == NodeKind::kLocation);
}
}  // namespace

void RenameEntry(Session& s, EntryKind kind) {
  TreeNode selected = s.tree.Selected();
  if (selected == nullptr || s.tree.Parent(selected) == nullptr) return;
  if (!KindMatches(KindOf(s.tree.Data(selected)), kind)) return;
  s.tree.EnsureVisible(selected);
  s.tree.EditLabel(selected);
}

bool BeginRename(Session& s, TreeNode node) {
  if (node == nullptr || KindOf(s.tree.Data(node)) == NodeKind::kRoot) return true;
  RenameUndo& undo = s.tree_state.rename_undo;
  undo.available = true;
  undo.node = node;
  undo.text = s.tree.Label(node).substr(0, kMaxLabel);
  return false;
}

std::optional<std::string> EndRename(Session& s, TreeNode node,
                                     std::optional<std::string_view> text) {
  if (node == nullptr) return std::nullopt;
  NodeKind kind = KindOf(s.tree.Data(node));
  if (kind != NodeKind::kArea && kind != NodeKind::kLocation) return std::nullopt;
  // A cancelled edit still counts as a change, as it always has.
  s.set.results_saved = false;
  s.host.QueueDetailsRefresh();
  if (!text) return std::nullopt;
  size_t limit = kind == NodeKind::kArea ? kMaxAreaTitle : kMaxLocationTitle;
  std::string label(text->substr(0, limit));
  EditScope step(s, EditKind::kRename);
  std::string before = s.tree.Label(node);
  s.tree.SetLabel(node, label);
  s.tree_state.history.Relabelled(s.tree, node, before);
  return label;
}

}  // namespace tarnwick
