// What follows a change of the tree's selection: the details pane, the marks of the multiple
// selection, automatic expansion and the search position.
#pragma once

#include "scenery/session.h"

namespace tarnwick {

// The modifier keys held when the selection changed.
struct KeyState {
  bool shift = false;
  bool ctrl = false;
};

// The selection moved from `old_node` to `new_node` (either may be none), with `keys` held. The
// tree pane calls it for TVN_SELCHANGED; a drag in progress counts as no key held.
void OnTreeSelectionChanged(Session& s, TreeNode old_node, TreeNode new_node, KeyState keys);

// After a command: when the tree's selection is no longer the node the last selection change ran
// for (the control moved it without a notification), the selection change runs for it now, as for
// a plain click.
void SettleSelection(Session& s);

// Marks and unmarks every node for a selection change: plain selects the new node (an Area with
// its Locations), Ctrl adds without unmarking, Shift marks the range from the old node to the new
// one (marked Areas bring their Locations).
void MarkItems(MenuTree& tree, TreeNode old_node, TreeNode new_node, KeyState keys);

}  // namespace tarnwick
