// The state of the tree pane that the tree rules read and change: drag in progress, the Area that
// automatic expansion opened last.
#pragma once

#include "scenery/menu_tree.h"

namespace tarnwick {

struct TreeState {
  bool dragging = false;
  TreeNode auto_expanded_area = nullptr;
};

}  // namespace tarnwick
