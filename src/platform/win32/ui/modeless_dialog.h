// A modeless dialog of the program: made from its template with the object behind it, framed and
// centred over the main window like every dialog, captioned "Tarnwick" unless it says otherwise,
// and forgotten when its window goes. A dialog class gives its own handling of the messages the
// frame leaves; everything else is written once here.
#pragma once

#include "platform/win32/ui/dialog_frame.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class ModelessDialog {
 public:
  ModelessDialog(const ModelessDialog&) = delete;
  ModelessDialog& operator=(const ModelessDialog&) = delete;

  HWND Window() const { return window_; }
  void Close() {
    if (window_ != nullptr) DestroyWindow(window_);
    window_ = nullptr;
  }

  // For the trampoline.
  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  ModelessDialog() = default;
  // The window goes with the object. Its last messages find no object: the derived part is gone.
  virtual ~ModelessDialog() {
    if (window_ == nullptr) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }

  // Makes the dialog from `template_name` over `main_window` and draws it at once; false when it
  // cannot be made.
  bool Create(HINSTANCE instance, const char* template_name, HWND main_window);

  // The dialog's own handling, after the frame's. At WM_INITDIALOG the dialog is framed, centred
  // and captioned already; at WM_DESTROY it is forgotten afterwards.
  virtual INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) = 0;
  // A box that goes only when the program is done with it has no working close button.
  void DisableCloseButton(HWND dialog);

  HWND main_window_ = nullptr;

 private:
  HWND window_ = nullptr;
  DialogFrame frame_;
};

}  // namespace tarnwick::win32
