#include "shell/win32/wait_box.h"

namespace tarnwick::win32 {

void WaitBox::Open(HINSTANCE instance, HWND main_window) {
  if (Window() != nullptr) return;
  Create(instance, "WaitDlgBox", main_window);
}

INT_PTR WaitBox::OnMessage(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  // The box goes when the tree is gone, not when the user asks.
  DisableCloseButton(dialog);
  return TRUE;
}

}  // namespace tarnwick::win32
