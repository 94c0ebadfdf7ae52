// The control a pane owns, hooked by its window procedure, and the messages every pane handles
// alike: its size, the focus (the commands' enabling follows it), the popup menus' commands (they
// go to the main window), a left click on a row of a list, a right click, and the control's end.
// A pane gives its own handling first and the parts that differ.
#pragma once

#include <optional>

#include "platform/win32/ui/control_hook.h"
#include "platform/win32/ui/pane_owner.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class PaneControl {
 public:
  PaneControl(const PaneControl&) = delete;
  PaneControl& operator=(const PaneControl&) = delete;

  HWND Control() const { return control_; }
  // Shift+F10 or the context-menu key: the popup menu a right click on the selected item shows,
  // at that item (beside the items when nothing is selected).
  void ShowMenuFromKeyboard();

 protected:
  explicit PaneControl(PaneOwner& owner) : owner_(owner) {}
  ~PaneControl() = default;

  // Offers the messages of the control just made to the pane first.
  void Hook() { hook_.Attach(control_, Procedure, this); }

  // The pane's own handling of a message, before the common one; nothing hands it on.
  virtual std::optional<LRESULT> OnControlMessage(HWND, UINT, WPARAM, LPARAM) {
    return std::nullopt;
  }
  virtual void OnSize(WPARAM state, int client_width) = 0;
  // True when the click was handled (a popup menu shown).
  virtual bool OnRightButtonDown(LPARAM position) = 0;
  // The row of a list under a click, or -1; the row is selected once the control has had the click
  // (a click beside the first column is no click on an item to the list).
  virtual int ClickRow(LPARAM) { return -1; }
  virtual void SelectRow(int) {}
  // The selected item's rectangle in client coordinates, if an item is selected and shown.
  virtual std::optional<RECT> SelectedItemRect() const;
  virtual void PassCommand(WPARAM wparam, LPARAM lparam) {
    SendMessageA(owner_.Window(), WM_COMMAND, wparam, lparam);
  }

  HWND control_ = nullptr;
  ControlHook hook_;

 private:
  static LRESULT CALLBACK Procedure(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                    void* self);

  PaneOwner& owner_;
};

}  // namespace tarnwick::win32
