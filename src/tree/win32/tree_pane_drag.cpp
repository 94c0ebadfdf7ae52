// Dragging in the tree pane: the drag image, the cursor, the mouse capture, the drop highlight and
// the scroll timer. What a drop does is the core's (DropItem); when to scroll is CheckAutoScroll's.
#include <algorithm>
#include <cstring>

#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/win32_api.h"
#include "platform/win32/ui/window_messages.h"
#include "tree/drag_drop.h"
#include "tree/win32/tree_pane.h"

namespace tarnwick::win32 {

namespace {

HTREEITEM DropHighlight(HWND control) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(control, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0));
}

void SetDropHighlight(HWND control, HTREEITEM item) {
  SendMessageA(control, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item));
}

// The item's picture and label on the window's colour, which the mask leaves out. Wine's control
// hands back an empty list for its drag image, and with the cursor hidden nothing would then
// follow the hand.
HIMAGELIST MakeDragImage(HWND control, HTREEITEM item) {
  char text[260] = {};
  TVITEMA read = {};
  read.mask = TVIF_TEXT | TVIF_IMAGE;
  read.hItem = item;
  read.pszText = text;
  read.cchTextMax = sizeof text;
  if (!SendMessageA(control, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read))) return nullptr;
  auto pictures =
      reinterpret_cast<HIMAGELIST>(SendMessageA(control, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  int picture_width = 0;
  int picture_height = 0;
  if (pictures != nullptr) ImageList_GetIconSize(pictures, &picture_width, &picture_height);

  WindowDC screen(nullptr);
  MemoryDC memory(screen.Get());
  HDC dc = memory.Get();
  if (dc == nullptr) return nullptr;
  auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
  SelectObjectGuard font_in(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  const int length = static_cast<int>(std::strlen(text));
  SIZE label = {};
  GetTextExtentPoint32A(dc, text, length, &label);
  const int gap = 3;
  const int width = picture_width + 2 * gap + label.cx;
  const int height = std::max<int>(picture_height, label.cy);
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  if (!bitmap) return nullptr;
  const COLORREF background = GetSysColor(COLOR_WINDOW);
  {
    SelectObjectGuard bitmap_in(dc, bitmap.Get());
    RECT all = {0, 0, width, height};
    GdiObject<HBRUSH> brush(CreateSolidBrush(background));
    FillRect(dc, &all, brush.Get());
    if (pictures != nullptr) {
      ImageList_Draw(pictures, read.iImage, dc, 0, (height - picture_height) / 2, ILD_NORMAL);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    TextOutA(dc, picture_width + gap, (height - label.cy) / 2, text, length);
  }
  // The bitmap is taken out of the context before the list copies it.
  ImageListHandle list(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 0));
  if (list && ImageList_AddMasked(list.Get(), bitmap.Get(), background) < 0) list.Reset();
  return list.Release();
}

}  // namespace

POINT TreePane::ClientOffset() const {
  RECT window = {};
  GetWindowRect(control_, &window);
  POINT origin = {0, 0};
  ClientToScreen(control_, &origin);
  return {origin.x - window.left, origin.y - window.top};
}

void TreePane::OnBeginDrag(const NMTREEVIEWA& start) {
  if (drag_.active || control_ == nullptr) return;
  HTREEITEM item = start.itemNew.hItem;
  if (item == nullptr) return;
  drag_.image.Reset(reinterpret_cast<HIMAGELIST>(
      SendMessageA(control_, TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(item))));
  if (ImageList_GetImageCount(drag_.image.Get()) == 0) {
    drag_.image.Reset(MakeDragImage(control_, item));
  }
  // Removing the selection runs the selection change with the drag already on: no marks are
  // left and the details pane empties.
  BeginItemDrag(session_, shell_.Tree().NodeOfItem(item));

  // The message takes the item in the rectangle it fills.
  RECT label = {};
  static_assert(sizeof label >= sizeof item);
  std::memcpy(&label, &item, sizeof item);
  SendMessageA(control_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label));
  drag_.hot_spot = {start.ptDrag.x - label.left, start.ptDrag.y - label.top};

  drag_.active = true;
  drag_.drop_target = nullptr;
  POINT offset = ClientOffset();
  if (drag_.image) {
    ImageList_BeginDrag(drag_.image.Get(), 0, drag_.hot_spot.x, drag_.hot_spot.y);
    ImageList_DragEnter(control_, start.ptDrag.x + offset.x, start.ptDrag.y + offset.y);
  }
  ShowCursor(FALSE);
  SetCapture(shell_.Window());
  shell_.UpdateMenuState();
}

