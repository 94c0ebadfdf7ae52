// The main message loop and the keys it takes before any window sees them.
#include "details/win32/details_pane.h"
#include "resource.h"
#include "shell/win32/main_window.h"
#include "tree/win32/tree_pane.h"
#include "tree/win32/vis_pane.h"

namespace tarnwick::win32 {

namespace {
bool IsEditBox(HWND window) {
  char name[16] = {};
  return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 &&
         lstrcmpiA(name, "Edit") == 0;
}

// What a person does, as the timing file marks it.
bool IsInput(UINT message) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_COMMAND:
      return true;
    default:
      return false;
  }
}
}  // namespace

bool MainWindow::PreTranslate(MSG& message) {
  // The modeless dialogs get their keyboard navigation first.
  if (host_.OfferToDialogs(message)) return true;
  if (message.message == WM_SYSKEYDOWN) return PreTranslateSystemKey(message);
  if (message.message != WM_KEYDOWN) return false;
  switch (message.wParam) {
    case VK_ESCAPE:
      if (tree_pane_ == nullptr || !tree_pane_->Dragging()) return false;
      tree_pane_->CancelDrag();
      return true;
    case VK_F1:
      SendMessageA(window_, WM_COMMAND, IDM_HELP_FINDER, 0);
      return true;
    case VK_APPS:
      return ShowFocusedPaneMenu();
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
    case 'X':
    case 'V':
      // Only the tree's items are cut and pasted; an edit box keeps its own.
      if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 || message.hwnd == nullptr ||
          message.hwnd != TreeControl()) {
        return false;
      }
      SendMessageA(window_, WM_COMMAND, message.wParam == 'X' ? IDM_CUT : IDM_PASTE, 0);
      return true;
    case 'Z':
    case 'Y':
      // An edit box keeps its own undo of the text being typed.
      if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 || IsEditBox(message.hwnd)) {
        return false;
      }
      SendMessageA(window_, WM_COMMAND,
                   message.wParam == 'Y' || GetKeyState(VK_SHIFT) < 0 ? IDM_REDO : IDM_UNDO, 0);
      return true;
    default:
      return false;
  }
}

bool MainWindow::PreTranslateSystemKey(const MSG& message) {
  // F10 arrives as a system key; with Shift it asks for the focused pane's context menu.
  if (message.wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0) return ShowFocusedPaneMenu();
  // Alt+Up and Alt+Down move the selected item among its neighbours.
  if ((message.wParam == VK_UP || message.wParam == VK_DOWN) && message.hwnd != nullptr &&
      message.hwnd == TreeControl()) {
    SendMessageA(window_, WM_COMMAND, message.wParam == VK_UP ? IDM_MOVE_UP : IDM_MOVE_DOWN, 0);
    return true;
  }
  return false;
}

bool MainWindow::ShowFocusedPaneMenu() {
  HWND focus = GetFocus();
  PaneControl* pane = nullptr;
  if (focus == nullptr) return false;
  if (tree_pane_ != nullptr && focus == tree_pane_->Control()) pane = tree_pane_.get();
  if (details_pane_ != nullptr && focus == details_pane_->Control()) pane = details_pane_.get();
  if (vis_pane_ != nullptr && focus == vis_pane_->Control()) pane = vis_pane_.get();
  if (pane == nullptr) return false;
  pane->ShowMenuFromKeyboard();
  return true;
}

int MainWindow::RunMessageLoop() {
  MSG message = {};
  for (;;) {
    if (timing_.On()) timing_.QueueChecked(HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0);
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
    if (timing_.On() && IsInput(message.message)) timing_.InputTaken(message.message);
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tarnwick::win32
