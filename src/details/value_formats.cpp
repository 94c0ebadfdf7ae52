#include "details/value_formats.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>

namespace tarnwick {
namespace {

struct AxisConstants {
  uint32_t seconds_factor;  // seconds of arc that match units_factor stored units
  uint32_t units_factor;
  int32_t degree_limit;
  char positive;
  char negative;
};

AxisConstants ConstantsOf(AngleAxis axis) {
  // Latitude: 90 degrees = 1,280,224,000 units. Longitude: 360 degrees = 2^32 units.
  if (axis == AngleAxis::kLongitude) return {20250, 67108864, 180, 'E', 'W'};
  return {4050, 16002800, 90, 'N', 'S'};
}

// Only hundredths that a radio can tune to are stored; the upper entries catch non-decimal digits.
constexpr std::array<uint16_t, 16> kChannelTable = {0, 0, 2, 2, 5, 5, 5, 7, 7, 7, 7, 7, 7, 7, 7, 7};

constexpr uint16_t kComLowest = 0x1800;
constexpr uint16_t kComHighest = 0x3597;
constexpr uint16_t kNavLowest = 0x0800;
constexpr uint16_t kNavHighest = 0x1797;

uint32_t Magnitude(int32_t value) {
  // Done in unsigned arithmetic so that the most negative value gives 2^31 safely.
  return value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
}

bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

char ToUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view After(std::string_view text, size_t pos) {
  return pos == std::string_view::npos ? std::string_view() : text.substr(pos + 1);
}

// Brings a value above 360 into 1-360 (a full turn is 360, not 0).
int32_t WrapAbove360(int32_t d) {
  return d > 360 ? d - 360 * ((d - 1) / 360) : d;
}

// A minutes or seconds field: read as a signed 16-bit number, then kept within 0-59.
uint32_t ReadSexagesimal(std::string_view text) {
  int16_t v = static_cast<int16_t>(ReadInteger(text));
  if (v < 0) return 0;
  return v > 59 ? 59u : static_cast<uint32_t>(v);
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[64];
  int n = std::snprintf(buffer, sizeof buffer, format, args...);
  if (n < 0) return std::string();
  return std::string(buffer, static_cast<size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

}  // namespace

uint32_t ScaleValue(uint32_t a, uint32_t b, uint32_t c, bool round) {
  if (c == 0) return 0;
  // (2^32 - 1)^2 + 2^31 still fits in 64 bits.
  uint64_t product = static_cast<uint64_t>(a) * b + (round ? c / 2 : 0);
  return static_cast<uint32_t>(product / c);
}

AngleParts SplitAngle(int32_t value, AngleAxis axis) {
  const AxisConstants k = ConstantsOf(axis);
  AngleParts parts;
  parts.hemisphere = value < 0 ? k.negative : k.positive;
  const uint32_t m = Magnitude(value);
  const uint32_t s = ScaleValue(m, k.seconds_factor, k.units_factor, false);
  parts.degrees = static_cast<uint16_t>(s / 3600);
  parts.minutes = static_cast<uint16_t>((s % 3600) / 60);
  parts.seconds = static_cast<uint16_t>(s % 60);
  // Whole seconds never account for more units than m holds, so the rest is small and positive.
  const uint32_t back = ScaleValue(s, k.units_factor, k.seconds_factor, false);
  // `back` is truncated, so just below a whole second the rest can come to 10000 or a little
  // more; it stays 9999 then instead of wrapping to a fraction of the second before.
  parts.second_fraction = static_cast<uint16_t>(std::min<uint32_t>(
      ScaleValue((m - back) * 10000u, k.seconds_factor, k.units_factor, false), 9999));
  parts.minute_fraction =
      static_cast<uint16_t>((parts.seconds * 10000u + parts.second_fraction) / 60);
  return parts;
}

std::string FormatAngle(const AngleParts& parts, AngleAxis axis, bool fractional_minutes) {
  const bool longitude = axis == AngleAxis::kLongitude;
  if (fractional_minutes) {
    return Format(longitude ? "%c%03hu:%02hu.%04hu" : "%c%02hu:%02hu.%04hu", parts.hemisphere,
                  parts.degrees, parts.minutes, parts.minute_fraction);
  }
  return Format(longitude ? "%c%03hu:%02hu:%02hu.%04hu" : "%c%02hu:%02hu:%02hu.%04hu",
                parts.hemisphere, parts.degrees, parts.minutes, parts.seconds,
                parts.second_fraction);
}

std::string FormatAngle(int32_t value, AngleAxis axis, bool fractional_minutes) {
  return FormatAngle(SplitAngle(value, axis), axis, fractional_minutes);
}

uint16_t ParseFraction(std::string_view text) {
  uint32_t value = 0;
  int digits = 0;
  while (digits < 4 && static_cast<size_t>(digits) < text.size() && IsDigit(text[digits])) {
    value = value * 10 + static_cast<uint32_t>(text[digits] - '0');
    ++digits;
  }
  if (digits == 0) return 0;
  for (int i = digits; i < 4; ++i) value *= 10;
  return static_cast<uint16_t>(value);
}

int32_t ParseAngle(std::string_view text, AngleAxis axis) {
  const AxisConstants k = ConstantsOf(axis);
  size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  // The first character is the hemisphere letter whatever it is, so a missing letter costs a digit.
  char letter = k.positive;
  if (pos < text.size()) {
    char c = ToUpper(text[pos++]);
    if (c == k.negative) letter = c;
  }
  const std::string_view rest = text.substr(pos);

  int32_t degrees = static_cast<int16_t>(ReadInteger(rest));
  if (degrees < 0) degrees = 0;
  if (degrees > k.degree_limit) degrees = k.degree_limit;

  uint32_t minutes = 0, seconds = 0, second_fraction = 0;
  const size_t colon = degrees == k.degree_limit ? std::string_view::npos : rest.find(':');
  if (colon != std::string_view::npos) {
    minutes = ReadSexagesimal(After(rest, colon));
    const size_t colon2 = rest.find(':', colon + 1);
    if (colon2 != std::string_view::npos) {
      seconds = ReadSexagesimal(After(rest, colon2));
      const size_t point = rest.find('.', colon2 + 1);
      if (point != std::string_view::npos) second_fraction = ParseFraction(After(rest, point));
    } else {
      const size_t point = rest.find('.', colon + 1);
      if (point != std::string_view::npos) {
        const uint32_t minute_fraction = ParseFraction(After(rest, point));
        seconds = minute_fraction * 60 / 10000;
        second_fraction = minute_fraction * 60 % 10000;
      }
    }
  }

  const uint32_t total = seconds + 60 * minutes + 3600 * static_cast<uint32_t>(degrees);
  // 180 degrees of longitude is 2^31 units: kept unsigned until the sign is applied.
  const uint32_t m = ScaleValue(total, k.units_factor, k.seconds_factor, false) +
                     ScaleValue(second_fraction, k.units_factor, k.seconds_factor * 10000, true);
  return static_cast<int32_t>(letter == k.negative ? 0u - m : m);
}

int32_t AltitudeToFeet(int32_t stored) {
  const int32_t feet = static_cast<int32_t>(ScaleValue(Magnitude(stored), 328, 25600, true));
  return stored < 0 ? -feet : feet;
}

int32_t FeetToAltitude(int32_t feet) {
  const uint32_t stored = ScaleValue(Magnitude(feet), 25600, 328, true);
  return static_cast<int32_t>(feet < 0 ? 0u - stored : stored);
}

std::string FormatAltitude(int32_t stored) {
  return Format("%hd", static_cast<short>(static_cast<int16_t>(AltitudeToFeet(stored))));
}

int32_t ParseAltitude(std::string_view text) {
  return FeetToAltitude(ReadInteger(text));
}

std::string FormatHeading(uint16_t stored) {
  unsigned long degrees = (stored * 360ul + 32768) / 65536;
  if (degrees == 0) degrees = 360;
  return Format("%03lu", degrees);
}

uint16_t ParseHeading(std::string_view text) {
  const int32_t d = WrapAbove360(ReadInteger(text));
  // Negative degrees are stored as their two's complement; the wide product keeps that true for
  // values whose product would not fit in 32 bits.
  const int64_t units = static_cast<int64_t>(d) * 65536 / 360;
  return static_cast<uint16_t>(units);
}

std::string FormatFrequency(uint16_t stored) {
  return Format("%c%02X.%02X", stored != 0 ? '1' : '0', static_cast<unsigned>(stored >> 8),
                static_cast<unsigned>(stored & 0xFF));
}

uint16_t ParseFrequency(std::string_view text, bool is_com) {
  int64_t n = ReadInteger(text);
  if (n >= 100) n %= 100;  // the hundreds digit is always 1 and is not stored
  const int64_t high = (n / 10) * 16 + n % 10;
  int64_t low = 0;
  const size_t point = text.find('.');
  if (point != std::string_view::npos) {
    int64_t f = ReadInteger(After(text, point));
    // A sign after the point means nothing; a negative fraction would store digits that are not
    // decimal.
    if (f < 0) f = 0;
    while (f >= 100) f /= 10;
    low = (f / 10) * 16 + f % 10;
  }
  const uint16_t v = static_cast<uint16_t>(high * 256 + low);
  const uint16_t lowest = is_com ? kComLowest : kNavLowest;
  const uint16_t highest = is_com ? kComHighest : kNavHighest;
  if (v > highest) return highest;
  if (v < lowest) return lowest;
  return static_cast<uint16_t>((v & 0xFFF0) | kChannelTable[v & 0xF]);
}

std::string FormatObi(uint16_t stored) {
  return Format("%03hu", stored);
}

uint16_t ParseObi(std::string_view text) {
  int32_t d = WrapAbove360(ReadInteger(text));
  // A negative bearing is the same course counted the other way round, not a huge number.
  if (d < 0) {
    d %= 360;
    if (d < 0) d += 360;
  }
  return static_cast<uint16_t>(d);
}

int32_t ReadInteger(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  // Accumulated as a magnitude that stops growing once past the 32-bit range.
  int64_t magnitude = 0;
  constexpr int64_t kCap = int64_t{1} << 32;
  while (pos < text.size() && IsDigit(text[pos])) {
    if (magnitude < kCap) magnitude = magnitude * 10 + (text[pos] - '0');
    ++pos;
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace tarnwick
