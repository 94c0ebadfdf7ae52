// Placing the panes: the numbers come from the layout arithmetic, the windows are moved here.
#include "details/win32/details_pane.h"
#include "platform/win32/ui/win32_api.h"
#include "shell/layout.h"
#include "shell/win32/main_window.h"
#include "tree/win32/tree_pane.h"
#include "tree/win32/vis_pane.h"

namespace tarnwick::win32 {

namespace {

void Place(HWND pane, const PaneRect& rect) {
  if (pane == nullptr) return;
  SetWindowPos(pane, nullptr, rect.left, rect.top, rect.width, rect.height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace

LayoutInput MainWindow::CurrentLayout() const {
  LayoutInput in;
  RECT client = {};
  if (window_ != nullptr) GetClientRect(window_, &client);
  in.client_width = client.right;
  in.client_height = client.bottom;
  in.toolbar_height = tool_bar_ != nullptr ? tool_bar_height_ : 0;
  in.status_bar_height = status_bar_ != nullptr ? status_bar_height_ : 0;
  in.tree_width = tree_width_;
  in.details = ComputeDetailsHeights(details_pane_ != nullptr ? details_pane_->RowHeight() : 0);
  in.show_all_fields = options_.show_all_fields;
  return in;
}

int MainWindow::PaneHeight() const {
  return tarnwick::PaneHeight(CurrentLayout());
}

void MainWindow::Relayout() {
  if (window_ == nullptr) return;
  layout_in_progress_ = true;
  Layout layout = tarnwick::Relayout(CurrentLayout());
  tree_width_ = layout.tree_width;
  tree_height_ = layout.tree_height;
  Place(TreeControl(), layout.tree);
  PlaceRightPanes(layout.right);
  layout_in_progress_ = false;
}

void MainWindow::LayoutRightPanes() {
  if (window_ == nullptr) return;
  layout_in_progress_ = true;
  PlaceRightPanes(tarnwick::LayoutRightPanes(CurrentLayout()));
  layout_in_progress_ = false;
}

void MainWindow::PlaceRightPanes(const RightPanesLayout& layout) {
  details_height_ = layout.details_height;
  Place(DetailsControl(), layout.details);
  Place(VisControl(), layout.vis);
  if (DetailsControl() != nullptr) InvalidateRect(DetailsControl(), nullptr, TRUE);
  if (VisControl() != nullptr) InvalidateRect(VisControl(), nullptr, TRUE);
}

void MainWindow::SetStatusParts(int client_width) {
  if (status_bar_ == nullptr) return;
  std::array<int32_t, 5> edges = StatusBarPartEdges(client_width);
  std::array<int, 5> parts = {};
  for (size_t i = 0; i < parts.size(); ++i) parts[i] = edges[i];
  SendMessageA(status_bar_, SB_SETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
}

}  // namespace tarnwick::win32
