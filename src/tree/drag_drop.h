// Moving and merging by dragging in the tree: what starting a drag and dropping do to the tree and
// its state. The tree pane keeps the drag image, the mouse capture and the drop highlight.
#pragma once

#include "scenery/session.h"

namespace tarnwick {

// A drag of `node` starts: the rename undo goes, and the selection is removed, which clears every
// mark and empties the details pane.
void BeginItemDrag(Session& s, TreeNode node);

// The button was released over `target` (the drop-highlighted node; nullptr when none was ever
// highlighted) with Shift held or not. Moves or merges the dragged node as the pair of kinds
// says, selects the result, and ends the drag. Returns the node selected, or nullptr.
TreeNode DropItem(Session& s, TreeNode target, bool shift);

// Moves or merges `dragged` as dropping it onto `target` with Shift held or not does, without a
// drag (Paste uses it). Returns the node to select, or nullptr when the pair of kinds does nothing.
TreeNode DropOnto(Session& s, TreeNode dragged, TreeNode target, bool shift);

// The drag ended without a release (the mouse capture was taken away): nothing moves, nothing is
// selected, and the set is not marked changed.
void CancelItemDrag(Session& s);

}  // namespace tarnwick
