// The dpi of the main window and what depends on it: sizes given for 96 dpi, the fonts and the
// picture size. Remade when the window moves to a screen of another dpi.
#pragma once

#include "platform/screen_geometry.h"
#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

// The window's dpi (per monitor on Windows 10; the screen's on older systems and under Wine).
int WindowDpi(HWND window);

class ScreenScale {
 public:
  // Makes the fonts for `dpi`. When a font cannot be made the stock one stands in.
  void Make(int dpi);
  int Dpi() const { return dpi_; }
  // A size given for 96 dpi, in pixels at this dpi.
  int Px(int pixels_at_96) const { return ScaleToDpi(pixels_at_96, dpi_); }
  // The system's message font at this dpi: the panes, the edit box and the tool tips.
  HFONT MessageFont() const;
  // The system's fixed-pitch font at this dpi: the status bar, whose labels line up by it.
  HFONT FixedFont() const;
  // The pictures' size at this dpi: 0, 1 or 2 for 16, 24 or 32 pixels.
  int PictureStep() const { return PictureSizeStep(dpi_); }
  int PictureSize() const { return tarnwick::PictureSize(PictureStep()); }

 private:
  int dpi_ = kBaseDpi;
  GdiObject<HFONT> message_font_;
  GdiObject<HFONT> fixed_font_;
};

// Gives `control` the font; `redraw` repaints it at once.
void SetControlFont(HWND control, HFONT font, bool redraw = false);

}  // namespace tarnwick::win32
