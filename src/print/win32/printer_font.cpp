#include "print/win32/printer_font.h"

#include <cstring>

#include "print/page_geometry.h"

namespace tarnwick::win32 {

GdiObject<HFONT> MakePrinterFont(HDC dc, const char* face, int32_t height_tenths,
                                 int32_t width_tenths, uint32_t style, bool use_logical_pixels) {
  const int saved = SaveDC(dc);
  SetGraphicsMode(dc, GM_ADVANCED);
  ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);

  double pixels_x = GetDeviceCaps(dc, LOGPIXELSX);
  double pixels_y = GetDeviceCaps(dc, LOGPIXELSY);
  if (!use_logical_pixels) {
    pixels_x = PixelsPerInch(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, HORZSIZE));
    pixels_y = PixelsPerInch(GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, VERTSIZE));
  }
  const DevicePoint device = FontDevicePoint(height_tenths, width_tenths, pixels_x, pixels_y);
  POINT point = {device.x, device.y};
  DPtoLP(dc, &point, 1);

  LOGFONTA font = {};
  font.lfHeight = FontHeightFromLogical(point.y);
  font.lfWeight = (style & kFontBold) != 0 ? FW_BOLD : FW_DONTCARE;
  font.lfItalic = (style & kFontItalic) != 0 ? TRUE : FALSE;
  font.lfUnderline = (style & kFontUnderline) != 0 ? TRUE : FALSE;
  font.lfStrikeOut = (style & kFontStrikeOut) != 0 ? TRUE : FALSE;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);

  GdiObject<HFONT> made(CreateFontIndirectA(&font));
  if (made && width_tenths != 0) {
    // Measured at the face's own width first, then made again with the width that keeps shape.
    HGDIOBJ old = SelectObject(dc, made.Get());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    font.lfWidth = FontWidthFromLogical(point.x, point.y, metrics.tmAveCharWidth);
    made.Reset(CreateFontIndirectA(&font));
  }
  RestoreDC(dc, saved);
  return made;
}

}  // namespace tarnwick::win32
