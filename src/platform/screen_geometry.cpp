#include "platform/screen_geometry.h"

#include <cstdint>

namespace tarnwick {

ScreenPoint CentreOver(const ScreenRect& dialog, const ScreenRect& owner) {
  // 64-bit sums: rectangles far off screen must not overflow.
  const int64_t w = int64_t{dialog.right} - dialog.left;
  const int64_t h = int64_t{dialog.bottom} - dialog.top;
  const int64_t x = owner.left + (int64_t{owner.right} - owner.left) / 2 - w / 2;
  const int64_t y = owner.top + (int64_t{owner.bottom} - owner.top) / 2 - h / 2;
  return ScreenPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
}

namespace {

// MulDiv's rounding: to the nearest, halves away from zero; an absurd divisor gives the value.
int32_t ScaleBy(int32_t value, int32_t numerator, int32_t denominator) {
  if (denominator <= 0 || numerator <= 0) return value;
  const int64_t product = int64_t{value} * numerator;
  const int64_t half = denominator / 2;
  const int64_t scaled =
      product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
  if (scaled > INT32_MAX) return INT32_MAX;
  if (scaled < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(scaled);
}

}  // namespace

int32_t ScaleToDpi(int32_t pixels_at_96, int32_t dpi) {
  return ScaleBy(pixels_at_96, dpi, kBaseDpi);
}

int32_t ScaleFromDpi(int32_t pixels, int32_t dpi) {
  return ScaleBy(pixels, kBaseDpi, dpi);
}

int32_t Rescale(int32_t pixels, int32_t from_dpi, int32_t to_dpi) {
  return ScaleBy(pixels, to_dpi, from_dpi);
}

int32_t PictureSizeStep(int32_t dpi) {
  const int32_t wanted = ScaleToDpi(16, dpi);
  if (wanted >= 32) return 2;
  if (wanted >= 24) return 1;
  return 0;
}

}  // namespace tarnwick
