// The pages of the print layout drawn on a printer's device context, page by page.
#pragma once

#include "print/print_steps.h"
#include "shell/win32/win32_api.h"

namespace tarnwick::win32 {

// Why drawing stopped: the step that failed, with the system's error code.
struct PageFailure {
  const char* phrase = nullptr;  // nullptr: every page went out
  DWORD code = 0;
};

// Draws `steps` between StartDoc and EndDoc: text in `body` or `header`, rules as four lines.
PageFailure DrawDevicePages(HDC dc, const DrawSteps& steps, HFONT body, HFONT header);

}  // namespace tarnwick::win32
