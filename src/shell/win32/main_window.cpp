#include "shell/win32/main_window.h"

#include <algorithm>
#include <utility>

#include "details/win32/details_pane.h"
#include "output/save_results.h"
#include "output/vis_commit.h"
#include "platform/win32/ui/win32_api.h"
#include "resource.h"
#include "scenery/close_scenery_set.h"
#include "shell/settings.h"
#include "tree/vis_commit_losses.h"
#include "tree/win32/search_dialog.h"
#include "tree/win32/tree_pane.h"
#include "tree/win32/vis_pane.h"

namespace tarnwick::win32 {

MainWindow::MainWindow(HINSTANCE instance, ShellEnvironment environment)
    : instance_(instance),
      help_path_(std::move(environment.help_path)),
      questions_(environment.questions != nullptr ? environment.questions : &platform_questions_),
      registry_(environment.registry != nullptr ? environment.registry : &platform_registry_),
      settings_(std::move(environment.settings_file)),
      own_file_system_(environment.file_system != nullptr ? nullptr : MakeNativeFileSystem()),
      file_system_(environment.file_system != nullptr ? environment.file_system
                                                      : own_file_system_.get()),
      host_(*this),
      session_{set_, tree_, *file_system_, host_, options_, log_, tree_state_},
      print_job_(*this, session_) {
  if (timing_.On()) questions_ = &timed_questions_.emplace(*questions_, timing_);
}

MainWindow::~MainWindow() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
}

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA window_class = {};
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = WindowProcedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, IDI_TARNWICK_NAME);
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszMenuName = "Tarnwick";
  window_class.lpszClassName = kClassName;
  return RegisterClassA(&window_class) != 0;
}

bool MainWindow::Create() {
  HWND window =
      CreateWindowExA(0, kClassName, "Tarnwick", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
  return window != nullptr;
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcA(window, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  PassDragMessage(message, wparam, lparam);
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wparam), LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case kRelayoutMessage:
      Relayout();
      return 0;
    case kVisCommitMessage:
      OnVisCommit();
      return 0;
    case kDragScrollMessage:
      // Handled above while a drag runs; a late tick after the drop does nothing.
      return 0;
    case kDetailsRefreshMessage:
      if (details_pane_ != nullptr) details_pane_->OnEditEnded(static_cast<int>(wparam), lparam);
      UpdateMenuState();
      return 0;
    case kCloseMessage:
      OnClosePath();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
      OnCommand(wparam);
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lparam));
    case WM_KEYDOWN:
      OnKeyDown(wparam);
      break;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wparam, lparam);
}

bool MainWindow::OnCreate() {
  host_scenery_folder_ = tarnwick::HostSceneryFolder(*registry_);
  scale_.Make(WindowDpi(window_));
  ScreenSize screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (auto rect = ReadWindowRect(settings_, kMainWindowKey, screen)) {
    // Stored in 96-dpi units, so that it looks the same on a screen of another dpi.
    SetWindowPos(window_, nullptr, rect->left, rect->top,
                 std::min<int>(scale_.Px(rect->width), screen.width),
                 std::min<int>(scale_.Px(rect->height), screen.height),
                 SWP_SHOWWINDOW | SWP_NOZORDER);
  }
  LoadOptions(settings_, options_);
  SetCheckMarks();

  if (options_.status_bar && !CreateStatusBar(true)) options_.status_bar = false;
  CheckItem(IDM_STATUS_BAR, options_.status_bar);
  if (options_.tool_bar && !CreateToolBar()) options_.tool_bar = false;
  CheckItem(IDM_TOOL_BAR, options_.tool_bar);

  // Each pane reports its own failure; without all three the window is not made. The sizes
  // the panes take while they are made are the program's, not the user's.
  layout_in_progress_ = true;
  tree_pane_ = TreePane::Create(*this, session_);
  TreeControlChanged();
  if (tree_pane_ != nullptr) details_pane_ = DetailsPane::Create(*this, session_);
  if (details_pane_ != nullptr) vis_pane_ = VisPane::Create(*this, session_);
  layout_in_progress_ = false;
  if (vis_pane_ == nullptr) return false;

  LayoutRightPanes();
  UpdateMenuState();
  return true;
}

