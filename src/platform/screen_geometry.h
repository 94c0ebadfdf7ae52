// Rectangles and points on the screen, and where a dialog box goes over its owner: arithmetic the
// dialogs of every pane share.
#pragma once

#include <cstdint>

namespace tarnwick {

struct ScreenRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};
struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};
// Where a dialog goes, keeping its size, so that it is centred over the owner.
ScreenPoint CentreOver(const ScreenRect& dialog, const ScreenRect& owner);

}  // namespace tarnwick
