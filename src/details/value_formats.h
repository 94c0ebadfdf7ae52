// Text forms of a Location's stored values (position, altitude, heading, radios) and the exact
// integer conversions between stored units and what the user reads and types. Pure functions:
// parsing never fails, it defaults, clamps and wraps instead.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// Selects the constants of an angle conversion; the numbers index the tables of both axes.
enum class AngleAxis : int { kLatitude = 0, kLongitude = 2 };

// One latitude or longitude broken up for display.
struct AngleParts {
  uint16_t degrees = 0;
  uint16_t minutes = 0;          // 0-59
  uint16_t minute_fraction = 0;  // ten-thousandths of a minute, 0-9999
  uint16_t seconds = 0;          // 0-59
  uint16_t second_fraction = 0;  // ten-thousandths of a second, 0-9999
  char hemisphere = 'N';         // 'N', 'S', 'E' or 'W'
};

// floor((a * b + (round ? c / 2 : 0)) / c) with an exact intermediate, as its low 32 bits.
// A zero divisor gives 0.
uint32_t ScaleValue(uint32_t a, uint32_t b, uint32_t c, bool round);

AngleParts SplitAngle(int32_t value, AngleAxis axis);
std::string FormatAngle(const AngleParts& parts, AngleAxis axis, bool fractional_minutes);
std::string FormatAngle(int32_t value, AngleAxis axis, bool fractional_minutes);
int32_t ParseAngle(std::string_view text, AngleAxis axis);
// At most four leading digits as ten-thousandths: "5" gives 5000, "" gives 0.
uint16_t ParseFraction(std::string_view text);

// Altitude is stored in 1/256 metre and shown in feet (3.28 feet to the metre).
int32_t AltitudeToFeet(int32_t stored);
int32_t FeetToAltitude(int32_t feet);
std::string FormatAltitude(int32_t stored);
int32_t ParseAltitude(std::string_view text);

std::string FormatHeading(uint16_t stored);
uint16_t ParseHeading(std::string_view text);

// Radio frequencies: four BCD digits without the leading 1; 0 means none set.
std::string FormatFrequency(uint16_t stored);
uint16_t ParseFrequency(std::string_view text, bool is_com);

std::string FormatObi(uint16_t stored);
uint16_t ParseObi(std::string_view text);

// Decimal reading shared by the parsers: leading white space, one optional sign, digits up to the
// first non-digit; no digit gives 0. Values beyond the 32-bit range saturate.
int32_t ReadInteger(std::string_view text);

}  // namespace tarnwick
