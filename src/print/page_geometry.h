// Where the printed lines go on a page, in the device's own units, and the size of the printer
// fonts, worked out from what the device reports about itself.
#pragma once

#include <cstdint>

namespace tarnwick {

// What a printer device reports: its printable area in device units and its logical pixels per
// inch, plus the height of one body-font line (the font's height and its external leading).
struct DeviceFigures {
  int32_t horizontal_resolution = 0;
  int32_t vertical_resolution = 0;
  int32_t pixels_per_inch_x = 0;
  int32_t pixels_per_inch_y = 0;
  int32_t line_height = 0;
};

struct PageGeometry {
  int32_t line_height = 0;
  int32_t top_margin = 0;
  int32_t bottom_limit = 0;
  int32_t left_margin = 0;
  int32_t right_edge = 0;
};

// Margins of two-thirds of an inch at the top and on both sides; the bottom limit keeps one line
// and the top margin's height free at the foot of the page.
PageGeometry MakePageGeometry(const DeviceFigures& device);

// A printer font's size in logical units, from its size in tenths of a point and the device's
// pixels per inch. `width` is 0 when the font keeps the face's own width.
struct FontSize {
  int32_t height = 0;  // negative: the character height without internal leading
  int32_t width = 0;
};

// The font height for `tenths` of a point when a point of it covers `logical_y` units (the
// vertical coordinate of the device point converted to logical units): minus |y| / 10 rounded
// half up.
int32_t FontHeightFromLogical(int32_t logical_y);
// The width that keeps characters in shape on devices whose pixels are not square: the average
// character width measured at `height` scaled by |x| / |y|, rounded half up.
int32_t FontWidthFromLogical(int32_t logical_x, int32_t logical_y, int32_t average_width);
// The device point (width basis x pixels per inch / 72, height x pixels per inch / 72) in device
// units, both sizes in tenths of a point; pixels per inch may be fractional (they come from the
// page size in millimetres).
struct DevicePoint {
  int32_t x = 0;
  int32_t y = 0;
};
DevicePoint FontDevicePoint(int32_t height_tenths, int32_t width_tenths, double pixels_per_inch_x,
                            double pixels_per_inch_y);
// Pixels per inch of the physical page: resolution x 25.4 / size in millimetres (0 for a zero
// size, which no real device reports).
double PixelsPerInch(int32_t resolution, int32_t size_mm);

}  // namespace tarnwick
