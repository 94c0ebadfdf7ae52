#include "shell/win32/wait_box.h"

namespace tarnwick::win32 {

void WaitBox::Open(HINSTANCE instance, HWND main_window) {
  if (window_ != nullptr) return;
  main_window_ = main_window;
  window_ = CreateDialogParamA(instance, "WaitDlgBox", main_window, DialogTrampoline<WaitBox>,
                               reinterpret_cast<LPARAM>(this));
  if (window_ != nullptr) UpdateWindow(window_);
}

void WaitBox::Close() {
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
}

INT_PTR WaitBox::HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  INT_PTR result = FALSE;
  if (frame_.Handle(dialog, message, wparam, lparam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      frame_.Begin(dialog, main_window_);
      SetWindowTextA(dialog, "Tarnwick");
      // The box goes when the tree is gone, not when the user asks.
      EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
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
