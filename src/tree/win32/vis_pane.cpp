#include "tree/win32/vis_pane.h"

#include <algorithm>
#include <string>

#include "output/vis_commit.h"
#include "platform/win32/ui/list_view.h"
#include "platform/win32/ui/picture_list.h"
#include "platform/win32/ui/text_widths.h"
#include "platform/win32/ui/win32_api.h"
#include "platform/win32/ui/window_messages.h"
#include "resource.h"
#include "tree/vis_selection.h"

namespace tarnwick::win32 {

namespace {

constexpr DWORD kVisStyle = WS_CHILD | WS_VISIBLE | WS_THICKFRAME | LVS_REPORT | LVS_SINGLESEL |
                            LVS_SHOWSELALWAYS | LVS_NOSORTHEADER;
// Sizes at 96 dpi, scaled with the window's.
constexpr int kPictureColumnWidth = 20;
// A path column narrower than this is not worth resizing to.
constexpr int kLeastPathWidth = 100;
constexpr int kColumnMargins = 28;
constexpr int kTitleSpare = 16;
constexpr int kHitTestX = 8;
constexpr int kHeadingMargins = 12;
constexpr const char* kTitleHeading = "VIS scenery selections";

void InsertColumn(HWND list, int index, const char* heading, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = const_cast<char*>(heading);
  column.iSubItem = index;
  SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

int ColumnWidth(HWND list, int column) {
  return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
}

void SetColumnWidth(HWND list, int column, int width) {
  SendMessageA(list, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
}

}  // namespace

std::unique_ptr<VisPane> VisPane::Create(VisPaneOwner& shell, Session& session) {
  std::unique_ptr<VisPane> pane(new VisPane(shell, session));
  HWND main = shell.Window();
  RECT client = {};
  GetClientRect(main, &client);
  int width = std::max(0, static_cast<int>(client.right) - shell.TreeWidth());

  SetLastError(0);
  pane->control_ = CreateWindowExA(
      0, WC_LISTVIEWA, "", kVisStyle, shell.TreeWidth(), shell.ToolBarHeight(), width,
      shell.PaneHeight(), main, reinterpret_cast<HMENU>(IDC_VIS_PANE), shell.Instance(), nullptr);
  if (pane->control_ == nullptr) {
    DWORD code = GetLastError();
    if (code != 0) session.host.ShowMessage(code, "creating VIS window");
    return nullptr;
  }
  pane->Hook();
  pane->popup_.Reset(LoadMenuA(shell.Instance(), "VISpopup"));
  SetControlFont(pane->control_, shell.Scale().MessageFont());
  pane->LoadPictures();
  const ScreenScale& scale = shell.Scale();
  int half = (width - scale.Px(kColumnMargins)) / 2;
  InsertColumn(pane->control_, 0, "", scale.Px(kPictureColumnWidth));
  InsertColumn(pane->control_, 1, kTitleHeading, half);
  InsertColumn(pane->control_, 2, "Scenery path", half);
  InvalidateRect(pane->control_, nullptr, TRUE);
  return pane;
}

void VisPane::LoadPictures() {
  images_.Reset(
      LoadPictureList(shell_.Instance(), IDB_VIS_OFF, IDB_VIS_ON, shell_.Scale().PictureStep()));
  if (images_) {
    SendMessageA(control_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_.Get()));
  }
}

void VisPane::ScaleChanged(int old_dpi) {
  if (control_ == nullptr) return;
  const int dpi = shell_.Scale().Dpi();
  SetControlFont(control_, shell_.Scale().MessageFont());
  // The old pictures stay until the new ones are in place.
  ImageListHandle old_images(images_.Release());
  LoadPictures();
  for (int column = 0; column < 3; ++column) {
    SetColumnWidth(control_, column, Rescale(ColumnWidth(control_, column), old_dpi, dpi));
  }
  InvalidateRect(control_, nullptr, TRUE);
}

VisPane::~VisPane() {
  if (control_ != nullptr && IsWindow(control_)) {
    hook_.Detach();
    DestroyWindow(control_);
  }
}

void VisPane::Clear() {
  if (control_ == nullptr) return;
  // A fill that was stopped draws again.
  EndFill();
  SendMessageA(control_, LVM_DELETEALLITEMS, 0, 0);
  InvalidateRect(control_, nullptr, TRUE);
}

void VisPane::BeginRows() {
  if (control_ == nullptr || fill_) return;
  // Drawn once at the end: a list shown while its rows go in lays itself out at every row.
  SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
  fill_ = std::make_unique<Fill>(control_);
}

void VisPane::EndFill() {
  if (!fill_) return;
  fill_.reset();
  SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(control_, nullptr, TRUE);
}

void VisPane::AddRow(int number, bool on, std::string_view title, std::string_view path) {
  if (control_ == nullptr) return;
  if (fill_) fill_->widest_title = std::max(fill_->widest_title, fill_->widths.Width(title));
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = static_cast<int>(SendMessageA(control_, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = const_cast<char*>("");
  item.iImage = on ? 1 : 0;
  item.lParam = number;
  int row =
      static_cast<int>(SendMessageA(control_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return;
  SetListItemText(control_, row, 1, title);
  SetListItemText(control_, row, 2, path);
}

void VisPane::FinishRows() {
  if (control_ == nullptr) return;
  int rows = static_cast<int>(SendMessageA(control_, LVM_GETITEMCOUNT, 0, 0));
  int widest = 0;
  if (fill_) {
    widest = fill_->widest_title;
  } else {
    TextWidths widths(control_);
    for (int row = 0; row < rows; ++row) {
      widest = std::max(widest, widths.Width(ListItemText(control_, row, 1)));
    }
  }
  EndFill();
  int old_title = ColumnWidth(control_, 1);
  // Never narrower than its heading, which short titles would cut: its text and the header's
  // margins of three edges each side.
  int heading = static_cast<int>(SendMessageA(control_, LVM_GETSTRINGWIDTHA, 0,
                                              reinterpret_cast<LPARAM>(kTitleHeading))) +
                shell_.Scale().Px(kHeadingMargins);
  int new_title = std::max(widest + shell_.Scale().Px(kTitleSpare), heading);
  SetColumnWidth(control_, 1, new_title);
  int path = ColumnWidth(control_, 2) + old_title - new_title;
  if (path > shell_.Scale().Px(kLeastPathWidth)) SetColumnWidth(control_, 2, path);
  if (rows > 0) SelectRow(0);
}

int VisPane::ClickRow(LPARAM position) {
  moving_focus_ = true;
  SetFocus(nullptr);
  LVHITTESTINFO hit = {};
  // Tested near the left edge so that a click anywhere across a row hits it.
  hit.pt = {shell_.Scale().Px(kHitTestX), GET_Y_LPARAM(position)};
  int row =
      static_cast<int>(SendMessageA(control_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row >= 0) SelectRow(row);
  SetFocus(control_);
  moving_focus_ = false;
  return row;
}

std::optional<LRESULT> VisPane::OnControlMessage(HWND, UINT message, WPARAM, LPARAM lparam) {
  switch (message) {
    case WM_KILLFOCUS:
      // Leaving the pane asks about pending changes.
      if (!moving_focus_ && !passing_command_ && shell_.Window() != nullptr) {
        PostMessageA(shell_.Window(), kVisCommitMessage, 0, 0);
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (ClickRow(lparam) >= 0) ToggleSelected();
      break;
    default:
      break;
  }
  return std::nullopt;
}

void VisPane::PassCommand(WPARAM wparam, LPARAM lparam) {
  passing_command_ = true;
  SendMessageA(shell_.Window(), WM_COMMAND, wparam, lparam);
  passing_command_ = false;
}

void VisPane::OnSize(WPARAM state, int client_width) {
  if (state == SIZE_MINIMIZED) return;
  HWND main = shell_.Window();
  if (main != nullptr && !shell_.LayoutInProgress()) {
    RECT client = {};
    GetClientRect(main, &client);
    RECT outer = {};
    GetWindowRect(control_, &outer);
    int width = outer.right - outer.left;
    if (width + shell_.TreeWidth() != client.right ||
        outer.bottom - outer.top != shell_.PaneHeight()) {
      shell_.SetTreeWidth(client.right - width);
      PostMessageA(main, kRelayoutMessage, 0, 0);
    }
  }
  int path = client_width - ColumnWidth(control_, 0) - ColumnWidth(control_, 1);
  if (path > shell_.Scale().Px(kLeastPathWidth)) SetColumnWidth(control_, 2, path);
}

void VisPane::SelectRow(int row) {
  SelectListRow(control_, row);
}

void VisPane::ToggleSelected() {
  if (control_ == nullptr) return;
  int row = static_cast<int>(SendMessageA(control_, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  if (row < 0) return;
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageA(control_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return;
  ScenerySet& set = session_.set;
  switch (ToggleVisSelection(set, static_cast<int>(item.lParam))) {
    case VisToggleResult::kProtected:
      // The box takes the focus from the pane and gives it back: that is no leaving of the pane,
      // which would ask about pending switches on top of the box.
      moving_focus_ = true;
      shell_.Questions().Ask(control_, "This VIS entry is protected", "Tarnwick",
                             MB_OK | MB_ICONWARNING);
      SetFocus(control_);
      moving_focus_ = false;
      break;
    case VisToggleResult::kSwitched:
      ShowPicture(row, (set.Vis(item.lParam)->working_flags & kVisActiveFlag) != 0);
      unchanged_ = false;
      break;
    case VisToggleResult::kNoEntry:
      break;
  }
}

LRESULT VisPane::OnNotify(NMHDR* header) {
  if (header->code != LVN_KEYDOWN) return 0;
  WORD key = reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey;
  if (key == VK_TAB) {
    if (shell_.TreeControl() != nullptr) SetFocus(shell_.TreeControl());
  } else if (key == VK_RETURN) {
    ToggleSelected();
  }
  return 0;
}

void VisPane::ShowPicture(int row, bool on) {
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = on ? 1 : 0;
  SendMessageA(control_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void VisPane::MarkUnchanged() {
  unchanged_ = true;
  if (control_ == nullptr) return;
  ScenerySet& set = session_.set;
  int rows = static_cast<int>(SendMessageA(control_, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(control_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (const VisEntry* entry = set.Vis(item.lParam)) {
      ShowPicture(row, (entry->working_flags & kVisActiveFlag) != 0);
    }
  }
}

bool VisPane::Unchanged() {
  if (!unchanged_ && !VisSelectionsChanged(session_.set)) unchanged_ = true;
  return unchanged_;
}

bool VisPane::OnRightButtonDown(LPARAM position) {
  int row = ClickRow(position);
  if (!popup_) return false;
  HMENU popup = GetSubMenu(popup_.Get(), 0);
  EnableMenuItem(popup, IDM_TOGGLE_VIS, MF_BYCOMMAND | (row >= 0 ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(popup, IDM_UPDATE_VIS, MF_BYCOMMAND | (Unchanged() ? MF_GRAYED : MF_ENABLED));
  POINT screen = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ClientToScreen(control_, &screen);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, control_, nullptr);
  return true;
}

}  // namespace tarnwick::win32
