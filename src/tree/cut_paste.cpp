#include <algorithm>
#include <vector>

#include "tree/drag_drop.h"
#include "tree/tree_edits.h"

namespace tarnwick {

namespace {
// Every node below the root in tree order.
std::vector<TreeNode> AllNodes(const MenuTree& tree) {
  std::vector<TreeNode> nodes;
  TreeNode root = tree.Root();
  if (root == nullptr) return nodes;
  for (TreeNode a = tree.FirstChild(root); a != nullptr; a = tree.Next(a)) {
    nodes.push_back(a);
    for (TreeNode l = tree.FirstChild(a); l != nullptr; l = tree.Next(l)) nodes.push_back(l);
  }
  return nodes;
}

bool Within(const MenuTree& tree, TreeNode node, TreeNode ancestor) {
  for (TreeNode n = node; n != nullptr; n = tree.Parent(n)) {
    if (n == ancestor) return true;
  }
  return false;
}
}  // namespace

size_t CutItems(Session& s) {
  std::vector<TreeNode>& cut = s.tree_state.cut;
  cut.clear();
  if (s.set.loaded) {
    for (TreeNode n : AllNodes(s.tree)) {
      // A Location whose Area is cut goes with it.
      if (s.tree.Marked(n) && std::find(cut.begin(), cut.end(), s.tree.Parent(n)) == cut.end()) {
        cut.push_back(n);
      }
    }
    TreeNode selected = s.tree.Selected();
    if (cut.empty() && selected != nullptr && s.tree.Parent(selected) != nullptr) {
      cut.push_back(selected);
    }
  }
  if (cut.empty()) s.host.Beep();
  return cut.size();
}

TreeNode PasteItems(Session& s) {
  std::vector<TreeNode> items = s.tree_state.cut;
  TreeNode target = s.tree.Selected();
  bool refused = !s.set.loaded || items.empty() || target == nullptr;
  for (TreeNode item : items) refused = refused || Within(s.tree, target, item);
  if (refused) {
    s.host.Beep();
    return nullptr;
  }
  s.tree_state.cut.clear();
  TreeNode last = nullptr;
  {
    EditScope step(s, EditKind::kPaste);
    for (TreeNode item : items) {
      // Each later item follows the one pasted before it when they are of one kind, so the items
      // keep their order.
      TreeNode onto =
          last != nullptr && KindOf(s.tree.Data(last)) == KindOf(s.tree.Data(item)) ? last : target;
      TreeNode moved = DropOnto(s, item, onto, false);
      if (moved != nullptr) last = moved;
    }
    if (last != nullptr) {
      s.set.results_saved = false;
      // Only the pasted result keeps marks, as after a drop: no selection clears them all first.
      s.tree_state.command_selects = true;
      s.tree.Select(nullptr);
      s.tree.Select(last);
      s.tree_state.command_selects = false;
      s.tree.EnsureVisible(last);
    }
  }
  if (last == nullptr) s.host.Beep();
  return last;
}

}  // namespace tarnwick
