// Editing a Location's values in the details pane: the text typed into a row parsed into the
// Location's stored fields, and the one level of undo.
#pragma once

#include <string>
#include <string_view>

#include "scenery/session.h"

namespace tarnwick {

// The previous value text of the row edited last, to put back.
struct DetailsUndo {
  bool available = false;
  int row = 0;
  std::string text;

  void Clear() {
    available = false;
    row = 0;
    text.clear();
  }
};

// The editing state of the details pane.
struct DetailsEditState {
  // The row the edit box is editing (or was, until the next edit); -1 after a refused edit.
  int row = 0;
  // The tree item the open edit box belongs to (nullptr: no box open) and the text it showed.
  TreeNode node = nullptr;
  std::string shown;
  // After kMisfit: the form and range the field takes, to show the user.
  std::string problem;
  DetailsUndo undo;

  // The edit box closed without applying anything.
  void ForgetOpenEdit() {
    node = nullptr;
    shown.clear();
  }
};

// What came of the text an edit box ended with.
enum class ValueEditOutcome {
  kApplied,    // stored, with its undo
  kUnchanged,  // the text was left as shown: nothing stored, no undo, results as they were
  kRefused,    // the row or the selection cannot take a value (beeped)
  kElsewhere,  // the selection is no longer the item the box opened on: nothing stored
  kMisfit,     // the text does not fit the field: nothing stored, the box stays open
};

// Applies `text` to the row being edited of the tree's selected Location (rows 5 to 14: the
// description, cut to 40 characters, the position, altitude, heading and radios). Keeps the
// row's previous value text for the undo and marks the results unsaved. Beeps and changes
// nothing when the selection is not a Location or the row cannot be edited. Returns whether the
// value was applied.
bool ApplyValueEdit(Session& s, DetailsEditState& state, std::string_view text);

// The edit box opened over `row` of the tree item `node`, showing `shown`.
void OpenValueEdit(DetailsEditState& state, TreeNode node, int row, std::string shown);

// The edit box ended with `text` (Enter, Up or Down). Only a text the user changed is stored: the
// shown text is rounded (whole feet, whole degrees, ten-thousandths of a minute), and storing it
// again would move a Location that was only looked at. A text the field cannot hold is refused
// with a beep and the box stays open; otherwise the box is closed in the state afterwards.
ValueEditOutcome EndValueEdit(Session& s, DetailsEditState& state, std::string_view text);

// Undoes the last applied edit: the row whose value was put back, to be refreshed, or 0 when
// there was nothing to undo. The undo is gone afterwards in every case.
int UndoValueEdit(Session& s, DetailsEditState& state);

// Whether an undo would do something: an edit is kept and its row is not 0.
inline bool CanUndoValueEdit(const DetailsEditState& state) {
  return state.undo.available && state.undo.row != 0;
}

}  // namespace tarnwick
