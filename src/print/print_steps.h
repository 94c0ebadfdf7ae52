// The printed pages as drawing steps in device units: every renderer (the printer's device
// context, the PDF of tarnwick-cli) draws the same steps, and tests read them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick {

enum class StepKind : uint8_t {
  kStartPage,
  kEndPage,
  kText,  // `text` at (x, y): y is the top of the line, x the point named by `align`
  kRule,  // a horizontal rule four units thick from x to x_end, its top at y
};

enum class TextAlign : uint8_t { kLeft, kCentre, kRight };
enum class PrintFont : uint8_t { kBody, kHeader };

// Rules are this many device units thick.
constexpr int32_t kRuleThickness = 4;

struct DrawStep {
  StepKind kind = StepKind::kText;
  int32_t x = 0;
  int32_t y = 0;
  int32_t x_end = 0;
  TextAlign align = TextAlign::kLeft;
  PrintFont font = PrintFont::kBody;
  std::string text;
};

using DrawSteps = std::vector<DrawStep>;

}  // namespace tarnwick
