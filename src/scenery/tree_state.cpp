#include "scenery/tree_state.h"

#include <vector>

namespace tarnwick {

namespace {
bool Within(const MenuTree& tree, TreeNode node, TreeNode ancestor) {
  for (TreeNode n = node; n != nullptr; n = tree.Parent(n)) {
    if (n == ancestor) return true;
  }
  return false;
}
}  // namespace

void TreeState::ForgetNodes() {
  dragging = false;
  dragged = nullptr;
  auto_expanded_area = nullptr;
  selection_shown = nullptr;
  expanding_all = false;
  rename_undo.Clear();
  history.Clear();
  cut.clear();
  search.best_length = 0;
  search.best_item = nullptr;
  search.start_item = nullptr;
  search.searching = false;
}

void TreeState::ForgetNodesIn(const MenuTree& tree, TreeNode node) {
  if (node == nullptr) return;
  if (Within(tree, dragged, node)) dragged = nullptr;
  if (Within(tree, auto_expanded_area, node)) auto_expanded_area = nullptr;
  if (Within(tree, selection_shown, node)) selection_shown = nullptr;
  if (Within(tree, rename_undo.node, node)) rename_undo.Clear();
  if (Within(tree, search.best_item, node)) search.best_item = nullptr;
  if (Within(tree, search.start_item, node)) search.start_item = nullptr;
  std::erase_if(cut, [&](TreeNode c) { return Within(tree, c, node); });
}

}  // namespace tarnwick
