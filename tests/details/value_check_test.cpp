#include "details/value_check.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ValueTextProblemTest, AcceptsTheFormsShownAndRefusesWhatTheFieldCannotHold) {
  struct Case {
    int row;
    const char* text;
    bool accepted;
  };
  const Case cases[] = {
      // Latitude: both forms, missing parts, lower case, blanks between parts.
      {6, "N41:58:42.9601", true},
      {6, "N41:58.7160", true},
      {6, "s12", true},
      {6, "  N 41 : 58 ", true},
      {6, "N90", true},
      {6, "S90:00:00.0000", true},
      {6, "hello", false},
      {6, "", false},
      {6, "41:58", false},  // no hemisphere
      {6, "E41", false},
      {6, "N91", false},
      {6, "N90:00:01", false},
      {6, "N41:60", false},
      {6, "N41:58:60", false},
      {6, "N41:58:42.96011", false},  // a fifth decimal cannot be held
      {6, "N51.5", false},            // decimal degrees would store 51
      {6, "N4 1", false},
      // Longitude.
      {7, "W087:54:16.0000", true},
      {7, "e180", true},
      {7, "E181", false},
      {7, "N10", false},
      // Altitude in feet, as a 16-bit number.
      {8, "1000", true},
      {8, " -50 ", true},
      {8, "+32767", true},
      {8, "-32768", true},
      {8, "99999", false},
      {8, "32768", false},
      {8, "12.5", false},
      {8, "high", false},
      // Heading and OBI.
      {9, "360", true},
      {9, "0", true},
      {9, "361", false},
      {9, "-10", false},
      {12, "045", true},
      {14, "400", false},
      // Radios: COM 118.00-135.97, NAV 108.00-117.97, the leading 1 optional.
      {10, "118.00", true},
      {10, "118.5", true},
      {10, "35.97", true},
      {10, "135.98", false},
      {10, "117.95", false},
      {10, "tower", false},
      {11, "108.00", true},
      {13, "117.97", true},
      {13, "118.00", false},
      {11, "110.123", false},
      // The description takes anything.
      {5, "", true},
      {5, "anything at all", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(!ValueTextProblem(c.row, c.text).has_value(), c.accepted)
        << "row " << c.row << " \"" << c.text << "\"";
  }
  EXPECT_EQ(ValueTextProblem(10, "tower"), "118.00 to 135.97");
  EXPECT_EQ(ValueTextProblem(6, "hello"),
            "N41:58:42.9601 or N41:58.7160 (N or S, up to 90 degrees)");
}

}  // namespace
}  // namespace tarnwick
