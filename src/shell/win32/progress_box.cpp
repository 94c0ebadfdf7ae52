#include "shell/win32/progress_box.h"

#include <string>

#include "resource.h"

namespace tarnwick::win32 {

void ProgressBox::Open(HINSTANCE instance, HWND main_window, std::string_view message,
                       std::function<void()> on_cancel, std::function<void()> on_destroy) {
  Close();
  main_window_ = main_window;
  on_cancel_ = std::move(on_cancel);
  on_destroy_ = std::move(on_destroy);
  window_ = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), main_window,
                               DialogTrampoline<ProgressBox>, reinterpret_cast<LPARAM>(this));
  SetLine(IDC_PROGRESS_MESSAGE, message);
}

void ProgressBox::Close() {
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
}

void ProgressBox::SetLine(int control, std::string_view text) {
  if (window_ == nullptr) return;
  std::string line(text);
  SetDlgItemTextA(window_, control, line.c_str());
}

void ProgressBox::DisableCancel() {
  if (window_ != nullptr) EnableWindow(GetDlgItem(window_, IDC_PROGRESS_CANCEL), FALSE);
}

INT_PTR ProgressBox::HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  INT_PTR result = FALSE;
  if (frame_.Handle(dialog, message, wparam, lparam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      frame_.Begin(dialog, main_window_);
      for (int line = IDC_PROGRESS_MESSAGE; line <= IDC_PROGRESS_TOTALS; ++line) {
        SetDlgItemTextA(dialog, line, "");
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDC_PROGRESS_CANCEL && on_cancel_) {
        // The callback closes the scenery set; the operation sees the cancelled state and stops.
        auto cancel = on_cancel_;
        cancel();
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY: {
      frame_.End();
      window_ = nullptr;
      if (on_destroy_) {
        auto destroyed = on_destroy_;
        destroyed();
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace tarnwick::win32
