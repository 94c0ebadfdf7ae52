#include "tree/win32/tree_pane.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/win32/ui/picture_list.h"
#include "platform/win32/ui/win32_api.h"
#include "platform/win32/ui/window_messages.h"
#include "resource.h"
#include "tree/drag_drop.h"
#include "tree/tree_edits.h"
#include "tree/tree_selection.h"

namespace tarnwick::win32 {

namespace {
constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_THICKFRAME | TVS_HASBUTTONS | TVS_HASLINES |
                             TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;
}  // namespace

std::unique_ptr<TreePane> TreePane::Create(TreePaneOwner& shell, Session& session) {
  std::unique_ptr<TreePane> pane(new TreePane(shell, session));
  HWND main = shell.Window();
  RECT client = {};
  GetClientRect(main, &client);
  if (shell.TreeWidth() == 0) shell.SetTreeWidth(client.right / 2);

  SetLastError(0);
  pane->control_ = CreateWindowExA(
      0, WC_TREEVIEWA, "", kTreeStyle, 0, shell.ToolBarHeight(), shell.TreeWidth(),
      shell.PaneHeight(), main, reinterpret_cast<HMENU>(IDC_TREE_PANE), shell.Instance(), nullptr);
  if (pane->control_ == nullptr) {
    DWORD code = GetLastError();
    if (code != 0) session.host.ShowMessage(code, "creating tree window");
    return nullptr;
  }

  if (std::optional<int> stored = shell.StoredTreeWidth()) {
    int width = std::min<int>(*stored, client.right);
    shell.SetTreeWidth(width);
    SetWindowPos(pane->control_, nullptr, 0, shell.ToolBarHeight(), width, shell.PaneHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // The pane is laid out as made: only a later change of its size is the user's.
  shell.SetTreeHeight(shell.PaneHeight());
  pane->Hook();
  pane->item_menu_.Reset(LoadMenuA(shell.Instance(), "TREEpopup"));
  pane->space_menu_.Reset(LoadMenuA(shell.Instance(), "TREENpopup"));
  pane->SetAutoExpandMark(session.options.auto_expand);
  SetControlFont(pane->control_, shell.Scale().MessageFont());
  pane->LoadPictures();
  return pane;
}

void TreePane::LoadPictures() {
  images_.Reset(LoadPictureList(shell_.Instance(), IDB_ROOT, IDB_LOCATION_MARKED,
                                shell_.Scale().PictureStep()));
  if (images_) {
    SendMessageA(control_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_.Get()));
  }
}

void TreePane::ScaleChanged() {
  if (control_ == nullptr) return;
  SetControlFont(control_, shell_.Scale().MessageFont());
  // The old pictures stay until the new ones are in place; the item height follows both.
  ImageListHandle old_images(images_.Release());
  LoadPictures();
  SendMessageA(control_, TVM_SETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  InvalidateRect(control_, nullptr, TRUE);
}

TreePane::~TreePane() {
  // A set closed in the middle of a drag (a key reaching a command) ends it first.
  if (drag_.active) {
    EndDragFeedback();
    CancelItemDrag(session_);
  }
  // The control goes before the image list it shows.
  if (control_ != nullptr && IsWindow(control_)) {
    hook_.Detach();
    DestroyWindow(control_);
  }
}

void TreePane::SetAutoExpandMark(bool on) {
  UINT mark = MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED);
  if (item_menu_) CheckMenuItem(item_menu_.Get(), IDM_AUTO_EXPAND, mark);
  if (space_menu_) CheckMenuItem(space_menu_.Get(), IDM_AUTO_EXPAND, mark);
}

void TreePane::OnSize(WPARAM state, int client_width) {
  if (shell_.Window() == nullptr || shell_.LayoutInProgress() || state == SIZE_MINIMIZED) return;
  RECT outer = {};
  GetWindowRect(control_, &outer);
  if (outer.right - outer.left != shell_.TreeWidth() ||
      outer.bottom - outer.top != shell_.TreeHeight()) {
    // The user dragged the pane's edge: the split follows it.
    shell_.SetTreeWidth(client_width);
    PostMessageA(shell_.Window(), kRelayoutMessage, 0, 0);
  }
  if (state == SIZE_RESTORED && shell_.WindowIsRestored()) shell_.WriteTreeRect();
}

std::optional<RECT> TreePane::SelectedItemRect() const {
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(control_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (item == nullptr) return std::nullopt;
  // The message takes the item in the rectangle it fills.
  RECT rect = {};
  std::memcpy(&rect, &item, sizeof item);
  if (!SendMessageA(control_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect))) {
    return std::nullopt;
  }
  return rect;
}

bool TreePane::OnRightButtonDown(LPARAM position) {
  TVHITTESTINFO hit = {};
  hit.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  auto item = reinterpret_cast<HTREEITEM>(
      SendMessageA(control_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  HMENU menu = space_menu_.Get();
  if (item != nullptr) {
    SendMessageA(control_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    menu = item_menu_.Get();
  }
  if (menu == nullptr) return false;
  HMENU popup = GetSubMenu(menu, 0);
  shell_.UpdateMenuState(popup);
  POINT screen = hit.pt;
  ClientToScreen(control_, &screen);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, screen.x, screen.y, 0, control_, nullptr);
  return true;
}

LRESULT TreePane::OnNotify(NMHDR* header) {
  // The A and W forms of these notifications share their layout up to the text pointer.
  switch (header->code) {
    case TVN_KEYDOWN:
      OnKeyDown(reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey);
      return 0;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      OnSelectionChanged(*reinterpret_cast<NMTREEVIEWA*>(header));
      return 0;
    case TVN_BEGINLABELEDITA: {
      auto* edit = reinterpret_cast<NMTVDISPINFOA*>(header);
      return BeginRename(session_, shell_.Tree().NodeOfItem(edit->item.hItem)) ? TRUE : FALSE;
    }
    case TVN_ENDLABELEDITA:
      return OnEndLabelEdit(*reinterpret_cast<NMTVDISPINFOA*>(header));
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      auto* change = reinterpret_cast<NMTREEVIEWA*>(header);
      shell_.Tree().NoteExpanding(change->itemNew.hItem, change->action);
      return FALSE;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW:
      shell_.Tree().NoteExpansion(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem);
      return 0;
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW:
      OnBeginDrag(*reinterpret_cast<NMTREEVIEWA*>(header));
      return 0;
    default:
      return 0;
  }
}

void TreePane::OnSelectionChanged(const NMTREEVIEWA& change) {
  if (shell_.Tree().RestoringSelection()) return;
  KeyState keys;
  keys.shift = GetKeyState(VK_SHIFT) < 0;
  keys.ctrl = GetKeyState(VK_CONTROL) < 0;
  TimingLog& timing = shell_.Timing();
  double start = timing.On() ? timing.Now() : 0;
  TreeViewMenuTree& tree = shell_.Tree();
  OnTreeSelectionChanged(session_, tree.NodeOfItem(change.itemOld.hItem),
                         tree.NodeOfItem(change.itemNew.hItem), keys);
  if (timing.On()) timing.Write("selection-changed", timing.Now() - start);
}

LRESULT TreePane::OnEndLabelEdit(const NMTVDISPINFOA& edit) {
  std::optional<std::string_view> text;
  if (edit.item.pszText != nullptr) text = edit.item.pszText;
  EndRename(session_, shell_.Tree().NodeOfItem(edit.item.hItem), text);
  // The label kept (cut to its kind's length) is already in the tree.
  shell_.UpdateMenuState();
  return FALSE;
}

void TreePane::OnKeyDown(WORD key) {
  Session& s = session_;
  switch (key) {
    case VK_TAB:
      SetFocus(GetKeyState(VK_SHIFT) < 0 ? shell_.VisControl() : shell_.DetailsControl());
      break;
    case 'F':
      if (GetKeyState(VK_CONTROL) < 0 && s.set.MenuPresent()) {
        SendMessageA(shell_.Window(), WM_COMMAND, IDM_FIND, 0);
      }
      break;
    case VK_F3:
      if (s.set.MenuPresent()) SendMessageA(shell_.Window(), WM_COMMAND, IDM_FIND_NEXT, 0);
      break;
    case VK_F2:
      RenameEntry(s, EntryKind::kAny);
      break;
    case VK_INSERT:
      NewEntry(s, GetKeyState(VK_SHIFT) < 0 ? EntryKind::kArea : EntryKind::kAny);
      SettleSelection();
      shell_.UpdateMenuState();
      break;
    case VK_DELETE:
      DeleteEntry(s, EntryKind::kAny);
      SettleSelection();
      shell_.UpdateMenuState();
      break;
    default:
      break;
  }
}

void TreePane::SettleSelection() {
  if (!drag_.active) tarnwick::SettleSelection(session_);
}

}  // namespace tarnwick::win32