void MainWindow::OnSize(UINT state, int width, int /*height*/) {
  if (state == SIZE_MINIMIZED) return;
  if (state == SIZE_RESTORED) WriteMainWindowRect();
  if (status_bar_ != nullptr) {
    // The bar puts itself at the bottom edge, across the client area.
    SendMessageA(status_bar_, WM_SIZE, 0, 0);
    SetStatusParts(width);
  }
  if (tool_bar_ != nullptr) SendMessageA(tool_bar_, TB_AUTOSIZE, 0, 0);
  Relayout();
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  const int old_dpi = scale_.Dpi();
  // The controls take the new fonts before the old ones go.
  ScreenScale next;
  next.Make(dpi);
  std::swap(scale_, next);
  tree_width_ = Rescale(tree_width_, old_dpi, scale_.Dpi());
  layout_in_progress_ = true;
  if (tree_pane_ != nullptr) tree_pane_->ScaleChanged();
  if (details_pane_ != nullptr) details_pane_->ScaleChanged(old_dpi);
  if (vis_pane_ != nullptr) vis_pane_->ScaleChanged(old_dpi);
  // The bars are made again for their new font and pictures; the counts stay.
  if (status_bar_ != nullptr) {
    DestroyStatusBar();
    if (!CreateStatusBar(false)) options_.status_bar = false;
  }
  if (tool_bar_ != nullptr) {
    DestroyToolBar();
    if (!CreateToolBar()) options_.tool_bar = false;
  }
  CheckItem(IDM_STATUS_BAR, options_.status_bar);
  CheckItem(IDM_TOOL_BAR, options_.tool_bar);
  layout_in_progress_ = false;
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client = {};
  GetClientRect(window_, &client);
  OnSize(WindowIsRestored() ? SIZE_RESTORED : SIZE_MAXIMIZED, client.right, client.bottom);
}

void MainWindow::OnPaint() {
  PaintDC paint(window_);
}

void MainWindow::OnClose() {
  if (set_.loaded && !set_.results_saved && tree_state_.history.ChangedSinceSave() &&
      !host_.Confirm("Terminate session without saving any results?")) {
    return;
  }
  OnClosePath();
}

void MainWindow::OnClosePath() {
  if (host_.GetBusyState() == BusyState::kBusy) {
    host_.Beep();
    return;
  }
  CloseScenerySet(true);
  details_pane_.reset();
  vis_pane_.reset();
  DestroyStatusBar();
  DestroyToolBar();
  // The search text goes with the program; the dialog with the window.
  search_dialog_.reset();
  check_dialog_.reset();
  tree_state_.search = SearchState();
  SaveOptions(settings_, options_);
  log_.Close();
  print_job_.Print(/*release=*/true);
  if (WindowIsRestored()) WriteMainWindowRect();
  DestroyWindow(window_);
}

void MainWindow::OnVisCommit() {
  // Not during a long operation: the commit's own menu switch opens the progress box, which takes
  // the focus from the pane and would ask the question again inside the commit.
  if (host_.GetBusyState() != BusyState::kIdle) return;
  if (vis_pane_ == nullptr || vis_pane_->Unchanged()) return;
  HWND focus = GetFocus();
  HWND pane = VisControl();
  // Asked whatever the Confirmations option says: the switches would otherwise be lost. It says
  // what the commit takes out of the menu, which switching the area on again does not bring back.
  int answer = questions_->Ask(window_, VisCommitQuestionText(set_, tree_), "Tarnwick Confirmation",
                               MB_YESNOCANCEL | MB_ICONWARNING);
  if (answer == IDCANCEL) {
    SetFocus(pane);
    return;
  }
  if (!SaveResults(session_, /*warn=*/true, /*ask_only=*/true)) {
    SetFocus(pane);
    return;
  }
  SetFocus(vis_pane_->PassingCommand() || focus == nullptr ? pane : focus);
  if (answer == IDNO) {
    RevertVisSelections(session_);
  } else if (CommitVisSelections(session_) == VisCommitResult::kFailed) {
    SetFocus(VisControl());
  }
  UpdateMenuState();
}

void MainWindow::OnKeyDown(WPARAM key) {
  if (key == VK_TAB) {
    if (TreeControl() != nullptr) SetFocus(TreeControl());
  } else if (key == VK_F1) {
    ShowHelp();
  }
}

LRESULT MainWindow::OnNotify(NMHDR* header) {
  if (header == nullptr) return 0;
  if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) {
    return OnToolTipText(header);
  }
  switch (header->idFrom) {
    case IDC_TREE_PANE:
      return tree_pane_ != nullptr ? tree_pane_->OnNotify(header) : 0;
    case IDC_DETAILS_PANE:
      return details_pane_ != nullptr ? details_pane_->OnNotify(header) : 0;
    case IDC_VIS_PANE:
      return vis_pane_ != nullptr ? vis_pane_->OnNotify(header) : 0;
    default:
      return 0;
  }
}

