#include "details/win32/details_pane.h"

#include <algorithm>
#include <string>

#include "details/detail_rows.h"
#include "resource.h"
#include "shell/win32/main_window.h"
#include "shell/win32/picture_list.h"
#include "shell/win32/win32_api.h"
#include "tree/win32/vis_pane.h"

namespace tarnwick::win32 {

namespace {

constexpr DWORD kDetailsStyle = WS_CHILD | WS_VISIBLE | WS_THICKFRAME | LVS_NOSORTHEADER |
                                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr UINT_PTR kSubclassId = 1;
constexpr int kPictureColumnWidth = 20;
constexpr int kLeastValueWidth = 100;
// Rows 5 onwards hold a Location's values, the ones that can be edited.
constexpr int kFirstEditableRow = 5;

void InsertColumn(HWND list, int index, const char* heading, int format, int width) {
  LVCOLUMNA column = {};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  column.fmt = format;
  column.cx = width;
  column.pszText = const_cast<char*>(heading);
  column.iSubItem = index;
  SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

int ColumnWidth(HWND list, int column) {
  return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
}

}  // namespace

std::unique_ptr<DetailsPane> DetailsPane::Create(MainWindow& shell) {
  std::unique_ptr<DetailsPane> pane(new DetailsPane(shell));
  HWND main = shell.Window();
  RECT client = {};
  GetClientRect(main, &client);
  int width = std::max(0, static_cast<int>(client.right) - shell.TreeWidth());

  SetLastError(0);
  pane->control_ = CreateWindowExA(0, WC_LISTVIEWA, "", kDetailsStyle, shell.TreeWidth(), 0, width,
                                   client.bottom, main, reinterpret_cast<HMENU>(IDC_DETAILS_PANE),
                                   shell.Instance(), nullptr);
  if (pane->control_ == nullptr) {
    DWORD code = GetLastError();
    if (code != 0) shell.GetHost().ShowMessage(code, "creating details window");
    return nullptr;
  }
  SetWindowSubclass(pane->control_, SubclassProcedure, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(pane.get()));
  pane->popup_.Reset(LoadMenuA(shell.Instance(), "DETAILpopup"));
  pane->SetCheckMarks(shell.GetOptions().show_all_fields, shell.GetOptions().fractional_minutes);
  pane->images_.Reset(LoadPictureList(shell.Instance(), IDB_ROOT, IDB_LOCATION_MARKED));
  if (pane->images_) {
    SendMessageA(pane->control_, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(pane->images_.Get()));
  }

  // The label column fits the widest label with a fifth to spare, measured in the list's font.
  int widest = 0;
  for (std::string_view label : kDetailRowLabels) {
    std::string text(label);
    widest =
        std::max(widest, static_cast<int>(SendMessageA(pane->control_, LVM_GETSTRINGWIDTHA, 0,
                                                       reinterpret_cast<LPARAM>(text.c_str()))));
  }
  int label_width = 6 * widest / 5;
  InsertColumn(pane->control_, 0, "", LVCFMT_LEFT, kPictureColumnWidth);
  InsertColumn(pane->control_, 1, "item  ", LVCFMT_RIGHT, label_width);
  InsertColumn(pane->control_, 2, "value", LVCFMT_LEFT,
               std::max(label_width, width - label_width - 28));
  pane->MeasureRowHeight();
  return pane;
}

DetailsPane::~DetailsPane() {
  if (control_ != nullptr && IsWindow(control_)) {
    RemoveWindowSubclass(control_, SubclassProcedure, kSubclassId);
    DestroyWindow(control_);
  }
}

void DetailsPane::MeasureRowHeight() {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.pszText = const_cast<char*>("");
  int row =
      static_cast<int>(SendMessageA(control_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return;
  RECT bounds = {};
  bounds.left = LVIR_BOUNDS;
  if (SendMessageA(control_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds))) {
    row_height_ = bounds.bottom - bounds.top;
  }
  SendMessageA(control_, LVM_DELETEITEM, row, 0);
}

void DetailsPane::Clear() {
  if (control_ == nullptr) return;
  SendMessageA(control_, LVM_DELETEALLITEMS, 0, 0);
  InvalidateRect(control_, nullptr, TRUE);
}

void DetailsPane::SetCheckMarks(bool show_all_fields, bool fractional_minutes) {
  if (!popup_) return;
  auto mark = [](bool on) { return MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED); };
  CheckMenuItem(popup_.Get(), IDM_SHOW_ALL_FIELDS, mark(show_all_fields));
  CheckMenuItem(popup_.Get(), IDM_FRACTIONAL_MINUTES, mark(fractional_minutes));
  CheckMenuItem(popup_.Get(), IDM_MINUTES_SECONDS, mark(!fractional_minutes));
}

int DetailsPane::ClickRow(LPARAM position) {
  LVHITTESTINFO hit = {};
  // Tested near the left edge so that a click anywhere across a row hits it.
  hit.pt = {8, GET_Y_LPARAM(position)};
  int row =
      static_cast<int>(SendMessageA(control_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row >= 0) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(control_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  }
  // Moving the focus here is not leaving the VIS pane with its pending changes.
  VisPane* vis = shell_.GetVisPane();
  if (vis != nullptr) vis->SetFocusGuard(true);
  SetFocus(nullptr);
  SetFocus(control_);
  if (vis != nullptr) vis->SetFocusGuard(false);
  return row;
}

LRESULT CALLBACK DetailsPane::SubclassProcedure(HWND control, UINT message, WPARAM wparam,
                                                LPARAM lparam, UINT_PTR id, DWORD_PTR self) {
  auto* pane = reinterpret_cast<DetailsPane*>(self);
  switch (message) {
    case WM_SIZE:
      pane->OnSize(wparam, LOWORD(lparam));
      break;
    case WM_SETFOCUS:
      pane->shell_.UpdateMenuState();
      break;
    case WM_COMMAND:
      SendMessageA(pane->shell_.Window(), WM_COMMAND, wparam, lparam);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Editing a value on a double click arrives with the details' own editing.
      pane->ClickRow(lparam);
      break;
    case WM_RBUTTONDOWN:
      if (pane->OnRightButtonDown(lparam)) return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, SubclassProcedure, id);
      pane->control_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(control, message, wparam, lparam);
}

void DetailsPane::OnSize(WPARAM state, int client_width) {
  if (state == SIZE_MINIMIZED) return;
  HWND main = shell_.Window();
  if (main != nullptr && !shell_.LayoutInProgress()) {
    RECT client = {};
    GetClientRect(main, &client);
    RECT outer = {};
    GetWindowRect(control_, &outer);
    int width = outer.right - outer.left;
    if (width != client.right - shell_.TreeWidth() ||
        outer.bottom - outer.top != shell_.DetailsHeight()) {
      // The user dragged the pane's edge: the split follows it.
      shell_.SetTreeWidth(client.right - width);
      PostMessageA(main, kRelayoutMessage, 0, 0);
    }
  }
  int value = client_width - ColumnWidth(control_, 0) - ColumnWidth(control_, 1);
  if (value > kLeastValueWidth) {
    SendMessageA(control_, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(value, 0));
  }
}

bool DetailsPane::OnRightButtonDown(LPARAM position) {
  int row = ClickRow(position);
  if (!popup_) return false;
  HMENU popup = GetSubMenu(popup_.Get(), 0);
  shell_.UpdateMenuState(popup);
  EnableMenuItem(popup, IDM_EDIT_DETAILS_ROW,
                 MF_BYCOMMAND | (row >= kFirstEditableRow ? MF_ENABLED : MF_GRAYED));
  POINT screen = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ClientToScreen(control_, &screen);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, control_, nullptr);
  return true;
}

}  // namespace tarnwick::win32
