#include "tree/tree_expansion.h"

namespace tarnwick {

void ApplyAutoExpansion(Session& s, TreeNode new_node) {
  TreeState& ts = s.tree_state;
  if (!s.options.auto_expand || ts.dragging || ts.expanding_all ||
      s.host.GetBusyState() != BusyState::kIdle) {
    return;
  }
  NodeKind kind = new_node ? KindOf(s.tree.Data(new_node)) : NodeKind::kRoot;
  if (kind == NodeKind::kArea) {
    if (ts.auto_expanded_area != nullptr && ts.auto_expanded_area != new_node) {
      s.tree.Expand(ts.auto_expanded_area, false);
    }
    s.tree.Expand(new_node, true);
    ts.auto_expanded_area = new_node;
  } else if (kind == NodeKind::kLocation) {
    TreeNode area = s.tree.Parent(new_node);
    if (area != ts.auto_expanded_area) {
      if (ts.auto_expanded_area != nullptr) s.tree.Expand(ts.auto_expanded_area, false);
      ts.auto_expanded_area = area;
    }
  } else if (ts.auto_expanded_area != nullptr) {
    s.tree.Expand(ts.auto_expanded_area, false);
    ts.auto_expanded_area = nullptr;
  }
}

void ExpandAllAreas(Session& s) {
  ExpandAll(s, true);
  s.options.expand_initially = true;
  s.options.auto_expand = false;
}

void CollapseAllAreas(Session& s) {
  ExpandAll(s, false);
  s.options.expand_initially = false;
  s.options.auto_expand = false;
}

void ToggleAutoExpand(Session& s) {
  s.options.auto_expand = !s.options.auto_expand;
  if (!s.options.auto_expand) return;
  ExpandAll(s, false);
  s.tree_state.auto_expanded_area = nullptr;
  s.options.expand_initially = false;
  TreeNode selected = s.tree.Selected();
  if (selected == nullptr || s.tree.Parent(selected) == nullptr) return;
  if (KindOf(s.tree.Data(selected)) == NodeKind::kLocation) {
    selected = s.tree.Parent(selected);
    s.tree.Select(selected);
  }
  s.tree.Expand(selected, true);
  s.tree_state.auto_expanded_area = selected;
}

}  // namespace tarnwick
