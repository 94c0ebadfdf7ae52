// The tree pane: the tree-view control (child 1003) that shows the menu, its pictures, its two
// popup menus, its own handling of size changes, focus and the right button, the control's
// notifications (selection, label edits, keys, the start of a drag) and the drag itself, whose
// mouse messages the main window passes on while it holds the capture.
#pragma once

#include <memory>

#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/pane_control.h"
#include "platform/win32/ui/win32_api.h"
#include "scenery/session.h"
#include "tree/auto_scroll.h"
#include "tree/win32/tree_pane_owner.h"

namespace tarnwick::win32 {

// The timer that scrolls the tree while dragging: identifier 1, owned by the main window.
constexpr UINT_PTR kScrollTimerId = 1;

// What the pane holds while a drag runs (the dragged node itself is the core's).
struct DragFeedback {
  bool active = false;  // image shown, cursor hidden, mouse captured
  ImageListHandle image;
  UINT_PTR timer = 0;  // kScrollTimerId while the scroll timer runs
  ScrollDirection direction = ScrollDirection::kLineUp;
  int period_ms = 0;
  int lines = 1;         // scrolled at each tick
  int timer_starts = 0;  // every start or restart of the timer, for tests to see the re-timing
  POINT hot_spot = {};
  // The node this drag last highlighted. The control's own drop item cannot be taken alone:
  // Wine sets it to the dragged node when the drag starts, before anything is highlighted.
  HTREEITEM drop_target = nullptr;
};

class TreePane final : public PaneControl {
 public:
  // Makes the pane at the left of the main window; nullptr when the control cannot be created
  // (reported as "creating tree window").
  static std::unique_ptr<TreePane> Create(TreePaneOwner& shell, Session& session);
  ~TreePane();
  HMENU ItemMenu() const { return item_menu_.Get(); }
  HMENU SpaceMenu() const { return space_menu_.Get(); }
  // The check mark of command 143 in both popup menus.
  void SetAutoExpandMark(bool on);

  // A WM_NOTIFY from the control; the result the control expects.
  LRESULT OnNotify(NMHDR* header);
  // The window moved to a screen of another dpi: new font and pictures.
  void ScaleChanged();
  // A command has run: the selection change follows a selection the control moved silently.
  void SettleSelection();

  // The drag. While Dragging(), the main window passes its mouse moves (in its own client
  // coordinates), the left button's release, the loss of the capture and message 1026 here.
  bool Dragging() const { return drag_.active; }
  const DragFeedback& Drag() const { return drag_; }
  void OnDragMouseMove(POINT main_client);
  void OnDragButtonUp(bool shift);
  void OnDragCaptureLost();
  // Escape: the drag ends without a drop and the dragged node is selected again.
  void CancelDrag();
  void OnDragScrollTick();

 private:
  void LoadPictures();
  TreePane(TreePaneOwner& shell, Session& session)
      : PaneControl(shell), shell_(shell), session_(session) {}
  void OnSize(WPARAM state, int client_width) override;
  bool OnRightButtonDown(LPARAM position) override;
  std::optional<RECT> SelectedItemRect() const override;
  void OnKeyDown(WORD key);
  void OnSelectionChanged(const NMTREEVIEWA& change);
  LRESULT OnEndLabelEdit(const NMTVDISPINFOA& edit);

  // Drag helpers (tree_pane_drag.cpp).
  void OnBeginDrag(const NMTREEVIEWA& start);
  // Removes the image, shows the cursor, stops the timer and gives the capture back.
  void EndDragFeedback();
  void CheckAutoScroll(POINT tree_client);
  void StopScrollTimer();
  void RemoveDropHighlight();
  // The offset of the control's client area within its window (the drag image is placed in
  // window coordinates).
  POINT ClientOffset() const;
  static void CALLBACK OnScrollTimer(HWND window, UINT message, UINT_PTR id, DWORD time);

  TreePaneOwner& shell_;
  Session& session_;
  MenuHandle item_menu_;
  MenuHandle space_menu_;
  ImageListHandle images_;
  DragFeedback drag_;
};

}  // namespace tarnwick::win32
