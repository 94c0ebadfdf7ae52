#include "shell/win32/info_box.h"

#include "resource.h"

namespace tarnwick::win32 {

void InfoBox::Show(ModalQuestions& questions, HWND main_window, const char* template_name) {
  InfoBox box(main_window);
  questions.RunDialog(main_window, template_name, DialogTrampoline<InfoBox>,
                      reinterpret_cast<LPARAM>(&box));
}

INT_PTR InfoBox::HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  INT_PTR result = FALSE;
  if (frame_.Handle(dialog, message, wparam, lparam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      frame_.Begin(dialog, main_window_);
      SetWindowTextA(dialog, "Tarnwick");
      if (HWND version = GetDlgItem(dialog, IDC_ABOUT_VERSION)) {
        SetWindowTextA(version, "Program version " TARNWICK_VERSION);
      }
      return TRUE;
    case WM_COMMAND:
      // OK, Enter, or Escape and the close box (IDCANCEL) all end the box.
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        frame_.End();
        EndDialog(dialog, 1);
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
