// The main message loop and the keys it takes before any window sees them.
#include "resource.h"
#include "shell/win32/main_window.h"

namespace tarnwick::win32 {

bool MainWindow::PreTranslate(MSG& message) {
  // The modeless dialogs get their keyboard navigation first.
  if (host_.OfferToDialogs(message)) return true;
  if (message.message != WM_KEYDOWN) return false;
  switch (message.wParam) {
    case VK_TAB:
      if (message.hwnd == nullptr || message.hwnd != TreeControl()) return false;
      SetFocus(GetKeyState(VK_SHIFT) < 0 ? VisControl() : DetailsControl());
      return true;
    case 'F':
      if (GetKeyState(VK_CONTROL) >= 0) return false;
      if (set_.MenuPresent()) SendMessageA(window_, WM_COMMAND, IDM_FIND, 0);
      return true;
    case VK_F3:
      if (set_.MenuPresent()) SendMessageA(window_, WM_COMMAND, IDM_FIND_NEXT, 0);
      return true;
    case VK_F7:
      if (set_.MenuPresent()) SendMessageA(window_, WM_COMMAND, IDM_CHECK_MENU, 0);
      return true;
    default:
      return false;
  }
}

int MainWindow::RunMessageLoop() {
  MSG message = {};
  for (;;) {
    if (timing_.On()) timing_.QueueChecked(HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0);
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tarnwick::win32
