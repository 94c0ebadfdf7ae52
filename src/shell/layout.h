// The arithmetic of the main window's layout: the tree pane on the left, the details pane above
// the VIS pane on the right, the status bar's parts, and dialogs centred over the main window.
// The Win32 shell measures the bars and rows and moves the windows; the numbers come from here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/screen_geometry.h"
#include "shell/settings.h"

namespace tarnwick {

// The heights the details pane asks for, from the height of one of its rows.
struct DetailsHeights {
  int32_t ten_rows = 0;      // the pane with a Location's ten rows
  int32_t fifteen_rows = 0;  // with the additional fields as well
  int32_t vis_minimum = 0;   // the least height left to the VIS pane below
};
DetailsHeights ComputeDetailsHeights(int32_t row_height);

struct PaneRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const PaneRect&, const PaneRect&) = default;
};

struct LayoutInput {
  int32_t client_width = 0;
  int32_t client_height = 0;
  int32_t toolbar_height = 0;     // 0 while the toolbar is absent
  int32_t status_bar_height = 0;  // 0 while the status bar is absent
  int32_t tree_width = 0;         // the recorded TreeWidth
  DetailsHeights details;
  bool show_all_fields = false;
};

struct RightPanesLayout {
  PaneRect details;
  PaneRect vis;
  int32_t details_height = 0;  // the new DetailsHeight
};

struct Layout {
  PaneRect tree;
  int32_t tree_width = 0;   // the new TreeWidth
  int32_t tree_height = 0;  // the recorded tree height
  RightPanesLayout right;
};

// The height shared by the panes: the client area less the bars, never negative.
int32_t PaneHeight(const LayoutInput& in);
// The details and VIS panes to the right of the tree, which keeps its width.
RightPanesLayout LayoutRightPanes(const LayoutInput& in);
// All three panes; a client area narrower than the tree gives the tree all of it.
Layout Relayout(const LayoutInput& in);

// TreeWidth when the tree pane is created: the stored width clipped to the client area, else the
// width already recorded, else half the client area.
int32_t InitialTreeWidth(const std::optional<WindowRect>& stored, int32_t client_width,
                         int32_t recorded_width);

// Right edges of the status bar's five equal parts; the last, -1, means the bar's right end.
std::array<int32_t, 5> StatusBarPartEdges(int32_t client_width);

}  // namespace tarnwick
