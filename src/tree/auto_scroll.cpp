#include "tree/auto_scroll.h"

namespace tarnwick {

namespace {
AutoScrollDecision Scroll(ScrollDirection direction, int period_ms) {
  return {AutoScrollAction::kScroll, direction, period_ms};
}
}  // namespace

AutoScrollDecision CheckAutoScroll(const ClientArea& client, int x, int y, int cy_hscroll,
                                   bool has_scroll_range) {
  if (!has_scroll_range) return {};
  const int margin = 2 * cy_hscroll;
  const int bottom = client.bottom;
  const bool inside = x >= client.left && x < client.right && y >= client.top && y < client.bottom;
  if (inside) {
    if (y < margin) return Scroll(ScrollDirection::kLineUp, kSlowScrollMs);
    if (y > bottom - margin) return Scroll(ScrollDirection::kLineDown, kSlowScrollMs);
    return {AutoScrollAction::kStop};
  }
  if (y < 0) return Scroll(ScrollDirection::kLineUp, kFastScrollMs);
  if (y > bottom) return Scroll(ScrollDirection::kLineDown, kFastScrollMs);
  return {};
}

}  // namespace tarnwick
