#include "print/page_geometry.h"

#include <cstdlib>

namespace tarnwick {

PageGeometry MakePageGeometry(const DeviceFigures& device) {
  PageGeometry page;
  page.line_height = device.line_height;
  page.top_margin = (2 * device.pixels_per_inch_y) / 3;
  page.left_margin = (2 * device.pixels_per_inch_x) / 3;
  page.bottom_limit = device.vertical_resolution - page.line_height - page.top_margin;
  page.right_edge = device.horizontal_resolution - page.left_margin;
  return page;
}

int32_t FontHeightFromLogical(int32_t logical_y) {
  return -static_cast<int32_t>(std::abs(static_cast<double>(logical_y)) / 10.0 + 0.5);
}

int32_t FontWidthFromLogical(int32_t logical_x, int32_t logical_y, int32_t average_width) {
  if (logical_y == 0) return 0;
  const double x = std::abs(static_cast<double>(logical_x));
  const double y = std::abs(static_cast<double>(logical_y));
  return static_cast<int32_t>(x * average_width / y + 0.5);
}

DevicePoint FontDevicePoint(int32_t height_tenths, int32_t width_tenths, double pixels_per_inch_x,
                            double pixels_per_inch_y) {
  return {static_cast<int32_t>(width_tenths * pixels_per_inch_x / 72.0),
          static_cast<int32_t>(height_tenths * pixels_per_inch_y / 72.0)};
}

double PixelsPerInch(int32_t resolution, int32_t size_mm) {
  return size_mm != 0 ? resolution * 25.4 / size_mm : 0.0;
}

}  // namespace tarnwick
