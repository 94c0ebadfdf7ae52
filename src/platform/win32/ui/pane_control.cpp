#include "platform/win32/ui/pane_control.h"

namespace tarnwick::win32 {

LRESULT CALLBACK PaneControl::Procedure(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                        void* self) {
  auto* pane = static_cast<PaneControl*>(self);
  if (std::optional<LRESULT> handled = pane->OnControlMessage(control, message, wparam, lparam)) {
    return *handled;
  }
  switch (message) {
    case WM_SIZE:
      pane->OnSize(wparam, LOWORD(lparam));
      break;
    case WM_SETFOCUS:
      pane->owner_.UpdateMenuState();
      break;
    case WM_COMMAND:
      pane->PassCommand(wparam, lparam);
      break;
    case WM_LBUTTONDOWN: {
      const int row = pane->ClickRow(lparam);
      if (row < 0) break;
      LRESULT result = pane->hook_.Default(control, message, wparam, lparam);
      if (pane->control_ != nullptr) pane->SelectRow(row);
      return result;
    }
    case WM_RBUTTONDOWN:
      if (pane->OnRightButtonDown(lparam)) return 0;
      break;
    case WM_NCDESTROY:
      pane->control_ = nullptr;
      break;
    default:
      break;
  }
  return pane->hook_.Default(control, message, wparam, lparam);
}

}  // namespace tarnwick::win32
