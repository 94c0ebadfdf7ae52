// The print layout: page geometry, the page header, the walk with its separators and page breaks,
// and the text lines of a Location.
#include "print/print_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "details/value_formats.h"
#include "print/print_lines.h"
#include "support/menu_builder.h"
#include "support/test_session.h"

namespace tarnwick {
namespace {

using testing::BuildMenu;
using testing::FindLabel;
using testing::TestSession;

// A small device: 10-unit lines, 60 pixels per inch (margins of 40), a 600 x 200 page. The header
// ends at 40 + 15 + 10 = 65; the usable part ends at the bottom limit 200 - 10 - 40 = 150.
constexpr DeviceFigures kSmallDevice = {.horizontal_resolution = 600,
                                        .vertical_resolution = 200,
                                        .pixels_per_inch_x = 60,
                                        .pixels_per_inch_y = 60,
                                        .line_height = 10};

// One step as a line of text: "text x,y align font: ..." and so on.
std::string Show(const DrawStep& step) {
  switch (step.kind) {
    case StepKind::kStartPage:
      return "start page";
    case StepKind::kEndPage:
      return "end page";
    case StepKind::kRule:
      return "rule " + std::to_string(step.x) + "-" + std::to_string(step.x_end) + " at " +
             std::to_string(step.y);
    case StepKind::kText:
      break;
  }
  const char* align = step.align == TextAlign::kLeft     ? "left"
                      : step.align == TextAlign::kCentre ? "centre"
                                                         : "right";
  return std::to_string(step.x) + "," + std::to_string(step.y) + " " + align +
         (step.font == PrintFont::kHeader ? " bold " : " ") + step.text;
}

std::vector<std::string> Show(const DrawSteps& steps) {
  std::vector<std::string> out;
  for (const DrawStep& step : steps) out.push_back(Show(step));
  return out;
}

// The header of page `n` of the small device.
std::vector<std::string> Header(int n, const std::string& name = "WORLD.VIS") {
  return {"start page", "40,40 left bold Tarnwick", "300,40 centre bold " + name,
          "560,40 right bold Page " + std::to_string(n), "rule 40-560 at 55"};
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

class PrintLayoutTest : public ::testing::Test {
 protected:
  PrintLayoutTest() { t.set.vis_path = "C:\\FS98\\Scenery\\World.vis"; }

  std::vector<std::string> Lay(const DeviceFigures& device = kSmallDevice) {
    return Show(LayOutPages(t.tree, t.set, MakePageGeometry(device), choices));
  }
  // The position line of Location record `m` as the walk prints it.
  std::string Position(int m) const {
    return PositionLine(t.set.Location(m)->fields, choices.fractional_minutes);
  }

  TestSession t;
  PrintChoices choices;
};

TEST(PageGeometryTest, MarginsAndLimitsFollowTheDevice) {
  struct Case {
    DeviceFigures device;
    PageGeometry expected;
  };
  const Case cases[] = {
      // A4 at 600 dots per inch with Arial 11 point lines.
      {{4960, 7015, 600, 600, 105}, {105, 400, 7015 - 105 - 400, 400, 4960 - 400}},
      // Pixels that are not square, and margins that are not whole: 2 x 200 / 3 = 133.
      {{2400, 6000, 200, 500, 48}, {48, 333, 6000 - 48 - 333, 133, 2400 - 133}},
  };
  for (const Case& c : cases) {
    PageGeometry page = MakePageGeometry(c.device);
    EXPECT_EQ(page.line_height, c.expected.line_height);
    EXPECT_EQ(page.top_margin, c.expected.top_margin);
    EXPECT_EQ(page.bottom_limit, c.expected.bottom_limit);
    EXPECT_EQ(page.left_margin, c.expected.left_margin);
    EXPECT_EQ(page.right_edge, c.expected.right_edge);
  }
}

TEST(PageGeometryTest, FontSizesRoundTenthsOfAPointHalfUp) {
  // 11 point at 600 dots per inch: 110 x 600 / 72 = 916.7 device units, a height of -92.
  DevicePoint point = FontDevicePoint(110, 110, 600.0, 600.0);
  EXPECT_EQ(point.x, 916);
  EXPECT_EQ(point.y, 916);
  const std::pair<int32_t, int32_t> heights[] = {{916, -92}, {915, -92}, {914, -91}, {-916, -92},
                                                 {0, 0},     {4, 0},     {5, -1}};
  for (auto [y, height] : heights) EXPECT_EQ(FontHeightFromLogical(y), height) << y;
  // Pixels twice as wide as high keep the characters' shape with half the measured width.
  EXPECT_EQ(FontWidthFromLogical(458, 916, 41), 21);
  EXPECT_EQ(FontWidthFromLogical(916, 916, 41), 41);
  EXPECT_EQ(FontWidthFromLogical(5, 0, 41), 0);
  // A4 is 210 mm wide: 4960 units across it are 599.9 per inch.
  EXPECT_NEAR(PixelsPerInch(4960, 210), 599.92, 0.01);
  EXPECT_EQ(PixelsPerInch(4960, 0), 0.0);
}

TEST_F(PrintLayoutTest, AnEmptyTreePrintsOnePageWithOnlyTheHeader) {
  BuildMenu(t.session, {});
  EXPECT_EQ(Lay(), Concat({Header(1), {"end page"}}));
  // Even without a tree at all.
  t.tree.Clear();
  EXPECT_EQ(Lay(), Concat({Header(1), {"end page"}}));
}

TEST_F(PrintLayoutTest, AreasAndLocationsAreIndentedWithTheirDetailLines) {
  const std::string long_label(300, 'x');
  BuildMenu(t.session, {{"Alps", {"Zermatt", long_label}}, {"Coast", {}}});
  DeviceFigures tall = kSmallDevice;
  tall.vertical_resolution = 1000;
  std::vector<std::string> expected = Concat({Header(1),
                                              {
                                                  "40,65 left Alps",
                                                  "70,75 left Zermatt",
                                                  "100,85 left " + Position(1),
                                                  "70,95 left " + std::string(255, 'x'),
                                                  "100,105 left " + Position(2),
                                                  "40,115 left Coast",
                                                  "end page",
                                              }});
  EXPECT_EQ(Lay(tall), expected);

  // The additional fields add a radio line under each position line.
  choices.show_all_fields = true;
  choices.fractional_minutes = true;
  t.set.Location(1)->fields.com1 = 0x2345;
  std::vector<std::string> steps = Lay(tall);
  ASSERT_GE(steps.size(), 9u);
  EXPECT_EQ(steps[6], "70,75 left Zermatt");
  EXPECT_EQ(steps[7], "100,85 left " + Position(1));
  EXPECT_EQ(steps[8], "100,95 left " + RadioLine(t.set.Location(1)->fields));
}

TEST_F(PrintLayoutTest, AnAreaOnTheLastLinesMovesToTheNextPageWithItsFirstLocation) {
  // After Alps the position is 115: Coast's label would fit above 150, but its first Location
  // would not, so Coast starts page 2 (an Area needs its line, a Location's two and one spare).
  BuildMenu(t.session, {{"Alps", {"Zermatt", "Sion"}}, {"Coast", {"Brest"}}});
  std::vector<std::string> expected = Concat({Header(1),
                                              {
                                                  "40,65 left Alps",
                                                  "70,75 left Zermatt",
                                                  "100,85 left " + Position(1),
                                                  "70,95 left Sion",
                                                  "100,105 left " + Position(2),
                                                  "end page",
                                              },
                                              Header(2),
                                              {
                                                  "40,65 left Coast",
                                                  "70,75 left Brest",
                                                  "100,85 left " + Position(3),
                                                  "end page",
                                              }});
  EXPECT_EQ(Lay(), expected);
}

TEST_F(PrintLayoutTest, ALocationKeepsItsDetailLinesOnItsPage) {
  // Three Locations end at 135; the fourth needs two lines and one spare below 150, so it goes to
  // page 2 on its own, without its Area.
  BuildMenu(t.session, {{"Alps", {"a", "b", "c", "d"}}});
  std::vector<std::string> steps = Lay();
  std::vector<std::string> page2 =
      Concat({Header(2), {"70,65 left d", "100,75 left " + Position(4), "end page"}});
  ASSERT_GE(steps.size(), page2.size());
  EXPECT_EQ(std::vector<std::string>(steps.end() - page2.size(), steps.end()), page2);
  EXPECT_EQ(steps[steps.size() - page2.size() - 2], "100,125 left " + Position(3));
}

TEST_F(PrintLayoutTest, SelectionOnlyPrintsMarkedItemsWithSeparatorsAtTheShallowestGap) {
  BuildMenu(t.session, {{"Alps", {"a1", "a2", "a3"}}, {"Bay", {"b1"}}, {"Coast", {"c1"}}});
  for (const char* label : {"a1", "a3", "Coast", "c1"}) {
    t.tree.SetMarked(FindLabel(t.tree, label), true);
  }
  choices.selection_only = true;
  // 1000-unit page: no page breaks here.
  DeviceFigures device = kSmallDevice;
  device.vertical_resolution = 1000;
  std::vector<std::string> expected = Concat({Header(1, "Selected from WORLD.VIS"),
                                              {
                                                  // Alps left out: an Area-level gap.
                                                  "40,65 left ------",
                                                  "70,75 left a1",
                                                  "100,85 left " + Position(1),
                                                  // a2 left out: a Location-level gap.
                                                  "70,95 left ------",
                                                  "70,105 left a3",
                                                  "100,115 left " + Position(3),
                                                  // Bay and b1 left out: the shallower level.
                                                  "40,125 left ------",
                                                  "40,135 left Coast",
                                                  "70,145 left c1",
                                                  "100,155 left " + Position(5),
                                                  "end page",
                                              }});
  EXPECT_EQ(Lay(device), expected);

  // Nothing marked: the header alone.
  for (const char* label : {"a1", "a3", "Coast", "c1"}) {
    t.tree.SetMarked(FindLabel(t.tree, label), false);
  }
  EXPECT_EQ(Lay(device), Concat({Header(1, "Selected from WORLD.VIS"), {"end page"}}));
}

TEST(PrintLinesTest, TheHeaderNameIsUpperCasedWithoutItsFolder) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\FS98\\Scenery\\World.vis", "WORLD.VIS"},
      {"world.vis", "WORLD.VIS"},
      {"D:\\Sim.Files\\my set-2.vis", "MY SET-2.VIS"},
      {"C:\\FS98\\", ""},
  };
  for (auto [path, name] : cases) EXPECT_EQ(HeaderFileName(path), name) << path;
}

TEST(PrintLinesTest, PositionLinesInBothAngleStyles) {
  LocnFields f;
  f.latitude = 640112000;     // 45 degrees north
  f.longitude = -1073741824;  // 90 degrees west
  f.altitude = 25600;         // 100 metres
  f.heading = 16384;          // 90 degrees
  EXPECT_EQ(PositionLine(f, false), "  N45:00:00.0000   W090:00:00.0000   328ft   Hdg:090");
  EXPECT_EQ(PositionLine(f, true), "  N45:00.0000   W090:00.0000   328ft   Hdg:090");

  // Below the equator and the sea, and headings that the details pane would show otherwise.
  f.latitude = -1000;
  f.longitude = 123456789;
  f.altitude = -25600;
  const std::pair<uint16_t, const char*> headings[] = {
      {0, "000"}, {100, "001"}, {65535, "360"}, {32768, "180"}};
  for (auto [stored, shown] : headings) {
    f.heading = stored;
    for (bool fractional : {false, true}) {
      EXPECT_EQ(PositionLine(f, fractional),
                "  " + FormatAngle(f.latitude, AngleAxis::kLatitude, fractional) + "   " +
                    FormatAngle(f.longitude, AngleAxis::kLongitude, fractional) +
                    "   -328ft   Hdg:" + shown);
    }
  }
  EXPECT_EQ(FormatAngle(-1000, AngleAxis::kLatitude, true).front(), 'S');
}

TEST(PrintLinesTest, TheRadioLineShowsFrequenciesWithTheirLeadingOne) {
  LocnFields f;
  f.com1 = 0x2345;
  f.nav1 = 0;
  f.obi1 = 5;
  f.nav2 = 0x1050;
  f.obi2 = 270;
  EXPECT_EQ(RadioLine(f), "  COM1=123.45   NAV1=000.00   OBI1=005   NAV2=110.50   OBI2=270");
}

}  // namespace
}  // namespace tarnwick
