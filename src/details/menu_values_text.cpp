#include "details/menu_values_text.h"

#include <cctype>
#include <cstdint>

#include "details/value_formats.h"

namespace tarnwick {

namespace {

constexpr std::array<std::string_view, kMenuValueCount> kNames = {
    "Latitude", "Longitude", "Altitude (feet)", "Heading (degrees)", "COM1", "NAV1", "OBI1",
    "NAV2",     "OBI2"};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Takes a run of decimal digits from the front of `text` (at most `most`); its value and length.
struct Digits {
  int64_t value = 0;
  size_t count = 0;
};
Digits TakeDigits(std::string_view& text, size_t most = 18) {
  Digits d;
  while (!text.empty() && IsDigit(text.front()) && d.count < most) {
    d.value = d.value * 10 + (text.front() - '0');
    ++d.count;
    text.remove_prefix(1);
  }
  return d;
}

// A whole number, optionally signed; nothing when the text is anything else.
std::optional<int64_t> WholeNumber(std::string_view text, bool sign_allowed) {
  text = Trim(text);
  bool negative = false;
  if (sign_allowed && !text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  Digits d = TakeDigits(text, 9);
  if (d.count == 0 || !text.empty()) return std::nullopt;
  return negative ? -d.value : d.value;
}

// A frequency in hundredths of a megahertz ("118.05" gives 11805, "0" gives 0).
std::optional<int64_t> Hundredths(std::string_view text) {
  text = Trim(text);
  Digits whole = TakeDigits(text, 4);
  if (whole.count == 0) return std::nullopt;
  int64_t value = whole.value * 100;
  if (!text.empty() && text.front() == '.') {
    text.remove_prefix(1);
    Digits fraction = TakeDigits(text, 2);
    if (fraction.count == 0) return std::nullopt;
    value += fraction.count == 1 ? fraction.value * 10 : fraction.value;
  }
  if (!text.empty()) return std::nullopt;
  return value;
}

bool IsFrequency(MenuValue value) {
  return value == MenuValue::kCom1 || value == MenuValue::kNav1 || value == MenuValue::kNav2;
}

bool IsRadio(MenuValue value) {
  return IsFrequency(value) || value == MenuValue::kObi1 || value == MenuValue::kObi2;
}

uint16_t& Radio(LocnFields& f, MenuValue value) {
  switch (value) {
    case MenuValue::kCom1:
      return f.com1;
    case MenuValue::kNav1:
      return f.nav1;
    case MenuValue::kObi1:
      return f.obi1;
    case MenuValue::kNav2:
      return f.nav2;
    default:
      return f.obi2;
  }
}

uint16_t Radio(const LocnFields& f, MenuValue value) {
  return Radio(const_cast<LocnFields&>(f), value);
}

std::optional<std::string> CheckAngle(MenuValue value, std::string_view text) {
  const bool latitude = value == MenuValue::kLatitude;
  const std::string form = latitude ? "N51:28:38.0000 or N51:28.6333 (N or S, degrees to 90)"
                                    : "W000:27:41.0000 or W000:27.6833 (E or W, degrees to 180)";
  const std::string wrong = std::string(MenuValueName(value)) + " '" + std::string(text) +
                            "' is not an angle such as " + form;
  std::string_view rest = Trim(text);
  if (rest.empty()) return std::string(MenuValueName(value)) + " is empty";
  char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(rest.front())));
  if (latitude ? (letter != 'N' && letter != 'S') : (letter != 'E' && letter != 'W')) {
    return wrong;
  }
  rest.remove_prefix(1);
  rest = Trim(rest);
  Digits degrees = TakeDigits(rest, 3);
  if (degrees.count == 0) return wrong;
  Digits minutes, seconds, fraction;
  if (!rest.empty() && rest.front() == ':') {
    rest.remove_prefix(1);
    minutes = TakeDigits(rest, 2);
    if (minutes.count == 0) return wrong;
    if (!rest.empty() && rest.front() == ':') {
      rest.remove_prefix(1);
      seconds = TakeDigits(rest, 2);
      if (seconds.count == 0) return wrong;
    }
    if (!rest.empty() && rest.front() == '.') {
      rest.remove_prefix(1);
      fraction = TakeDigits(rest, 4);
      if (fraction.count == 0) return wrong;
    }
  }
  if (!rest.empty()) return wrong;
  const int64_t limit = latitude ? 90 : 180;
  if (minutes.value > 59 || seconds.value > 59) {
    return std::string(MenuValueName(value)) + " '" + std::string(text) +
           "' has more than 59 minutes or seconds";
  }
  if (degrees.value > limit ||
      (degrees.value == limit && (minutes.value + seconds.value + fraction.value) > 0)) {
    return std::string(MenuValueName(value)) + " '" + std::string(text) + "' lies beyond " +
           std::to_string(limit) + " degrees";
  }
  return std::nullopt;
}

}  // namespace

