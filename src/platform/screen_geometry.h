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

// Sizes on the screen are given for 96 dpi and scale with the window's dpi, rounded to the
// nearest pixel; sizes kept in the settings file stay in 96-dpi units.
constexpr int32_t kBaseDpi = 96;
int32_t ScaleToDpi(int32_t pixels_at_96, int32_t dpi);
int32_t ScaleFromDpi(int32_t pixels, int32_t dpi);
// A size already scaled for one dpi, made right for another.
int32_t Rescale(int32_t pixels, int32_t from_dpi, int32_t to_dpi);
// The pictures are drawn at 16, 24 and 32 pixels: the one nearest the scaled 16, never larger
// than it, so that a picture never overflows the row its font sets. Returns 0, 1 or 2 for 16,
// 24 or 32 (the resource number steps).
int32_t PictureSizeStep(int32_t dpi);
constexpr int32_t PictureSize(int32_t step) {
  return 16 + 8 * step;
}

}  // namespace tarnwick
