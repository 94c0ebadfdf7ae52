#include "details/win32/details_pane.h"

#include <algorithm>
#include <string>

#include "details/detail_rows.h"
#include "details/value_edit.h"
#include "platform/win32/ui/list_view.h"
#include "platform/win32/ui/picture_list.h"
#include "platform/win32/ui/win32_api.h"
#include "platform/win32/ui/window_messages.h"
#include "resource.h"
#include "tree/win32/vis_pane.h"

namespace tarnwick::win32 {

namespace {

constexpr DWORD kDetailsStyle = WS_CHILD | WS_VISIBLE | WS_THICKFRAME | LVS_NOSORTHEADER |
                                LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
// Sizes at 96 dpi, scaled with the window's.
constexpr int kPictureColumnWidth = 20;
constexpr int kLeastValueWidth = 100;
constexpr int kColumnMargins = 28;
constexpr int kHitTestX = 8;
constexpr int kFirstEditableRow = kFirstEditableDetailRow;

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

std::unique_ptr<DetailsPane> DetailsPane::Create(DetailsPaneOwner& shell, Session& session) {
  std::unique_ptr<DetailsPane> pane(new DetailsPane(shell, session));
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
    if (code != 0) session.host.ShowMessage(code, "creating details window");
    return nullptr;
  }
  pane->Hook();
  pane->popup_.Reset(LoadMenuA(shell.Instance(), "DETAILpopup"));
  pane->SetCheckMarks(session.options.show_all_fields, session.options.fractional_minutes);
  SetControlFont(pane->control_, shell.Scale().MessageFont());
  pane->LoadPictures();
  int label_width = pane->LabelColumnWidth();
  InsertColumn(pane->control_, 0, "", LVCFMT_LEFT, shell.Scale().Px(kPictureColumnWidth));
  InsertColumn(pane->control_, 1, "item  ", LVCFMT_RIGHT, label_width);
  InsertColumn(pane->control_, 2, "value", LVCFMT_LEFT,
               std::max(label_width, width - label_width - shell.Scale().Px(kColumnMargins)));
  pane->MeasureRowHeight();
  return pane;
}

DetailsPane::~DetailsPane() {
  if (control_ != nullptr && IsWindow(control_)) {
    hook_.Detach();
    DestroyWindow(control_);
  }
}

void DetailsPane::LoadPictures() {
  images_.Reset(LoadPictureList(shell_.Instance(), IDB_ROOT, IDB_LOCATION_MARKED,
                                shell_.Scale().PictureStep()));
  if (images_) {
    SendMessageA(control_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_.Get()));
  }
}

int DetailsPane::LabelColumnWidth() const {
  // The widest label with a fifth to spare, measured in the list's font.
  int widest = 0;
  for (std::string_view label : kDetailRowLabels) {
    std::string text(label);
    widest =
        std::max(widest, static_cast<int>(SendMessageA(control_, LVM_GETSTRINGWIDTHA, 0,
                                                       reinterpret_cast<LPARAM>(text.c_str()))));
  }
  return 6 * widest / 5;
}

void DetailsPane::ScaleChanged(int old_dpi) {
  if (control_ == nullptr) return;
  CloseEditBox();
  const ScreenScale& scale = shell_.Scale();
  SetControlFont(control_, scale.MessageFont());
  // The old pictures stay until the new ones are in place.
  ImageListHandle old_images(images_.Release());
  LoadPictures();
  SendMessageA(control_, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(scale.Px(kPictureColumnWidth), 0));
  SendMessageA(control_, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(LabelColumnWidth(), 0));
  SendMessageA(control_, LVM_SETCOLUMNWIDTH, 2,
               MAKELPARAM(Rescale(ColumnWidth(control_, 2), old_dpi, scale.Dpi()), 0));
  MeasureRowHeight();
  InvalidateRect(control_, nullptr, TRUE);
}

void DetailsPane::MeasureRowHeight() {
  if (SendMessageA(control_, LVM_GETITEMCOUNT, 0, 0) > 0) {
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    if (SendMessageA(control_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds))) {
      row_height_ = bounds.bottom - bounds.top;
    }
    return;
  }
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
  CloseEditBox();
  edit_.undo.Clear();
  if (control_ == nullptr) return;
  SendMessageA(control_, LVM_DELETEALLITEMS, 0, 0);
  InvalidateRect(control_, nullptr, TRUE);
}

int DetailsPane::RowCount() const {
  return static_cast<int>(SendMessageA(control_, LVM_GETITEMCOUNT, 0, 0));
}

void DetailsPane::SelectRow(int row) {
  SelectListRow(control_, row);
}

