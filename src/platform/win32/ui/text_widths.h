// The widths of texts in a control's font, measured on one memory display context: a list that
// measures thousands of rows through the control pays for a context per row.
#pragma once

#include <string_view>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class TextWidths {
 public:
  explicit TextWidths(HWND control);
  ~TextWidths();
  TextWidths(const TextWidths&) = delete;
  TextWidths& operator=(const TextWidths&) = delete;
  // The text's width in pixels, as LVM_GETSTRINGWIDTH gives it; 0 without a context.
  int Width(std::string_view text) const;

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_font_ = nullptr;
};

}  // namespace tarnwick::win32
