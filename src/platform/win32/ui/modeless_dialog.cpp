#include "platform/win32/ui/modeless_dialog.h"

namespace tarnwick::win32 {

bool ModelessDialog::Create(HINSTANCE instance, const char* template_name, HWND main_window) {
  main_window_ = main_window;
  HWND made = CreateDialogParamA(instance, template_name, main_window,
                                 DialogTrampoline<ModelessDialog>, reinterpret_cast<LPARAM>(this));
  if (made == nullptr) return false;
  window_ = made;
  UpdateWindow(made);
  return true;
}

void ModelessDialog::DisableCloseButton(HWND dialog) {
  EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

INT_PTR ModelessDialog::HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  INT_PTR result = FALSE;
  if (frame_.Handle(dialog, message, wparam, lparam, result)) return result;
  if (message == WM_INITDIALOG) {
    window_ = dialog;
    frame_.Begin(dialog, main_window_);
    SetWindowTextA(dialog, "Tarnwick");
  }
  result = OnMessage(dialog, message, wparam, lparam);
  if (message == WM_DESTROY) {
    frame_.End();
    window_ = nullptr;
  }
  return result;
}

}  // namespace tarnwick::win32
