#include "platform/win32/ui/text_widths.h"

namespace tarnwick::win32 {

TextWidths::TextWidths(HWND control) : dc_(CreateCompatibleDC(nullptr)) {
  if (dc_ == nullptr) return;
  auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  previous_font_ =
      SelectObject(dc_, font != nullptr ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
}

TextWidths::~TextWidths() {
  if (dc_ == nullptr) return;
  if (previous_font_ != nullptr && previous_font_ != HGDI_ERROR) SelectObject(dc_, previous_font_);
  DeleteDC(dc_);
}

int TextWidths::Width(std::string_view text) const {
  SIZE size = {};
  if (dc_ == nullptr ||
      !GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size)) {
    return 0;
  }
  return size.cx;
}

}  // namespace tarnwick::win32
