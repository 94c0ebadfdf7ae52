#pragma once

#include <string_view>

#include "scenery/session.h"

namespace tarnwick {

// Adds a node the way the tree pane does: unmarked, and for the root or an Area the predecessor is
// expanded and the new node brought into view (not while a long operation runs with
// ExpandInitially off, and no predecessor is expanded during a drag). Returns nullptr when the
// tree refuses the node.
TreeNode InsertTreeItem(Session& s, TreeNode parent, TreeNode after, std::string_view label,
                        NodeKind kind, uint32_t record, TreeNode copy = nullptr);

}  // namespace tarnwick
