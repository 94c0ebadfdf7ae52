#include "details/value_edit.h"

#include <utility>

#include "details/detail_rows.h"
#include "details/value_check.h"
#include "details/value_formats.h"
#include "tree/tree_edits.h"

namespace tarnwick {

namespace {

// Parses `text` into the field of `row`; false for a row that holds no Location value.
bool StoreValue(LocnFields& f, int row, std::string_view text) {
  switch (row) {
    case 6:
      f.latitude = ParseAngle(text, AngleAxis::kLatitude);
      return true;
    case 7:
      f.longitude = ParseAngle(text, AngleAxis::kLongitude);
      return true;
    case 8:
      f.altitude = ParseAltitude(text);
      return true;
    case 9:
      f.heading = ParseHeading(text);
      return true;
    case 10:
      f.com1 = ParseFrequency(text, /*is_com=*/true);
      return true;
    case 11:
      f.nav1 = ParseFrequency(text, /*is_com=*/false);
      return true;
    case 12:
      f.obi1 = ParseObi(text);
      return true;
    case 13:
      f.nav2 = ParseFrequency(text, /*is_com=*/false);
      return true;
    case 14:
      f.obi2 = ParseObi(text);
      return true;
    default:
      return false;
  }
}

}  // namespace

bool ApplyValueEdit(Session& s, DetailsEditState& state, std::string_view text) {
  TreeNode node = s.tree.Selected();
  TreeItemData data = node != nullptr ? s.tree.Data(node) : 0;
  MenuLocation* location = node != nullptr && KindOf(data) == NodeKind::kLocation
                               ? s.set.Location(RecordOf(data))
                               : nullptr;
  if (location == nullptr) {
    s.host.Beep();
    return false;
  }
  int row = state.row;
  if (row < kFirstEditableDetailRow || row > kLastDetailRow) {
    state.row = -1;
    s.host.Beep();
    return false;
  }
  std::string previous =
      DetailRowValue(s.set, s.tree, node, row, s.options.fractional_minutes).substr(0, kMaxLabel);
  {
    EditScope step(s, EditKind::kValue);
    if (row == kFirstEditableDetailRow) {
      std::string before = s.tree.Label(node);
      s.tree.SetLabel(node, text.substr(0, kMaxLocationTitle));
      s.tree_state.history.Relabelled(s.tree, node, before);
    } else {
      LocnFields before = location->fields;
      StoreValue(location->fields, row, text.substr(0, kMaxLabel));
      s.tree_state.history.FieldsChanged(RecordOf(data), before, location->fields);
    }
  }
  state.undo.available = true;
  state.undo.row = row;
  state.undo.text = std::move(previous);
  s.set.results_saved = false;
  return true;
}

void OpenValueEdit(DetailsEditState& state, TreeNode node, int row, std::string shown) {
  state.row = row;
  state.node = node;
  state.shown = std::move(shown);
}

ValueEditOutcome EndValueEdit(Session& s, DetailsEditState& state, std::string_view text) {
  TreeNode node = state.node;
  bool unchanged = text == state.shown;
  state.problem.clear();
  if (!unchanged && node != nullptr && s.tree.Selected() == node) {
    if (std::optional<std::string> problem = ValueTextProblem(state.row, text)) {
      state.problem = std::move(*problem);
      s.host.Beep();
      return ValueEditOutcome::kMisfit;
    }
  }
  state.ForgetOpenEdit();
  // A box left open over another item must not write into it.
  if (node == nullptr || s.tree.Selected() != node) return ValueEditOutcome::kElsewhere;
  if (unchanged) return ValueEditOutcome::kUnchanged;
  return ApplyValueEdit(s, state, text) ? ValueEditOutcome::kApplied : ValueEditOutcome::kRefused;
}

int UndoValueEdit(Session& s, DetailsEditState& state) {
  int refreshed = 0;
  if (CanUndoValueEdit(state)) {
    state.row = state.undo.row;
    std::string text = state.undo.text;
    if (ApplyValueEdit(s, state, text)) refreshed = state.row;
  }
  state.undo.Clear();
  return refreshed;
}

}  // namespace tarnwick
