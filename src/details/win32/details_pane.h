// The details pane: a report list (child 1004) of the selected entry's fields, its popup menu,
// its pictures and its own handling of size, focus and clicks. It publishes the height of one
// row, from which the layout takes the pane heights.
#pragma once

#include <memory>
#include <string>

#include "details/value_edit.h"
#include "details/win32/value_edit_box.h"
#include "platform/menu_tree.h"
#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/pane_control.h"
#include "platform/win32/ui/pane_owner.h"
#include "platform/win32/ui/win32_api.h"
#include "scenery/session.h"
#include "tree/win32/vis_pane.h"

namespace tarnwick::win32 {

// What the details pane asks of the main window: what every pane asks, the splits its border
// moves, and the VIS pane, whose pending changes a click here must not count as leaving.
class DetailsPaneOwner : public virtual PaneOwner, public virtual PaneSplits {
 public:
  virtual VisPane* GetVisPane() = 0;

 protected:
  ~DetailsPaneOwner() = default;
};

class DetailsPane final : public PaneControl {
 public:
  // Makes the pane at the right of the main window; nullptr when the control cannot be created
  // (reported as "creating details window").
  static std::unique_ptr<DetailsPane> Create(DetailsPaneOwner& shell, Session& session);
  ~DetailsPane();
  HMENU PopupMenu() const { return popup_.Get(); }
  // The height of one row, measured when the pane was made and when its font changes.
  int RowHeight() const { return row_height_; }
  // The window moved to a screen of another dpi: new font, pictures, columns and row height.
  void ScaleChanged(int old_dpi);

  // Empties the list, closes the edit box and drops the undo (the set is closed).
  void Clear();
  // The check marks of 144, 164 and 165 in the popup menu.
  void SetCheckMarks(bool show_all_fields, bool fractional_minutes);

  // Shows the rows of `node` (nullptr: none), keeping the rows when their number stays, and
  // selects `row` (0: row 5 of a Location, else row 0).
  void Fill(TreeNode node, int row);
  // Fill for the tree's current selection.
  void Refresh(int row);
  // The tree's selection changed: an open edit box closes unapplied, the undo goes and the rows
  // follow it.
  void SelectionChanged(TreeNode node);
  // Opens the edit box over `row` (0: the selected row), brought into the editable rows.
  void BeginValueEdit(int row);
  // Command 128: edits the selected row, or the first editable one.
  void EditSelectedRow();
  // Message 1027: an edit ended on `row` with `key` (0, VK_UP or VK_DOWN).
  void OnEditEnded(int row, WPARAM key);
  // Closes the edit box, if open, without applying its text (an undo is about to change the
  // values it shows).
  void CloseEditBox();
  bool CanUndo() const { return CanUndoValueEdit(edit_); }
  HWND EditBox() const { return edit_box_.Window(); }

  // The list's notifications, routed here by the main window.
  LRESULT OnNotify(NMHDR* header);

 private:
  DetailsPane(DetailsPaneOwner& shell, Session& session)
      : PaneControl(shell), shell_(shell), session_(session) {}
  std::optional<LRESULT> OnControlMessage(HWND control, UINT message, WPARAM wparam,
                                          LPARAM lparam) override;
  void OnSize(WPARAM state, int client_width) override;
  int ClickRow(LPARAM position) override;
  void SelectRow(int row) override;
  int RowCount() const;
  void LoadPictures();
  int LabelColumnWidth() const;
  // True when the text was refused and the box stays open.
  bool ApplyEditedText(int row, const std::string& text, WORD key);
  bool OnRightButtonDown(LPARAM position) override;
  void MeasureRowHeight();

  DetailsPaneOwner& shell_;
  Session& session_;
  MenuHandle popup_;
  ImageListHandle images_;
  int row_height_ = 0;
  DetailsEditState edit_;
  ValueEditBox edit_box_;
};

}  // namespace tarnwick::win32
