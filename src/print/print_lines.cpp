#include "print/print_lines.h"

#include <cstdarg>
#include <cstdio>

#include "details/value_formats.h"

namespace tarnwick {

namespace {

std::string Format(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

char LeadingDigit(uint16_t frequency) {
  return frequency != 0 ? '1' : '0';
}
unsigned High(uint16_t frequency) {
  return frequency >> 8;
}
unsigned Low(uint16_t frequency) {
  return frequency & 0xFFu;
}

}  // namespace

std::string HeaderFileName(std::string_view vis_path) {
  const size_t slash = vis_path.rfind('\\');
  std::string name(slash == std::string_view::npos ? vis_path : vis_path.substr(slash + 1));
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return name;
}

std::string PositionLine(const LocnFields& fields, bool fractional_minutes) {
  const AngleParts lat = SplitAngle(fields.latitude, AngleAxis::kLatitude);
  const AngleParts lon = SplitAngle(fields.longitude, AngleAxis::kLongitude);
  const short feet = static_cast<short>(static_cast<int16_t>(AltitudeToFeet(fields.altitude)));
  // No substitution for north here: a heading near 0 prints as 000, unlike the details pane.
  const unsigned long heading = (fields.heading * 360ul + 32768) / 65536;
  if (fractional_minutes) {
    return Format("  %c%02hu:%02hu.%04hu   %c%03hu:%02hu.%04hu   %hdft   Hdg:%03lu", lat.hemisphere,
                  lat.degrees, lat.minutes, lat.minute_fraction, lon.hemisphere, lon.degrees,
                  lon.minutes, lon.minute_fraction, feet, heading);
  }
  return Format("  %c%02hu:%02hu:%02hu.%04hu   %c%03hu:%02hu:%02hu.%04hu   %hdft   Hdg:%03lu",
                lat.hemisphere, lat.degrees, lat.minutes, lat.seconds, lat.second_fraction,
                lon.hemisphere, lon.degrees, lon.minutes, lon.seconds, lon.second_fraction, feet,
                heading);
}

std::string RadioLine(const LocnFields& f) {
  return Format(
      "  COM1=%c%02X.%02X   NAV1=%c%02X.%02X   OBI1=%03hu   NAV2=%c%02X.%02X   OBI2=%03hu",
      LeadingDigit(f.com1), High(f.com1), Low(f.com1), LeadingDigit(f.nav1), High(f.nav1),
      Low(f.nav1), f.obi1, LeadingDigit(f.nav2), High(f.nav2), Low(f.nav2), f.obi2);
}

}  // namespace tarnwick
