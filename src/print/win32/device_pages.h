// The pages of the print layout drawn on a printer's device context, page by page.
#pragma once

#include <functional>

#include "platform/win32/ui/win32_api.h"
#include "print/print_steps.h"

namespace tarnwick::win32 {

// Why drawing stopped: the step that failed, with the system's error code.
struct PageFailure {
  const char* phrase = nullptr;  // nullptr: every page went out
  DWORD code = 0;
};

// Draws `steps` between StartDoc and EndDoc: text in `body` or `header`, rules as four lines.
// `between_pages` runs after every page; when it returns false the pages stop as a failed page
// does.
PageFailure DrawDevicePages(HDC dc, const DrawSteps& steps, HFONT body, HFONT header,
                            const std::function<bool()>& between_pages);

}  // namespace tarnwick::win32
