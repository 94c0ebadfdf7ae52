#include "print/win32/print_cancel_box.h"

namespace tarnwick::win32 {

void PrintCancelBox::Open(HINSTANCE instance, HWND main_window, std::function<void()> on_cancel) {
  Close();
  main_window_ = main_window;
  on_cancel_ = std::move(on_cancel);
  closed_by_cancel_ = false;
  window_ = CreateDialogParamA(instance, kPrintCancelBox, main_window,
                               DialogTrampoline<PrintCancelBox>, reinterpret_cast<LPARAM>(this));
  if (window_ != nullptr) UpdateWindow(window_);
}

void PrintCancelBox::Close() {
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
}

INT_PTR PrintCancelBox::HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  INT_PTR result = FALSE;
  if (frame_.Handle(dialog, message, wparam, lparam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      frame_.Begin(dialog, main_window_);
      SetWindowTextA(dialog, "Tarnwick");
      // Only the Cancel button ends printing early.
      EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) != IDCANCEL) return FALSE;
      closed_by_cancel_ = true;
      if (on_cancel_) on_cancel_();
      // The main window first, so that it is the one activated when the box goes.
      EnableWindow(main_window_, TRUE);
      Close();
      return TRUE;
    case WM_DESTROY:
      frame_.End();
      window_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tarnwick::win32
