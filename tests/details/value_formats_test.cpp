#include "details/value_formats.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace tarnwick {
namespace {

constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();

struct AngleCase {
  AngleAxis axis;
  const char* typed;  // nullptr: the row starts from the stored value
  int32_t stored;
  const char* seconds_style;
  const char* fraction_style;
};

constexpr AngleAxis kLat = AngleAxis::kLatitude;
constexpr AngleAxis kLon = AngleAxis::kLongitude;

const AngleCase kAngleCases[] = {
    {kLat, nullptr, 0, "N00:00:00.0000", "N00:00.0000"},
    {kLat, "N51:28:38.0000", 732248614, "N51:28:37.9999", "N51:28.6333"},
    {kLat, "N51:28.6333", 732248606, "N51:28:37.9978", "N51:28.6332"},
    {kLat, "n 51:28:38.5", 732250590, "N51:28:38.5000", "N51:28.6416"},
    {kLat, "51:28:38", 21013059, "N01:28:37.9999", "N01:28.6333"},
    {kLat, "N90:59:59", 1280224000, "N90:00:00.0000", "N90:00.0000"},
    {kLat, "S33:56:46", -482873623, "S33:56:45.9999", "S33:56.7666"},
    {kLon, nullptr, 0, "E000:00:00.0000", "E000:00.0000"},
    {kLon, "W000:27:41.0000", -5504583, "W000:27:40.9999", "W000:27.6833"},
    {kLon, "E151:10:38.5000", 1803616171, "E151:10:38.4999", "E151:10.6416"},
    {kLon, nullptr, -1, "W000:00:00.0003", "W000:00.0000"},
    {kLon, nullptr, kMax32, "E179:59:59.9999", "E179:59.9999"},
    {kLon, "W180:00:00", kMin32, "W180:00:00.0000", "W180:00.0000"},
    {kLon, "E180:00:00", kMin32, "W180:00:00.0000", "W180:00.0000"},
    // A unit or two below a whole second shows the second before with 9999, never wrapping to
    // the start of that second (47:15:35.0001 for 47:15:35.99997).
    {kLat, nullptr, 672259847, "N47:15:35.9999", "N47:15.5999"},
    {kLon, nullptr, 1803644341, "E151:10:46.9999", "E151:10.7833"},
    // The most negative latitude lies beyond the pole; it must still show without harm.
    {kLat, nullptr, kMin32, "S150:58:06.6883", "S150:58.1114"},
};

TEST(ValueFormatsTest, AnglesParseAndShowInBothStyles) {
  for (const AngleCase& c : kAngleCases) {
    SCOPED_TRACE(c.typed ? c.typed : std::to_string(c.stored));
    if (c.typed) {
      EXPECT_EQ(ParseAngle(c.typed, c.axis), c.stored);
    }
    EXPECT_EQ(FormatAngle(c.stored, c.axis, false), c.seconds_style);
    EXPECT_EQ(FormatAngle(c.stored, c.axis, true), c.fraction_style);
  }
}

TEST(ValueFormatsTest, AngleTextIsClampedNotRejected) {
  struct Case {
    AngleAxis axis;
    const char* typed;
    const char* same_as;  // the plain form that stores the same value
  };
  const Case cases[] = {
      {kLat, "", "N00:00:00"},
      {kLat, "S", "N00:00:00"},
      {kLat, "X12:30", "N12:30:00"},
      {kLat, "  s12:30:15.25", "S12:30:15.2500"},
      {kLat, "N51.5", "N51:00:00"},
      {kLat, "N-5:30", "N00:30:00"},
      {kLat, "N95:30", "N90:00:00"},
      {kLat, "N10:75:-3", "N10:59:00"},
      {kLat, "N10:20:30.123456", "N10:20:30.1234"},
      {kLon, "w5:10.5", "W005:10:30"},
      {kLon, "Q200", "E180:00:00"},
      {kLon, "E65587", "E051:00:00"},  // degrees are read as a 16-bit number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(ParseAngle(c.typed, c.axis), ParseAngle(c.same_as, c.axis));
  }
  EXPECT_EQ(ParseAngle("", kLat), 0);
  EXPECT_EQ(ParseAngle("S", kLat), 0);
}

enum class Field { kAltitude, kHeading, kCom, kNav, kObi };

struct ValueCase {
  Field field;
  const char* typed;  // nullptr: the row starts from the stored value
  int32_t stored;
  const char* shown;
};

int32_t Parse(Field field, const char* text) {
  switch (field) {
    case Field::kAltitude:
      return ParseAltitude(text);
    case Field::kHeading:
      return ParseHeading(text);
    case Field::kCom:
      return ParseFrequency(text, true);
    case Field::kNav:
      return ParseFrequency(text, false);
    case Field::kObi:
      return ParseObi(text);
  }
  return 0;
}

std::string Show(Field field, int32_t stored) {
  switch (field) {
    case Field::kAltitude:
      return FormatAltitude(stored);
    case Field::kHeading:
      return FormatHeading(static_cast<uint16_t>(stored));
    case Field::kCom:
    case Field::kNav:
      return FormatFrequency(static_cast<uint16_t>(stored));
    case Field::kObi:
      return FormatObi(static_cast<uint16_t>(stored));
  }
  return std::string();
}

const ValueCase kValueCases[] = {
    {Field::kAltitude, nullptr, 20480, "262"},
    {Field::kAltitude, "262", 20449, "262"},
    {Field::kAltitude, "1000", 78049, "1000"},
    {Field::kAltitude, "-50", -3902, "-50"},
    {Field::kAltitude, nullptr, -2560, "-33"},
    {Field::kAltitude, "40000", 3121951, "-25536"},  // shown as a 16-bit number
    {Field::kHeading, nullptr, 0, "360"},
    {Field::kHeading, nullptr, 91, "360"},
    {Field::kHeading, nullptr, 65535, "360"},
    {Field::kHeading, nullptr, 92, "001"},
    {Field::kHeading, "360", 0, "360"},
    {Field::kHeading, "0", 0, "360"},
    {Field::kHeading, "90", 16384, "090"},
    {Field::kHeading, "1", 182, "001"},
    {Field::kHeading, "725", 910, "005"},
    {Field::kHeading, "-10", 63716, "350"},
    {Field::kHeading, "-370", 63716, "350"},
    {Field::kHeading, "-100000", 14564, "080"},
    {Field::kCom, nullptr, 0, "000.00"},
    {Field::kCom, "123.46", 0x2345, "123.45"},
    {Field::kCom, "136.00", 0x3597, "135.97"},
    {Field::kCom, "117.00", 0x1800, "118.00"},
    {Field::kCom, "118.5", 0x1805, "118.05"},
    {Field::kCom, "23.975", 0x2397, "123.97"},
    {Field::kCom, "", 0x1800, "118.00"},
    {Field::kCom, "-5", 0x3597, "135.97"},
    {Field::kCom, "123.-45", 0x2300, "123.00"},  // never digits that are not decimal
    {Field::kNav, "110.30", 0x1030, "110.30"},
    {Field::kNav, "118.00", 0x1797, "117.97"},
    {Field::kNav, "113.9", 0x1307, "113.07"},
    {Field::kNav, "115", 0x1500, "115.00"},
    {Field::kNav, "112.-5", 0x1200, "112.00"},
    {Field::kObi, "400", 40, "040"},
    {Field::kObi, "720", 360, "360"},
    {Field::kObi, "0", 0, "000"},
    {Field::kObi, "-10", 350, "350"},
    {Field::kObi, "-360", 0, "000"},
};

TEST(ValueFormatsTest, ValuesParseAndShow) {
  for (const ValueCase& c : kValueCases) {
    SCOPED_TRACE(c.typed ? c.typed : std::to_string(c.stored));
    if (c.typed) {
      EXPECT_EQ(Parse(c.field, c.typed), c.stored);
    }
    EXPECT_EQ(Show(c.field, c.stored), c.shown);
  }
}

TEST(ValueFormatsTest, ExtremeAltitudesStaySafe) {
  EXPECT_EQ(AltitudeToFeet(kMin32), -27514634);
  EXPECT_EQ(AltitudeToFeet(kMax32), 27514634);
  EXPECT_EQ(FeetToAltitude(kMin32), -104755300);  // the low 32 bits of the exact result
  EXPECT_EQ(FeetToAltitude(0), 0);
}

TEST(ValueFormatsTest, ReadIntegerForms) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"", 0},
      {"abc", 0},
      {"  42", 42},
      {"\t\n-7x", -7},
      {"+5", 5},
      {"- 5", 0},
      {"+-5", 0},
      {"12.9", 12},
      {"007", 7},
      {"2147483647", kMax32},
      {"2147483648", kMax32},
      {"99999999999999999999", kMax32},
      {"-2147483648", kMin32},
      {"-99999999999999999999", kMin32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadInteger(c.text), c.value);
  }
}

TEST(ValueFormatsTest, ParseFractionReadsAtMostFourDigits) {
  struct Case {
    const char* text;
    uint16_t value;
  };
  const Case cases[] = {
      {"5", 5000}, {"25", 2500}, {"1234", 1234}, {"12345", 1234}, {"", 0},
      {"x1", 0},   {"07", 700},  {"3a9", 3000},  {" 5", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseFraction(c.text), c.value);
  }
}

TEST(ValueFormatsTest, ScaleValueRoundsHalfUpWithAnExactIntermediate) {
  EXPECT_EQ(ScaleValue(5, 1, 2, false), 2u);
  EXPECT_EQ(ScaleValue(5, 1, 2, true), 3u);
  EXPECT_EQ(ScaleValue(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, true), 0xFFFFFFFFu);
  EXPECT_EQ(ScaleValue(1, 1, 0, true), 0u);
}

}  // namespace
}  // namespace tarnwick
