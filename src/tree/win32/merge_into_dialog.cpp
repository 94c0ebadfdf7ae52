#include "tree/win32/merge_into_dialog.h"

#include "resource.h"

namespace tarnwick::win32 {

int MergeIntoDialog::Choose(ModalQuestions& questions, HWND main_window,
                            const std::vector<std::string>& labels) {
  MergeIntoDialog box(main_window, labels);
  INT_PTR result =
      questions.RunDialog(main_window, kMergeIntoBox, DialogTrampoline<MergeIntoDialog>,
                          reinterpret_cast<LPARAM>(&box));
  return result == IDOK ? box.chosen_ : -1;
}

void MergeIntoDialog::Finish(HWND dialog, bool ok) {
  chosen_ = -1;
  if (ok) {
    LRESULT index = SendDlgItemMessageA(dialog, IDC_MERGE_LIST, LB_GETCURSEL, 0, 0);
    if (index != LB_ERR) chosen_ = static_cast<int>(index);
  }
  frame_.End();
  EndDialog(dialog, ok ? IDOK : IDCANCEL);
}

INT_PTR MergeIntoDialog::HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  INT_PTR result = FALSE;
  if (frame_.Handle(dialog, message, wparam, lparam, result)) return result;
  switch (message) {
    case WM_INITDIALOG: {
      frame_.Begin(dialog, main_window_);
      HWND list = GetDlgItem(dialog, IDC_MERGE_LIST);
      for (const std::string& label : labels_) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
      }
      SendMessageA(list, LB_SETCURSEL, 0, 0);
      SetFocus(list);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
          Finish(dialog, true);
          return TRUE;
        case IDCANCEL:
          Finish(dialog, false);
          return TRUE;
        case IDC_MERGE_LIST:
          if (HIWORD(wparam) == LBN_DBLCLK) Finish(dialog, true);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_DESTROY:
      frame_.End();
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tarnwick::win32
