// The state of the tree pane that the tree rules read and change: the drag, automatic expansion,
// the one-level rename undo and the search. Every node kept here names a node of the current tree
// or none: removing nodes through RemoveTreeNode and emptying the tree (ForgetNodes) see to it.
#pragma once

#include <string>
#include <vector>

#include "platform/menu_tree.h"
#include "scenery/edit_history.h"
#include "scenery/search_state.h"

namespace tarnwick {

// The label a node had before its last label edit began.
struct RenameUndo {
  bool available = false;
  TreeNode node = nullptr;
  std::string text;

  void Clear() {
    available = false;
    node = nullptr;
    text.clear();
  }
};

struct TreeState {
  bool dragging = false;
  TreeNode dragged = nullptr;
  // Set while a command selects its result: the keys held for the command (Ctrl of Ctrl+V) are
  // not a Ctrl-click that would keep the marks.
  bool command_selects = false;
  // The Area that automatic expansion opened last.
  TreeNode auto_expanded_area = nullptr;
  // The node the last selection change ran for: the one whose marks and details are shown. The
  // control moves its selection silently when the Area holding it collapses.
  TreeNode selection_shown = nullptr;
  // Set while every Area is expanded or collapsed at once, so that the selection moving to a
  // collapsing Area does not open it again.
  bool expanding_all = false;
  RenameUndo rename_undo;
  SearchState search;
  EditHistory history;
  // The items Cut remembered for Paste, in tree order; nothing moves until the paste.
  std::vector<TreeNode> cut;

  // The tree has been emptied or made anew: forget every node kept and the edit history (the
  // search text stays).
  void ForgetNodes();
  // `node` is about to leave the tree with its children: forget whatever lies in it.
  void ForgetNodesIn(const MenuTree& tree, TreeNode node);
};

}  // namespace tarnwick
