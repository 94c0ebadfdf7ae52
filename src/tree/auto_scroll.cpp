#include "tree/auto_scroll.h"

#include <algorithm>
#include <cstdint>

namespace tarnwick {

namespace {
AutoScrollDecision Scroll(ScrollDirection direction, int period_ms, int lines = 1) {
  return {AutoScrollAction::kScroll, direction, period_ms, lines};
}

// Lines a tick for the cursor `distance` pixels beyond the edge: a screen a second at
// kScreenPerSecondDistance, growing with the square of the distance.
int LinesPerTick(int distance, int screen_lines) {
  if (screen_lines <= 0) return 1;
  const int64_t d = distance;
  const int64_t per_second =
      screen_lines * d * d / (int64_t{kScreenPerSecondDistance} * kScreenPerSecondDistance);
  // Rounded: cut off, a 39-line screen would crawl at 30 lines a second.
  const int64_t per_tick = (per_second * kFastScrollMs + 500) / 1000;
  // At most ten screens a tick: the pointer at the screen's edge still shows where it goes.
  return static_cast<int>(std::clamp<int64_t>(per_tick, 1, int64_t{screen_lines} * 10));
}
}  // namespace

AutoScrollDecision CheckAutoScroll(const ClientArea& client, int x, int y, int cy_hscroll,
                                   bool has_scroll_range, int line_height) {
  if (!has_scroll_range) return {};
  const int margin = 2 * cy_hscroll;
  const int bottom = client.bottom;
  const bool inside = x >= client.left && x < client.right && y >= client.top && y < client.bottom;
  if (inside) {
    if (y < margin) return Scroll(ScrollDirection::kLineUp, kSlowScrollMs);
    if (y > bottom - margin) return Scroll(ScrollDirection::kLineDown, kSlowScrollMs);
    return {AutoScrollAction::kStop};
  }
  const int screen_lines = line_height > 0 ? (client.bottom - client.top) / line_height : 0;
  if (y < 0) return Scroll(ScrollDirection::kLineUp, kFastScrollMs, LinesPerTick(-y, screen_lines));
  if (y > bottom) {
    return Scroll(ScrollDirection::kLineDown, kFastScrollMs,
                  LinesPerTick(y - bottom, screen_lines));
  }
  return {};
}

}  // namespace tarnwick
