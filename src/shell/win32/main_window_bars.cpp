// The toolbar and the status bar: made at start-up and by commands 161 and 162, destroyed by
// those commands and by the close path.
#include "platform/win32/ui/win32_api.h"
#include "resource.h"
#include "shell/win32/main_window.h"

namespace tarnwick::win32 {

namespace {

TBBUTTON Button(int image, int command) {
  TBBUTTON button = {};
  button.iBitmap = image;
  button.idCommand = command;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = TBSTYLE_BUTTON;
  return button;
}

TBBUTTON Separator() {
  TBBUTTON button = {};
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = TBSTYLE_SEP;
  return button;
}

// The buttons in their order; the images are numbered within bitmap 2009.
const std::array<TBBUTTON, 28> kButtons = {
    Separator(),
    Button(7, IDM_OPEN),
    Button(8, IDM_SAVE),
    Separator(),
    Button(14, IDM_PRINT),
    Separator(),
    Button(16, IDM_FIND),
    Button(17, IDM_FIND_NEXT),
    Button(18, IDM_CHECK_MENU),
    Separator(),
    Button(15, IDM_UNDO),
    Separator(),
    Button(0, IDM_NEW_AREA),
    Button(1, IDM_DELETE_AREA),
    Button(2, IDM_NEW_LOCATION),
    Button(3, IDM_DELETE_LOCATION),
    Separator(),
    Button(4, IDM_SORT_AREAS),
    Button(5, IDM_SORT_LOCATIONS),
    Separator(),
    Button(6, IDM_EXPAND_ALL),
    Button(10, IDM_COLLAPSE_ALL),
    Button(12, IDM_AUTO_EXPAND),
    Separator(),
    Button(9, IDM_FRACTIONAL_MINUTES),
    Button(13, IDM_MINUTES_SECONDS),
    Separator(),
    Button(11, IDM_HELP_FINDER),
};

constexpr int kToolBarImages = 19;

int OuterHeight(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

}  // namespace

bool MainWindow::CreateStatusBar(bool reset_counts) {
  status_bar_ =
      CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0,
                      window_, reinterpret_cast<HMENU>(IDC_STATUS_BAR), instance_, nullptr);
  if (status_bar_ == nullptr) return false;
  HFONT font = scale_.FixedFont();
  SendMessageA(status_bar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  {
    // One line of the bar's font.
    WindowDC dc(status_bar_);
    SelectObjectGuard select(dc.Get(), font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc.Get(), &metrics);
    SendMessageA(status_bar_, SB_SETMINHEIGHT, metrics.tmHeight + metrics.tmExternalLeading, 0);
  }
  SendMessageA(status_bar_, WM_SIZE, 0, 0);
  status_bar_height_ = OuterHeight(status_bar_);
  RECT client = {};
  GetClientRect(window_, &client);
  SetStatusParts(client.right);
  if (reset_counts) {
    host_.ResetStatusCounts();
  } else {
    host_.ShowStatusTexts();
  }
  return true;
}

void MainWindow::DestroyStatusBar() {
  if (status_bar_ != nullptr) DestroyWindow(status_bar_);
  status_bar_ = nullptr;
  status_bar_height_ = 0;
}

bool MainWindow::CreateToolBar() {
  std::array<TBBUTTON, 28> buttons = kButtons;
  // The pictures drawn for the window's dpi, never stretched ones.
  const int size = scale_.PictureSize();
  tool_bar_ = CreateToolbarEx(
      window_, WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS, IDC_TOOL_BAR, kToolBarImages,
      instance_, IDB_TOOL_BAR + scale_.PictureStep() * IDB_SIZE_STEP, buttons.data(),
      static_cast<int>(buttons.size()), size, size, size, size, sizeof(TBBUTTON));
  if (tool_bar_ == nullptr) return false;
  auto tips = reinterpret_cast<HWND>(SendMessageA(tool_bar_, TB_GETTOOLTIPS, 0, 0));
  SetControlFont(tips, scale_.MessageFont());
  tool_bar_height_ = OuterHeight(tool_bar_);
  return true;
}

void MainWindow::DestroyToolBar() {
  if (tool_bar_ != nullptr) DestroyWindow(tool_bar_);
  tool_bar_ = nullptr;
  tool_bar_height_ = 0;
}

}  // namespace tarnwick::win32
