// A TestSession whose memory tree reports selection changes and label-edit starts to the tree
// pane's rules, as the tree-view control does, with the modifier keys a test sets.
#pragma once

#include <string_view>
#include <vector>

#include "support/menu_builder.h"
#include "support/test_session.h"
#include "tree/tree_edits.h"
#include "tree/tree_selection.h"

namespace tarnwick::testing {

struct TreeSession : TestSession {
  TreeSession() {
    tree.on_selection_changed = [this](TreeNode old_node, TreeNode new_node) {
      OnTreeSelectionChanged(session, old_node, new_node, keys);
    };
    tree.on_begin_label_edit = [this](TreeNode node) { return BeginRename(session, node); };
  }
  explicit TreeSession(const std::vector<AreaSpec>& areas) : TreeSession() { Build(areas); }

  void Build(const std::vector<AreaSpec>& areas) { BuildMenu(session, areas); }
  TreeNode Node(std::string_view label) const { return FindLabel(tree, label); }
  // Selects the node with this label with the given keys held, as a click does.
  void Click(std::string_view label, KeyState held = {}) {
    keys = held;
    tree.Select(Node(label));
    keys = {};
  }
  std::string Label(TreeNode node) const { return tree.Label(node); }
  std::string SelectedLabel() const {
    return tree.Selected() ? tree.Label(tree.Selected()) : std::string("<none>");
  }

  KeyState keys;
};

}  // namespace tarnwick::testing