void TreePane::OnDragMouseMove(POINT main_client) {
  if (!drag_.active) return;
  POINT point = main_client;
  MapWindowPoints(shell_.Window(), control_, &point, 1);
  POINT offset = ClientOffset();
  if (drag_.image) ImageList_DragMove(point.x + offset.x, point.y + offset.y);

  TVHITTESTINFO hit = {};
  hit.pt = point;
  auto item = reinterpret_cast<HTREEITEM>(
      SendMessageA(control_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  // Over no node the highlight stays where it was: a release outside the tree drops there.
  if (item != nullptr) {
    ImageList_DragShowNolock(FALSE);
    SetDropHighlight(control_, item);
    drag_.drop_target = item;
    // Painted before the image comes back: a later paint of the rows would draw over it.
    UpdateWindow(control_);
    ImageList_DragShowNolock(TRUE);
  }
  CheckAutoScroll(point);
}

void TreePane::CheckAutoScroll(POINT point) {
  RECT client = {};
  GetClientRect(control_, &client);
  // A hidden scroll bar may keep an old range: only a shown one counts.
  int low = 0;
  int high = 0;
  bool has_range = (GetWindowLongA(control_, GWL_STYLE) & WS_VSCROLL) != 0 &&
                   GetScrollRange(control_, SB_VERT, &low, &high) && low != high;
  AutoScrollDecision decision =
      tarnwick::CheckAutoScroll({client.left, client.top, client.right, client.bottom}, point.x,
                                point.y, GetSystemMetrics(SM_CYHSCROLL), has_range,
                                static_cast<int>(SendMessageA(control_, TVM_GETITEMHEIGHT, 0, 0)));
  switch (decision.action) {
    case AutoScrollAction::kKeep:
      break;
    case AutoScrollAction::kStop:
      StopScrollTimer();
      break;
    case AutoScrollAction::kScroll:
      drag_.direction = decision.direction;
      drag_.lines = decision.lines;
      // A running timer of the same period keeps running: a hand that never stops moving would
      // otherwise put every tick off.
      if (drag_.timer != 0 && drag_.period_ms == decision.period_ms) break;
      drag_.period_ms = decision.period_ms;
      drag_.timer = SetTimer(shell_.Window(), kScrollTimerId, static_cast<UINT>(decision.period_ms),
                             OnScrollTimer) != 0
                        ? kScrollTimerId
                        : 0;
      ++drag_.timer_starts;
      break;
  }
}

void CALLBACK TreePane::OnScrollTimer(HWND window, UINT /*message*/, UINT_PTR /*id*/,
                                      DWORD /*time*/) {
  // The scroll itself waits for the message loop, between the mouse messages.
  PostMessageA(window, kDragScrollMessage, 0, 0);
}

void TreePane::StopScrollTimer() {
  if (drag_.timer != 0) KillTimer(shell_.Window(), drag_.timer);
  drag_.timer = 0;
}

void TreePane::OnDragScrollTick() {
  // A tick posted just before the release finds the drag over.
  if (!drag_.active) return;
  // The timer's message goes ahead of the mouse's: a move or release already waiting was aimed at
  // the tree as it stands, so it is handled first, and a release ends the scrolling.
  MSG waiting = {};
  if (PeekMessageA(&waiting, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE | PM_NOYIELD)) {
    return;
  }
  ImageList_DragShowNolock(FALSE);
  WPARAM line = drag_.direction == ScrollDirection::kLineUp ? SB_LINEUP : SB_LINEDOWN;
  for (int i = 0; i < std::max(1, drag_.lines); ++i) SendMessageA(control_, WM_VSCROLL, line, 0);
  UpdateWindow(control_);
  ImageList_DragShowNolock(TRUE);
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(control_, &cursor);
  CheckAutoScroll(cursor);
}

void TreePane::EndDragFeedback() {
  StopScrollTimer();
  if (!drag_.active) return;
  // Off before the capture goes, so that the capture's loss is not taken for a cancel.
  drag_.active = false;
  if (drag_.image) {
    ImageList_DragLeave(control_);
    ImageList_EndDrag();
  }
  ShowCursor(TRUE);
  if (GetCapture() == shell_.Window()) ReleaseCapture();
  drag_.image.Reset();
}

void TreePane::OnDragButtonUp(bool shift) {
  StopScrollTimer();
  if (!drag_.active) return;
  EndDragFeedback();
  // A node removed meanwhile is no longer the control's drop item.
  HTREEITEM target = drag_.drop_target == DropHighlight(control_) ? drag_.drop_target : nullptr;
  drag_.drop_target = nullptr;
  // A drop moves or merges many items: the control lays the tree out once, not after each.
  TreeViewMenuTree& tree = shell_.Tree();
  tree.HoldDrawing(true);
  DropItem(session_, tree.NodeOfItem(target), shift);
  tree.HoldDrawing(false);
  RemoveDropHighlight();
  // The drag cleared the rename undo.
  shell_.UpdateMenuState();
}

void TreePane::OnDragCaptureLost() {
  if (!drag_.active) return;
  // Another window took the mouse (a menu, a message box, another program): the button's release
  // will never come here, so the drag ends without dropping.
  EndDragFeedback();
  CancelItemDrag(session_);
  drag_.drop_target = nullptr;
  RemoveDropHighlight();
  shell_.UpdateMenuState();
}

void TreePane::CancelDrag() {
  if (!drag_.active) return;
  TreeNode dragged = session_.tree_state.dragged;
  EndDragFeedback();
  CancelItemDrag(session_);
  drag_.drop_target = nullptr;
  RemoveDropHighlight();
  if (dragged != nullptr) session_.tree.Select(dragged);
  shell_.UpdateMenuState();
}

void TreePane::RemoveDropHighlight() {
  SetDropHighlight(control_, nullptr);
  // Wine ignores that request while nothing is selected: the item at least stops looking
  // highlighted, and the next drag tracks its own target.
  if (HTREEITEM left = DropHighlight(control_)) {
    TVITEMA item = {};
    item.mask = TVIF_STATE;
    item.hItem = left;
    item.stateMask = TVIS_DROPHILITED;
    SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

}  // namespace tarnwick::win32
