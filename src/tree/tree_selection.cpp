#include "tree/tree_selection.h"

#include "tree/search.h"
#include "tree/tree_expansion.h"

namespace tarnwick {

namespace {

// One node of the walk in tree order: the state carried from node to node.
struct MarkWalk {
  MenuTree& tree;
  TreeNode old_node;
  TreeNode new_node;
  KeyState keys;
  bool in_range = false;
  bool inside_marked_area = false;

  void Visit(TreeNode x) {
    bool candidate = in_range || x == new_node || (x == old_node && keys.shift);
    bool is_area = KindOf(tree.Data(x)) == NodeKind::kArea;
    if (is_area) inside_marked_area = false;
    if (candidate || inside_marked_area) {
      tree.SetMarked(x, true);
      if (is_area) inside_marked_area = true;
    } else if (!keys.ctrl) {
      tree.SetMarked(x, false);
    }
    if ((!keys.shift && x == new_node) || old_node == nullptr || new_node == nullptr) {
      in_range = false;
    } else if (!in_range) {
      in_range = candidate;
    } else if (x == new_node || x == old_node) {
      in_range = false;
    }
  }
};

}  // namespace

void MarkItems(MenuTree& tree, TreeNode old_node, TreeNode new_node, KeyState keys) {
  if (!keys.shift && !keys.ctrl) {
    // A plain click marks the new node (an Area with its Locations) and nothing else: only the
    // marks need changing, whatever the size of the tree.
    const bool area = new_node != nullptr && KindOf(tree.Data(new_node)) == NodeKind::kArea;
    for (TreeNode m : tree.MarkedNodes()) {
      if (m != new_node && !(area && tree.Parent(m) == new_node)) tree.SetMarked(m, false);
    }
    if (new_node != nullptr) tree.SetMarked(new_node, true);
    if (area) {
      for (TreeNode l = tree.FirstChild(new_node); l != nullptr; l = tree.Next(l)) {
        tree.SetMarked(l, true);
      }
    }
    return;
  }
  MarkWalk walk{tree, old_node, new_node, keys};
  TreeNode root = tree.Root();
  if (root == nullptr) return;
  walk.Visit(root);
  for (TreeNode area = tree.FirstChild(root); area != nullptr; area = tree.Next(area)) {
    walk.Visit(area);
    for (TreeNode locn = tree.FirstChild(area); locn != nullptr; locn = tree.Next(locn)) {
      walk.Visit(locn);
    }
  }
}

void OnTreeSelectionChanged(Session& s, TreeNode old_node, TreeNode new_node, KeyState keys) {
  if (s.tree_state.dragging || s.tree_state.command_selects) keys = KeyState{};
  s.tree_state.selection_shown = new_node;
  s.host.FillDetails(new_node);
  if (new_node != nullptr) s.tree.SetMarked(new_node, true);
  if (old_node != nullptr && (keys.shift || keys.ctrl)) {
    s.tree.SetMarked(old_node, true);
  } else {
    old_node = nullptr;
  }
  if (!keys.ctrl || keys.shift) MarkItems(s.tree, old_node, new_node, keys);
  ApplyAutoExpansion(s, new_node);
  if (!s.tree_state.search.searching) ResetSearchPosition(s.tree_state.search);
}

void SettleSelection(Session& s) {
  TreeNode selected = s.tree.Selected();
  if (selected == s.tree_state.selection_shown) return;
  OnTreeSelectionChanged(s, s.tree_state.selection_shown, selected, KeyState{});
}

}  // namespace tarnwick
