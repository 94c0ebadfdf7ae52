#include "shell/layout.h"

#include <algorithm>

namespace tarnwick {

DetailsHeights ComputeDetailsHeights(int32_t row_height) {
  // Ten rows take 12.5 row heights: the header and a little room below the last row.
  const int32_t ten = 25 * row_height / 2;
  return DetailsHeights{ten, 5 * row_height + ten, 7 * row_height / 2};
}

int32_t PaneHeight(const LayoutInput& in) {
  // Bars taller than a tiny client area would otherwise give the panes negative heights.
  return std::max(0, in.client_height - in.toolbar_height - in.status_bar_height);
}

RightPanesLayout LayoutRightPanes(const LayoutInput& in) {
  const int32_t h = PaneHeight(in);
  const int32_t wanted = in.show_all_fields ? in.details.fifteen_rows : in.details.ten_rows;
  const int32_t minimum = in.details.vis_minimum;
  int32_t d = wanted;
  if (h < wanted + minimum) {
    d = h - minimum;
    if (d < 0) d = h / 2;
  }
  const int32_t left = std::max(0, in.tree_width);
  const int32_t width = std::max(0, in.client_width - left);
  RightPanesLayout out;
  out.details_height = d;
  out.details = PaneRect{left, in.toolbar_height, width, d};
  out.vis = PaneRect{left, in.toolbar_height + d, width, h - d};
  return out;
}

Layout Relayout(const LayoutInput& in) {
  LayoutInput narrowed = in;
  if (narrowed.client_width < narrowed.tree_width) narrowed.tree_width = narrowed.client_width;
  narrowed.tree_width = std::max(0, narrowed.tree_width);
  Layout out;
  out.tree_width = narrowed.tree_width;
  out.tree_height = PaneHeight(narrowed);
  out.tree = PaneRect{0, in.toolbar_height, out.tree_width, out.tree_height};
  out.right = LayoutRightPanes(narrowed);
  return out;
}

int32_t InitialTreeWidth(const std::optional<WindowRect>& stored, int32_t client_width,
                         int32_t recorded_width) {
  if (stored) return std::min(stored->width, client_width);
  return recorded_width != 0 ? recorded_width : client_width / 2;
}

std::array<int32_t, 5> StatusBarPartEdges(int32_t client_width) {
  const int32_t fifth = client_width / 5;
  return {fifth, 2 * fifth, 3 * fifth, 4 * fifth, -1};
}

}  // namespace tarnwick