std::string_view MenuValueName(MenuValue value) {
  return kNames[static_cast<size_t>(value)];
}

std::string MenuValueText(const LocnFields& f, MenuValue value, bool fractional_minutes) {
  switch (value) {
    case MenuValue::kLatitude:
      return FormatAngle(f.latitude, AngleAxis::kLatitude, fractional_minutes);
    case MenuValue::kLongitude:
      return FormatAngle(f.longitude, AngleAxis::kLongitude, fractional_minutes);
    case MenuValue::kAltitude:
      return FormatAltitude(f.altitude);
    case MenuValue::kHeading:
      return FormatHeading(f.heading);
    case MenuValue::kObi1:
    case MenuValue::kObi2:
      return FormatObi(Radio(f, value));
    default:
      return FormatFrequency(Radio(f, value));
  }
}

bool SameMenuValue(const LocnFields& f, MenuValue value, std::string_view text) {
  text = Trim(text);
  switch (value) {
    case MenuValue::kLatitude:
    case MenuValue::kLongitude:
      return text == MenuValueText(f, value, false) || text == MenuValueText(f, value, true);
    case MenuValue::kAltitude:
    case MenuValue::kHeading:
    case MenuValue::kObi1:
    case MenuValue::kObi2: {
      auto typed = WholeNumber(text, value == MenuValue::kAltitude);
      auto shown = WholeNumber(MenuValueText(f, value, false), true);
      if (text.empty() && IsRadio(value)) return Radio(f, value) == 0;
      return typed && shown && *typed == *shown;
    }
    default: {
      if (text.empty()) return Radio(f, value) == 0;
      auto typed = Hundredths(text);
      auto shown = Hundredths(MenuValueText(f, value, false));
      return typed && shown && *typed == *shown;
    }
  }
}

std::optional<std::string> CheckMenuValue(MenuValue value, std::string_view text) {
  const std::string name(MenuValueName(value));
  const std::string quoted = " '" + std::string(text) + "'";
  switch (value) {
    case MenuValue::kLatitude:
    case MenuValue::kLongitude:
      return CheckAngle(value, text);
    case MenuValue::kAltitude: {
      if (Trim(text).empty()) return name + " is empty";
      auto feet = WholeNumber(text, true);
      if (!feet || *feet < -32768 || *feet > 32767) {
        return name + quoted + " is not a whole number of feet from -32768 to 32767";
      }
      return std::nullopt;
    }
    case MenuValue::kHeading:
    case MenuValue::kObi1:
    case MenuValue::kObi2: {
      if (Trim(text).empty()) {
        if (value == MenuValue::kHeading) return name + " is empty";
        return std::nullopt;
      }
      auto degrees = WholeNumber(text, false);
      if (!degrees || *degrees > 360) return name + quoted + " is not a whole number from 0 to 360";
      return std::nullopt;
    }
    default: {
      if (Trim(text).empty()) return std::nullopt;
      auto hundredths = Hundredths(text);
      const bool com = value == MenuValue::kCom1;
      const char* band = com ? "118.00 to 135.97" : "108.00 to 117.97";
      if (!hundredths) return name + quoted + " is not a frequency from " + band;
      if (*hundredths == 0) return std::nullopt;
      const int64_t low = com ? 11800 : 10800;
      const int64_t high = com ? 13597 : 11797;
      if (*hundredths < low || *hundredths > high) {
        return name + quoted + " lies outside " + band;
      }
      return std::nullopt;
    }
  }
}

void StoreMenuValue(LocnFields& f, MenuValue value, std::string_view text) {
  switch (value) {
    case MenuValue::kLatitude:
      f.latitude = ParseAngle(Trim(text), AngleAxis::kLatitude);
      return;
    case MenuValue::kLongitude:
      f.longitude = ParseAngle(Trim(text), AngleAxis::kLongitude);
      return;
    case MenuValue::kAltitude:
      f.altitude = ParseAltitude(text);
      return;
    case MenuValue::kHeading:
      f.heading = ParseHeading(text);
      return;
    case MenuValue::kObi1:
    case MenuValue::kObi2:
      Radio(f, value) = ParseObi(text);
      return;
    default: {
      // The text shown for no frequency, and an empty cell, store none: parsed, they would give
      // the lowest channel of the band.
      auto hundredths = Hundredths(text);
      if (Trim(text).empty() || (hundredths && *hundredths == 0)) {
        Radio(f, value) = 0;
      } else {
        Radio(f, value) = ParseFrequency(Trim(text), value == MenuValue::kCom1);
      }
      return;
    }
  }
}

}  // namespace tarnwick
