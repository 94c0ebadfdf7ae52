#include "platform/screen_geometry.h"

namespace tarnwick {

ScreenPoint CentreOver(const ScreenRect& dialog, const ScreenRect& owner) {
  // 64-bit sums: rectangles far off screen must not overflow.
  const int64_t w = int64_t{dialog.right} - dialog.left;
  const int64_t h = int64_t{dialog.bottom} - dialog.top;
  const int64_t x = owner.left + (int64_t{owner.right} - owner.left) / 2 - w / 2;
  const int64_t y = owner.top + (int64_t{owner.bottom} - owner.top) / 2 - h / 2;
  return ScreenPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

}  // namespace tarnwick
