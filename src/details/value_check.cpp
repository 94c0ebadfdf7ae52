#include "details/value_check.h"

#include <cstdint>

namespace tarnwick {

namespace {

// A small reader over the text: blanks may stand between the parts, never inside a number.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }
  bool Take(char c) {
    SkipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  // One letter of `letters`, either case.
  bool TakeLetter(std::string_view letters) {
    SkipBlanks();
    if (at_ >= text_.size()) return false;
    char c = text_[at_];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (letters.find(c) == std::string_view::npos) return false;
    ++at_;
    return true;
  }
  // Decimal digits, at most `most` of them; their value and how many.
  bool Number(int64_t& value, size_t most) {
    SkipBlanks();
    size_t start = at_;
    value = 0;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
      value = value * 10 + (text_[at_] - '0');
      ++at_;
      if (at_ - start > most) return false;
    }
    return at_ > start;
  }
  // Digits straight after a point (no blank between); `nonzero` tells whether any is not 0.
  bool Fraction(size_t most, bool& nonzero) {
    size_t start = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
      nonzero = nonzero || text_[at_] != '0';
      ++at_;
    }
    return at_ > start && at_ - start <= most;
  }
  bool AtEnd() {
    SkipBlanks();
    return at_ == text_.size();
  }

 private:
  std::string_view text_;
  size_t at_ = 0;
};

bool AngleFits(std::string_view text, bool latitude) {
  Reader r(text);
  const int64_t limit = latitude ? 90 : 180;
  if (!r.TakeLetter(latitude ? "NS" : "EW")) return false;
  int64_t degrees = 0;
  if (!r.Number(degrees, 3) || degrees > limit) return false;
  int64_t minutes = 0;
  int64_t seconds = 0;
  bool fraction = false;
  if (r.Take(':')) {
    if (!r.Number(minutes, 2) || minutes > 59) return false;
    if (r.Take(':')) {
      if (!r.Number(seconds, 2) || seconds > 59) return false;
      if (r.Take('.') && !r.Fraction(4, fraction)) return false;
    } else if (r.Take('.') && !r.Fraction(4, fraction)) {
      return false;
    }
  }
  if (!r.AtEnd()) return false;
  // The pole and the date line take nothing beyond the whole degrees: the rest would be dropped.
  return degrees < limit || (minutes == 0 && seconds == 0 && !fraction);
}

bool WholeFits(std::string_view text, int64_t lowest, int64_t highest, bool signed_value) {
  Reader r(text);
  bool negative = false;
  if (signed_value) {
    if (r.Take('-')) {
      negative = true;
    } else {
      r.Take('+');
    }
  }
  int64_t value = 0;
  if (!r.Number(value, 6) || !r.AtEnd()) return false;
  if (negative) value = -value;
  return value >= lowest && value <= highest;
}

// MHz with up to two decimals, the leading 1 optional ("118.5", "18.50").
bool FrequencyFits(std::string_view text, int lowest, int highest) {
  Reader r(text);
  int64_t whole = 0;
  if (!r.Number(whole, 3)) return false;
  int64_t hundredths = 0;
  if (r.Take('.')) {
    // One digit is read as hundredths, as the parser does.
    if (!r.Number(hundredths, 2)) return false;
  }
  if (!r.AtEnd()) return false;
  if (whole < 100) whole += 100;
  int64_t value = whole * 100 + hundredths;
  return value >= lowest && value <= highest;
}

}  // namespace

std::optional<std::string> ValueTextProblem(int row, std::string_view text) {
  switch (row) {
    case 6:
      if (AngleFits(text, true)) return std::nullopt;
      return "N41:58:42.9601 or N41:58.7160 (N or S, up to 90 degrees)";
    case 7:
      if (AngleFits(text, false)) return std::nullopt;
      return "W087:54:16.0000 or W087:54.2667 (E or W, up to 180 degrees)";
    case 8:
      // The pane shows the altitude as a 16-bit number of feet.
      if (WholeFits(text, -32768, 32767, true)) return std::nullopt;
      return "whole feet, -32768 to 32767";
    case 9:
      if (WholeFits(text, 0, 360, false)) return std::nullopt;
      return "whole degrees, 1 to 360";
    case 10:
      if (FrequencyFits(text, 11800, 13597)) return std::nullopt;
      return "118.00 to 135.97";
    case 11:
    case 13:
      if (FrequencyFits(text, 10800, 11797)) return std::nullopt;
      return "108.00 to 117.97";
    case 12:
    case 14:
      if (WholeFits(text, 0, 360, false)) return std::nullopt;
      return "whole degrees, 0 to 360";
    default:
      return std::nullopt;  // the description takes any text
  }
}

}  // namespace tarnwick
