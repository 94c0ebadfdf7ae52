// The text search over the tree's labels: one step walks on from the current place, compares
// without regard to case and selects the best item found.
#pragma once

#include <string>

#include "scenery/search_state.h"
#include "scenery/session.h"

namespace tarnwick {

// Whether the label of `item` holds the whole search text; records the item as the best one when
// its label holds a longer leading part of the text than the best so far (any part with partial
// matching, only the whole text without).
bool MatchItem(const MenuTree& tree, SearchState& search, bool partial, TreeNode item);

// One search step ("Find next"): walks the tree from the start item or the selection and selects
// the best match. Does nothing without a search text.
void FindNext(Session& s);

// A selection change the search did not make: the next step starts at the selection and accepts
// any match.
void ResetSearchPosition(SearchState& search);

// Commands 130 and 131 need a tree with its root and at least one Area.
bool SearchAvailable(const MenuTree& tree);

// How the search dialog ended: its text box, its three check boxes and the button used.
struct SearchDialogOutcome {
  bool search = false;  // "Search" (or Enter); false for Cancel, Escape or the system menu
  std::string box_text;
  bool wrap = true;
  bool start_at_sel = true;
  bool partial = true;
};

// Applies the dialog's outcome to the search text and the options (Cancel keeps the check boxes
// too). Returns true when a search step must follow (Search with a text to look for).
bool ApplySearchDialog(Session& s, const SearchDialogOutcome& outcome);

}  // namespace tarnwick