LRESULT MainWindow::OnToolTipText(NMHDR* header) {
  // The tip of a toolbar button is the string numbered by its command.
  tip_text_.fill('\0');
  LoadStringA(instance_, static_cast<UINT>(header->idFrom), tip_text_.data(),
              static_cast<int>(tip_text_.size()));
  if (header->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    info->hinst = nullptr;
    info->lpszText = tip_text_.data();
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    MultiByteToWideChar(CP_ACP, 0, tip_text_.data(), -1, tip_wide_text_.data(),
                        static_cast<int>(tip_wide_text_.size()));
    info->hinst = nullptr;
    info->lpszText = tip_wide_text_.data();
  }
  return 0;
}

void MainWindow::PassDragMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // Only a drag in progress wants these: the main window holds the mouse capture for it. The
  // mouse messages still go on to the default handling.
  if (tree_pane_ == nullptr || !tree_pane_->Dragging()) return;
  switch (message) {
    case WM_MOUSEMOVE:
      tree_pane_->OnDragMouseMove({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      break;
    case WM_LBUTTONUP:
      tree_pane_->OnDragButtonUp((wparam & MK_SHIFT) != 0);
      break;
    case WM_CAPTURECHANGED:
      tree_pane_->OnDragCaptureLost();
      break;
    case kDragScrollMessage:
      tree_pane_->OnDragScrollTick();
      break;
    default:
      break;
  }
}

HWND MainWindow::SearchWindow() const {
  return search_dialog_ != nullptr ? search_dialog_->Window() : nullptr;
}

void MainWindow::SearchDialogEnded() {
  search_dialog_.reset();
}

HWND MainWindow::CheckWindow() const {
  return check_dialog_ != nullptr ? check_dialog_->Window() : nullptr;
}

void MainWindow::CheckDialogEnded() {
  check_dialog_.reset();
  if (TreeControl() != nullptr) SetFocus(TreeControl());
}

HWND MainWindow::TreeControl() const {
  return tree_pane_ != nullptr ? tree_pane_->Control() : nullptr;
}

HWND MainWindow::DetailsControl() const {
  return details_pane_ != nullptr ? details_pane_->Control() : nullptr;
}

HWND MainWindow::VisControl() const {
  return vis_pane_ != nullptr ? vis_pane_->Control() : nullptr;
}

void MainWindow::TreeControlChanged() {
  tree_.SetControl(TreeControl());
}

bool MainWindow::WindowIsRestored() const {
  return window_ != nullptr && !IsIconic(window_) && !IsZoomed(window_);
}

void MainWindow::WriteMainWindowRect() {
  RECT rect = {};
  if (window_ == nullptr || !GetWindowRect(window_, &rect)) return;
  WriteWindowRect(settings_, kMainWindowKey,
                  {rect.left, rect.top, ScaleFromDpi(rect.right - rect.left, scale_.Dpi()),
                   ScaleFromDpi(rect.bottom - rect.top, scale_.Dpi())});
}

void MainWindow::WriteTreeRect() {
  RECT rect = {};
  if (TreeControl() == nullptr || !GetWindowRect(TreeControl(), &rect)) return;
  tarnwick::WriteTreeRect(settings_, ScaleFromDpi(tree_width_, scale_.Dpi()),
                          ScaleFromDpi(rect.bottom - rect.top, scale_.Dpi()));
}

std::optional<int> MainWindow::StoredTreeWidth() {
  ScreenSize screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  std::optional<WindowRect> rect = ReadWindowRect(settings_, kTreeKey, screen);
  if (!rect) return std::nullopt;
  return scale_.Px(rect->width);
}

void MainWindow::CloseScenerySet(bool full) {
  tarnwick::CloseScenerySet(session_, full);
}

void MainWindow::ClearTree(bool full) {
  if (tree_pane_ != nullptr) {
    size_t items = tree_.Count();
    bool layout_here = false;
    if (items > 0) {
      layout_in_progress_ = true;
      layout_here = true;
      if (WindowIsRestored()) WriteTreeRect();
      // Destroying a large tree takes a while: say so, and take no input meanwhile.
      if (items > 256) {
        EnableWindow(window_, FALSE);
        wait_box_.Open(instance_, window_);
      }
    }
    if (items > 0) timing_.Write("close-start", static_cast<double>(items));
    if (items > 0 || full) {
      tree_pane_.reset();
      TreeControlChanged();
    }
    if (items > 0) timing_.Write("close-end");
    if (wait_box_.Window() != nullptr) {
      EnableWindow(window_, TRUE);
      wait_box_.Close();
    }
    if (items > 0 && !full) {
      tree_pane_ = TreePane::Create(*this, session_);
      TreeControlChanged();
    }
    if (TreeControl() != nullptr) InvalidateRect(TreeControl(), nullptr, TRUE);
    if (layout_here) layout_in_progress_ = false;
  }
  if (details_pane_ != nullptr) details_pane_->Clear();
}

}  // namespace tarnwick::win32
