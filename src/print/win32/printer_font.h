// The fonts of a print job, made for the printer's own pixels so that a point is a point on paper.
#pragma once

#include <cstdint>

#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

// Style bits of a printer font.
constexpr uint32_t kFontBold = 1;
constexpr uint32_t kFontItalic = 2;
constexpr uint32_t kFontUnderline = 4;
constexpr uint32_t kFontStrikeOut = 8;

// A font of `face`, `height_tenths` tenths of a point high, for the device `dc`. With a width
// basis (tenths of a point, 0 for none) the width is set so that characters keep their shape on
// devices whose pixels are not square. Pixels per inch come from the physical page unless
// `use_logical_pixels`. The device context is left as it was.
GdiObject<HFONT> MakePrinterFont(HDC dc, const char* face, int32_t height_tenths,
                                 int32_t width_tenths, uint32_t style, bool use_logical_pixels);

}  // namespace tarnwick::win32
