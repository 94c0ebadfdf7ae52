#include "print/win32/print_cancel_box.h"

namespace tarnwick::win32 {

void PrintCancelBox::Open(HINSTANCE instance, HWND main_window, std::function<void()> on_cancel) {
  Close();
  on_cancel_ = std::move(on_cancel);
  closed_by_cancel_ = false;
  Create(instance, kPrintCancelBox, main_window);
}

INT_PTR PrintCancelBox::OnMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      // Only the Cancel button ends printing early.
      DisableCloseButton(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) != IDCANCEL) return FALSE;
      closed_by_cancel_ = true;
      if (on_cancel_) on_cancel_();
      // The main window first, so that it is the one activated when the box goes.
      EnableWindow(main_window_, TRUE);
      Close();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace tarnwick::win32
