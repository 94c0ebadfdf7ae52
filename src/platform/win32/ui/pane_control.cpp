#include "platform/win32/ui/pane_control.h"

#include <algorithm>

namespace tarnwick::win32 {

std::optional<RECT> PaneControl::SelectedItemRect() const {
  // The lists: the selected row's first column.
  int row = static_cast<int>(SendMessageA(control_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                          MAKELPARAM(LVNI_SELECTED, 0)));
  if (row < 0) return std::nullopt;
  RECT rect = {};
  rect.left = LVIR_LABEL;
  if (!SendMessageA(control_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                    reinterpret_cast<LPARAM>(&rect))) {
    return std::nullopt;
  }
  return rect;
}

void PaneControl::ShowMenuFromKeyboard() {
  if (control_ == nullptr) return;
  RECT client = {};
  GetClientRect(control_, &client);
  // Without a selected item shown, a point below the last item stands for empty space.
  POINT at = {client.left + 2, client.bottom - 2};
  if (std::optional<RECT> item = SelectedItemRect()) {
    at = {item->left + std::min<LONG>(8, (item->right - item->left) / 2),
          (item->top + item->bottom) / 2};
  }
  OnRightButtonDown(MAKELPARAM(at.x, at.y));
}

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
