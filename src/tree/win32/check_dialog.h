// The modeless list of the menu check ("CheckDlgBox"): one row per item a problem names, with its
// kind, Area, Location and what is wrong. Go to (Enter, a double click) selects the item in the
// tree; Mark all marks every listed item. The main window stays usable, and the list follows
// its edits.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/ui/modeless_dialog.h"
#include "platform/win32/ui/pane_owner.h"
#include "platform/win32/ui/win32_api.h"
#include "scenery/session.h"
#include "tree/menu_check.h"
#include "tree/win32/tree_view_menu_tree.h"

namespace tarnwick::win32 {

class CheckDialogOwner : public virtual PaneOwner {
 public:
  virtual TreeViewMenuTree& Tree() = 0;
  // The dialog has ended: it goes.
  virtual void CheckDialogEnded() = 0;

 protected:
  ~CheckDialogOwner() = default;
};

class CheckDialog final : public ModelessDialog {
 public:
  // Checks the menu and shows the list; nullptr when the dialog cannot be made.
  static std::unique_ptr<CheckDialog> Open(CheckDialogOwner& shell, Session& session);

  // Checks again now when anything the check reads has changed.
  void Refresh();
  // Selects the item of the list's row in the tree and brings it into view.
  void GoTo(int row);
  void MarkAll();
  HWND List() const;

 private:
  CheckDialog(CheckDialogOwner& shell, Session& session) : shell_(shell), session_(session) {}
  INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnInit(HWND dialog);
  void OnNotify(NMHDR* header);
  void Fill();
  const std::string& CellText(int row, int column);

  struct Row {
    size_t problem;
    size_t item;
  };

  CheckDialogOwner& shell_;
  Session& session_;
  std::vector<MenuProblem> problems_;
  std::vector<Row> rows_;
  uint64_t fingerprint_ = 0;
  bool checked_ = false;
  // The text handed to the list: it must outlive the notification.
  std::string cell_;
  std::wstring wide_cell_;
};

}  // namespace tarnwick::win32