void DetailsPane::Fill(TreeNode node, int row) {
  if (control_ == nullptr) return;
  Session& s = session_;
  TreeItemData data = node != nullptr ? s.tree.Data(node) : 0;
  int count = DetailRowCount(node, data, s.options.show_all_fields);
  bool keep = node != nullptr && RowCount() == count;
  if (!keep) SendMessageA(control_, LVM_DELETEALLITEMS, 0, 0);
  // Drawn once when all rows are in, not once per text.
  SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
  for (int r = 0; r < count; ++r) {
    if (keep) {
      LVITEMA item = {};
      item.mask = LVIF_PARAM;
      item.iItem = r;
      item.lParam = static_cast<LPARAM>(data);
      SendMessageA(control_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    } else {
      LVITEMA item = {};
      item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
      item.iItem = r;
      item.pszText = const_cast<char*>("");
      item.iImage = DetailRowIcon(r);
      item.lParam = static_cast<LPARAM>(data);
      SendMessageA(control_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      SetListItemText(control_, r, 1, std::string(kDetailRowLabels[r]));
    }
    SetListItemText(control_, r, 2,
                    DetailRowValue(s.set, s.tree, node, r, s.options.fractional_minutes));
  }
  SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(control_, nullptr, TRUE);
  if (count == 0) return;
  int selected = row != 0 ? row : (count >= 10 ? kFirstEditableRow : 0);
  if (selected >= 0 && selected < count) SelectRow(selected);
}

void DetailsPane::Refresh(int row) {
  HWND tree = shell_.TreeControl();
  if (tree == nullptr) return;
  Fill(session_.tree.Selected(), row);
}

void DetailsPane::SelectionChanged(TreeNode node) {
  // An open edit box belongs to the item it was opened on: whatever moved the selection (a menu
  // or toolbar command leaves the focus in the box), Enter must not store its text elsewhere.
  CloseEditBox();
  bool had_undo = CanUndo();
  edit_.undo.Clear();
  Fill(node, 0);
  // The undo item greys with the undo it offered.
  if (had_undo) shell_.UpdateMenuState();
}

void DetailsPane::BeginValueEdit(int row) {
  if (control_ == nullptr) return;
  int count = RowCount();
  if (count < kFirstEditableRow) {
    SetFocus(control_);
    return;
  }
  if (row != 0) {
    int last = session_.options.show_all_fields ? kLastDetailRow : kLastBasicDetailRow;
    row = std::clamp(row, kFirstEditableRow, std::min(last, count - 1));
    SelectRow(row);
    SetFocus(control_);
  } else {
    row = static_cast<int>(
        SendMessageA(control_, LVM_GETNEXTITEM, kFirstEditableRow - 1, LVNI_SELECTED));
    if (row < 0) return;
  }
  if (row < kFirstEditableRow) return;

  CloseEditBox();
  std::string text = ListItemText(control_, row, 2);
  RECT bounds = {};
  bounds.left = LVIR_BOUNDS;
  if (!SendMessageA(control_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds))) return;
  RECT box = {};
  box.left = bounds.left + ColumnWidth(control_, 0) + ColumnWidth(control_, 1);
  box.top = bounds.top;
  box.right = box.left + ColumnWidth(control_, 2);
  box.bottom = bounds.bottom;
  OpenValueEdit(edit_, session_.tree.Selected(), row, text);
  if (!edit_box_.Open(control_, box, text, [this, row](const std::string& typed, WORD key) {
        return ApplyEditedText(row, typed, key);
      })) {
    edit_.ForgetOpenEdit();
  }
}

void DetailsPane::CloseEditBox() {
  edit_box_.Close();
  edit_.ForgetOpenEdit();
}

bool DetailsPane::ApplyEditedText(int row, const std::string& text, WORD key) {
  ValueEditOutcome outcome = EndValueEdit(session_, edit_, text);
  if (outcome == ValueEditOutcome::kMisfit) {
    edit_box_.ShowTip(edit_.problem);
    session_.host.ShowStatusNote("Type " + edit_.problem);
    return true;
  }
  // The rows now show another item: nothing to refresh or move on to.
  if (outcome == ValueEditOutcome::kElsewhere) return false;
  if (outcome == ValueEditOutcome::kApplied) SetListItemText(control_, row, 2, text);
  WPARAM moved = key == VK_UP || key == VK_DOWN ? key : 0;
  // Posted, so that the edit box is gone before the rows are filled again.
  PostMessageA(shell_.Window(), kDetailsRefreshMessage, row, static_cast<LPARAM>(moved));
  return false;
}

void DetailsPane::EditSelectedRow() {
  if (control_ == nullptr) return;
  int row = static_cast<int>(SendMessageA(control_, LVM_GETNEXTITEM, 0, LVNI_SELECTED));
  BeginValueEdit(row > 0 ? std::max(row, kFirstEditableRow) : -1);
}

void DetailsPane::OnEditEnded(int row, WPARAM key) {
  Refresh(row);
  if (key == VK_UP) {
    BeginValueEdit(row - 1);
  } else if (key == VK_DOWN) {
    BeginValueEdit(row + 1);
  }
}

LRESULT DetailsPane::OnNotify(NMHDR* header) {
  if (header->code != LVN_KEYDOWN) return 0;
  WORD key = reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey;
  if (key == VK_TAB) {
    if (shell_.TreeControl() != nullptr) SetFocus(shell_.TreeControl());
  } else if (key == VK_RETURN) {
    BeginValueEdit(0);
  }
  return 0;
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
  hit.pt = {shell_.Scale().Px(kHitTestX), GET_Y_LPARAM(position)};
  int row =
      static_cast<int>(SendMessageA(control_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row >= 0) SelectRow(row);
  // Moving the focus here is not leaving the VIS pane with its pending changes.
  VisPane* vis = shell_.GetVisPane();
  if (vis != nullptr) vis->SetFocusGuard(true);
  SetFocus(nullptr);
  SetFocus(control_);
  if (vis != nullptr) vis->SetFocusGuard(false);
  return row;
}

std::optional<LRESULT> DetailsPane::OnControlMessage(HWND, UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_LBUTTONDBLCLK && ClickRow(lparam) >= 0) {
    BeginValueEdit(0);
    // The list's own handling would take the focus back from the edit box.
    if (EditBox() != nullptr) return 0;
  }
  return std::nullopt;
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
  if (value > shell_.Scale().Px(kLeastValueWidth)) {
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
