#include "platform/win32/ui/dialog_frame.h"

#include "platform/screen_geometry.h"
#include "resource.h"

namespace tarnwick::win32 {

void CentreOverMainWindow(HWND dialog, HWND main_window) {
  RECT box = {};
  RECT main = {};
  if (!GetWindowRect(dialog, &box) || !GetWindowRect(main_window, &main)) return;
  ScreenPoint place = CentreOver({box.left, box.top, box.right, box.bottom},
                                 {main.left, main.top, main.right, main.bottom});
  MoveWindow(dialog, place.x, place.y, box.right - box.left, box.bottom - box.top, TRUE);
}

void DialogFrame::Begin(HWND dialog, HWND main_window) {
  brush_.Reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  if (main_window != nullptr) CentreOverMainWindow(dialog, main_window);
}

bool DialogFrame::Handle(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) {
  switch (message) {
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      if (item->CtlID != IDC_FRAME || item->itemAction != ODA_DRAWENTIRE) return false;
      if (brush_) FillRect(item->hDC, &item->rcItem, brush_.Get());
      RECT edge = item->rcItem;
      edge.left += 10;
      edge.top += 10;
      edge.right -= 12;
      edge.bottom -= 12;
      GdiObject<HBRUSH> shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
      FrameRect(item->hDC, &edge, shadow.Get());
      OffsetRect(&edge, 1, 1);
      GdiObject<HBRUSH> highlight(CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT)));
      FrameRect(item->hDC, &edge, highlight.Get());
      result = TRUE;
      return true;
    }
    case WM_SYSCOLORCHANGE:
      brush_.Reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
      InvalidateRect(dialog, nullptr, TRUE);
      result = FALSE;
      return true;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      if (!brush_) return false;
      UnrealizeObject(brush_.Get());
      POINT origin = {0, 0};
      ClientToScreen(dialog, &origin);
      SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
      result = reinterpret_cast<INT_PTR>(brush_.Get());
      return true;
    }
    case WM_PAINT: {
      PaintDC paint(dialog);
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tarnwick::win32
