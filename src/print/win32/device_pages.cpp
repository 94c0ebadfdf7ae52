#include "print/win32/device_pages.h"

namespace tarnwick::win32 {

namespace {

UINT AlignmentOf(TextAlign align) {
  switch (align) {
    case TextAlign::kCentre:
      return TA_CENTER | TA_TOP;
    case TextAlign::kRight:
      return TA_RIGHT | TA_TOP;
    case TextAlign::kLeft:
      break;
  }
  return TA_LEFT | TA_TOP;
}

}  // namespace

PageFailure DrawDevicePages(HDC dc, const DrawSteps& steps, HFONT body, HFONT header,
                            const std::function<bool()>& between_pages) {
  for (const DrawStep& step : steps) {
    switch (step.kind) {
      case StepKind::kStartPage:
        if (StartPage(dc) <= 0) return {"in printing's StartPage", GetLastError()};
        SelectObject(dc, body);
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        break;
      case StepKind::kEndPage:
        if (EndPage(dc) <= 0 || !between_pages()) return {"in printing's EndPage", GetLastError()};
        break;
      case StepKind::kText:
        SelectObject(dc, step.font == PrintFont::kHeader ? header : body);
        SetTextAlign(dc, AlignmentOf(step.align));
        TextOutA(dc, step.x, step.y, step.text.data(), static_cast<int>(step.text.size()));
        break;
      case StepKind::kRule:
        for (int32_t line = 0; line < kRuleThickness; ++line) {
          MoveToEx(dc, step.x, step.y + line, nullptr);
          LineTo(dc, step.x_end, step.y + line);
        }
        break;
    }
  }
  return {};
}

}  // namespace tarnwick::win32
