// The decision behind scrolling the tree while dragging near or beyond its top or bottom edge.
#pragma once

namespace tarnwick {

// A client rectangle: left and top are 0, right and bottom exclusive.
struct ClientArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

enum class AutoScrollAction {
  kKeep,  // leave the scroll timer as it is (running or not)
  kStop,  // stop the scroll timer
  kScroll,
};
enum class ScrollDirection { kLineUp = 0, kLineDown = 1 };

struct AutoScrollDecision {
  AutoScrollAction action = AutoScrollAction::kKeep;
  ScrollDirection direction = ScrollDirection::kLineUp;
  int period_ms = 0;  // with kScroll: the timer's period
  int lines = 1;      // with kScroll: lines to scroll at each tick
};

constexpr int kSlowScrollMs = 250;
constexpr int kFastScrollMs = 100;

// Beyond the edge the speed grows with the square of the distance: about one screen a second at
// this many pixels out, a line a tick at the least.
constexpr int kScreenPerSecondDistance = 30;

// For the cursor at (x, y) in the pane's client coordinates: within two horizontal scroll bar
// heights (`cy_hscroll` each) of the top or bottom edge it scrolls slowly, beyond the edge fast,
// the faster the further out (`line_height` gives the lines a screen holds; 0 keeps a line a
// tick), in the middle it stops; beside the pane, or with no vertical scroll range, nothing
// changes.
AutoScrollDecision CheckAutoScroll(const ClientArea& client, int x, int y, int cy_hscroll,
                                   bool has_scroll_range, int line_height = 0);

}  // namespace tarnwick
