#include "shell/win32/warning_box.h"

namespace tarnwick::win32 {

bool WarningBox::Ask(ModalQuestions& questions, HWND main_window) {
  WarningBox box(main_window);
  return questions.RunDialog(main_window, kWarningBox, DialogTrampoline<WarningBox>,
                             reinterpret_cast<LPARAM>(&box)) == IDOK;
}

INT_PTR WarningBox::HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  INT_PTR result = FALSE;
  if (frame_.Handle(dialog, message, wparam, lparam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      frame_.Begin(dialog, main_window_);
      SetWindowTextA(dialog, "Tarnwick");
      return TRUE;
    case WM_COMMAND:
      // Yes is button 1, No button 2 (also Escape and the close box).
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        frame_.End();
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      frame_.End();
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tarnwick::win32
