// The menu as a text file: export, the exact round trip, changes, and every kind of bad input.
#include "details/menu_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "details/menu_text.h"
#include "details/value_formats.h"
#include "support/saved_set.h"
#include "support/tree_dump.h"

namespace tarnwick {
namespace {

using testing::DumpMenu;
using testing::ReadFileBytes;
using testing::SmallSet;

constexpr char kHeader[] =
    "Area,Location,Latitude,Longitude,Altitude (feet),Heading (degrees),COM1,NAV1,OBI1,NAV2,"
    "OBI2,Source\r\n";
constexpr char kGoodRow[] =
    "New,Here,N50:00:00.0000,W001:00:00.0000,100,090,122.90,110.30,001,111.50,090,";

class MenuImportTest : public ::testing::Test {
 protected:
  MenuImportTest() { EXPECT_TRUE(set.Scan()); }

  MenuImportPlan Plan(const std::string& bytes) {
    return PlanMenuImport(set.t.set, set.t.tree, ReadMenuText(bytes));
  }
  // The location of the tree's `n`-th Location (from 0), Areas taken in order.
  const MenuLocation& LocationAt(int n) {
    for (TreeNode area = set.t.tree.FirstChild(set.t.tree.Root()); area;
         area = set.t.tree.Next(area)) {
      for (TreeNode node = set.t.tree.FirstChild(area); node; node = set.t.tree.Next(node)) {
        if (n-- == 0) return *set.t.set.Location(RecordOf(set.t.tree.Data(node)));
      }
    }
    ADD_FAILURE() << "no such Location";
    return *set.t.set.Location(1);
  }
  std::vector<std::string> Problems(const MenuImportPlan& plan) {
    std::vector<std::string> texts;
    for (const auto& p : plan.problems) texts.push_back(FormatMenuTextProblem("m.csv", p));
    return texts;
  }

  SmallSet set;
};

TEST_F(MenuImportTest, ExportShowsTheTreeAsTheDetailsPaneDoes) {
  std::string csv = MenuCsv(set.t.set, set.t.tree, /*fractional_minutes=*/false);
  const LocnFields& zermatt = LocationAt(0).fields;
  std::string first_row = "Swiss Alps,Zermatt," +
                          FormatAngle(zermatt.latitude, AngleAxis::kLatitude, false) + "," +
                          FormatAngle(zermatt.longitude, AngleAxis::kLongitude, false) + "," +
                          FormatAltitude(zermatt.altitude) + "," + FormatHeading(zermatt.heading) +
                          ",122.90,110.30," + FormatObi(zermatt.obi1) + ",111.50,090," +
                          set.t.set.Bgl(LocationAt(0).bgl_index)->path + "\r\n";
  EXPECT_EQ(csv, std::string("\xEF\xBB\xBF") + kHeader + first_row +
                     csv.substr(3 + std::string(kHeader).size() + first_row.size()));
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
  EXPECT_NE(MenuCsv(set.t.set, set.t.tree, true).find(",N50:"), std::string::npos);
}

TEST_F(MenuImportTest, AnUnchangedFileKeepsEveryRecordAndSavesTheSameBytes) {
  for (bool fractional : {false, true}) {
    SCOPED_TRACE(fractional);
    SmallSet direct;
    ASSERT_TRUE(direct.Scan());
    ASSERT_TRUE(direct.Save());
    SmallSet imported;
    ASSERT_TRUE(imported.Scan());
    const int32_t locations = imported.t.set.location_count;
    MenuImportPlan plan =
        PlanMenuImport(imported.t.set, imported.t.tree,
                       ReadMenuText(MenuCsv(imported.t.set, imported.t.tree, fractional)));
    EXPECT_TRUE(plan.problems.empty()) << Problems(plan).front();
    EXPECT_EQ(plan.new_areas, 0u);
    EXPECT_EQ(plan.new_locations, 0u);
    ReplaceMenu(imported.s, plan);
    EXPECT_EQ(imported.t.set.location_count, locations);
    EXPECT_FALSE(imported.t.set.results_saved);
    EXPECT_EQ(DumpMenu(imported.t.tree), testing::kSmallSetMenu);
    ASSERT_TRUE(imported.Save());
    EXPECT_EQ(ReadFileBytes(imported.disk.MenuBgl()), ReadFileBytes(direct.disk.MenuBgl()));
  }
}

TEST_F(MenuImportTest, ChangedRowsAreStoredAsTheDetailsPaneStoresThem) {
  const MenuLocation sion = LocationAt(1);
  const MenuLocation brest = LocationAt(2);
  std::string csv = MenuCsv(set.t.set, set.t.tree, false);
  std::vector<std::string> lines;
  for (size_t at = 0; at < csv.size();) {
    size_t end = csv.find("\r\n", at) + 2;
    lines.push_back(csv.substr(at, end - at));
    at = end;
  }
  ASSERT_EQ(lines.size(), 4u);
  auto replace = [](std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
  };
  // Zermatt deleted; Brest moved into the renamed Alps after Sion, whose altitude and heading
  // are edited (as a spreadsheet writes them) and whose COM1 is cleared.
  std::string sion_row = replace(lines[2], "Swiss Alps", "Alps");
  sion_row = replace(sion_row, "," + FormatAltitude(sion.fields.altitude) + ",", ",500,");
  sion_row = replace(sion_row, "," + FormatHeading(sion.fields.heading) + ",", ",90,");
  sion_row = replace(sion_row, ",122.90,", ",000.00,");
  std::string brest_row = replace(lines[3], "Coast,", "Alps,");
  MenuImportPlan plan = Plan(lines[0] + sion_row + brest_row);
  ASSERT_FALSE(plan.HasErrors()) << Problems(plan).front();
  ReplaceMenu(set.s, plan);

  EXPECT_EQ(DumpMenu(set.t.tree), "Alps\n  Sion\n  Brest\n");
  const MenuLocation& new_sion = LocationAt(0);
  EXPECT_EQ(new_sion.fields.latitude, sion.fields.latitude);
  EXPECT_EQ(new_sion.fields.longitude, sion.fields.longitude);
  EXPECT_EQ(new_sion.fields.altitude, FeetToAltitude(500));
  EXPECT_EQ(new_sion.fields.heading, 16384);
  EXPECT_EQ(new_sion.fields.com1, 0);
  EXPECT_EQ(new_sion.fields.nav1, sion.fields.nav1);
  EXPECT_EQ(new_sion.bgl_index, sion.bgl_index);
  EXPECT_EQ(new_sion.scenery_vis, sion.scenery_vis);
  // Brest is unchanged: its record is used again and keeps its scenery area.
  const MenuLocation& new_brest = LocationAt(1);
  EXPECT_EQ(&new_brest, set.t.set.Location(3));
  EXPECT_EQ(new_brest.scenery_vis, brest.scenery_vis);
  // The status bar counts the tree: one Area, two Locations.
  EXPECT_EQ(set.t.host.status[static_cast<int>(StatusPart::kAreas)], 1);
  EXPECT_EQ(set.t.host.status[static_cast<int>(StatusPart::kLocns)], 2);
}

TEST_F(MenuImportTest, RowsThatRepeatAnAreaTitleLaterMakeANewArea) {
  const std::string other = "Other" + std::string(kGoodRow).substr(3);
  MenuImportPlan plan =
      Plan(std::string(kHeader) + kGoodRow + "\r\n" + other + "\r\n" + kGoodRow + "\r\n");
  ASSERT_FALSE(plan.HasErrors()) << Problems(plan).front();
  ReplaceMenu(set.s, plan);
  EXPECT_EQ(DumpMenu(set.t.tree), "New\n  Here\nOther\n  Here\nNew\n  Here\n");
}

struct ErrorCase {
  const char* name;
  std::string text;      // the whole file
  const char* expected;  // the first problem, "m.csv:LINE:COLUMN: ..." up to its length
};

TEST_F(MenuImportTest, EveryErrorNamesItsLineAndColumnAndNothingIsImported) {
  const std::string h = kHeader;
  const std::string row = kGoodRow;
  auto with = [&row](const std::string& from, const std::string& to) {
    std::string text = row;
    return text.replace(text.find(from), from.size(), to);
  };
  const ErrorCase cases[] = {
      {"latitude not an angle", h + with("N50:00:00.0000", "X50") + "\r\n",
       "m.csv:2:10: Latitude 'X50' is not an angle"},
      {"latitude decimal degrees", h + with("N50:00:00.0000", "N50.5") + "\r\n",
       "m.csv:2:10: Latitude 'N50.5' is not an angle"},
      {"longitude beyond 180", h + with("W001:00:00.0000", "W181:00") + "\r\n",
       "m.csv:2:25: Longitude 'W181:00' lies beyond 180 degrees"},
      {"minutes beyond 59", h + with("N50:00:00.0000", "N50:60") + "\r\n",
       "m.csv:2:10: Latitude 'N50:60' has more than 59"},
      {"altitude not a number", h + with(",100,", ",high,") + "\r\n",
       "m.csv:2:41: Altitude (feet) 'high' is not a whole number"},
      {"altitude beyond the record", h + with(",100,", ",99999,") + "\r\n",
       "m.csv:2:41: Altitude (feet) '99999'"},
      {"heading beyond 360", h + with(",090,", ",400,") + "\r\n",
       "m.csv:2:45: Heading (degrees) '400' is not a whole number from 0 to 360"},
      {"COM1 outside its band", h + with("122.90", "136.00") + "\r\n",
       "m.csv:2:49: COM1 '136.00' lies outside 118.00 to 135.97"},
      {"NAV1 out of its form", h + with("110.30", "tower") + "\r\n",
       "m.csv:2:56: NAV1 'tower' is not a frequency"},
      {"empty Area", h + with("New,", ",") + "\r\n", "m.csv:2:1: the Area title is empty"},
      {"a character the code page lacks",
       h +
           with("Here",
                "\xC5\x81\xC3\xB3"
                "dz") +
           "\r\n",
       "m.csv:2:5: the character '\xC5\x81' (U+0141) cannot be kept"},
      {"row too short", h + "New,Here,N50:00\r\n", "m.csv:2:16: the row ends before its"},
      {"cell beyond the header", h + row + ",extra\r\n", "m.csv:2:"},
      {"missing column",
       "Area,Location,Latitude,Longitude,Altitude (feet),Heading (degrees),"
       "COM1,NAV1,OBI1,NAV2,Source\r\n",
       "m.csv:1:94: the column 'OBI2' is missing"},
      {"another header", "Name,Value\r\nx,1\r\n", "m.csv:1:1: not a menu CSV file"},
      {"binary", std::string("\x01\x02\0\x03", 4), "m.csv:1:3: the file holds binary data"},
      {"not UTF-8", h + with("Here", "H\xE9re") + "\r\n", "m.csv:2:6: the file is not UTF-8"},
      {"unclosed quote", h + "\"New,Here\r\n", "m.csv:2:1: a quoted cell is never closed"},
      {"empty file", "", "m.csv:1:1: the file is empty"},
      {"JSON syntax", "{\"areas\": [\n  {\"title\": \"A\",, }]}", "m.csv:2:17: not valid JSON"},
      {"JSON value missing",
       "{\"areas\":[{\"title\":\"A\",\"locations\":[\n{\"description\":\"L\"}]}]}",
       "m.csv:2:1: the Location has no \"latitude\""},
      {"JSON value of the wrong width",
       "{\"areas\":[{\"title\":\"A\",\"locations\":[{\"description\":\"L\",\"latitude\":0,"
       "\"longitude\":0,\"altitude\":0,\n\"heading\":70000,\"com1\":0,\"nav1\":0,\"obi1\":0,"
       "\"nav2\":0,\"obi2\":0}]}]}",
       "m.csv:2:1: \"heading\" must be a whole number from 0 to 65535"},
      {"JSON of something else", "{\"vis\":\"x\"}", "m.csv:1:1: not a menu JSON file"},
  };
  const std::string before = DumpMenu(set.t.tree);
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    MenuImportPlan plan = Plan(c.text);
    ASSERT_TRUE(plan.HasErrors());
    std::string first = Problems(plan).front();
    EXPECT_EQ(first.substr(0, std::string(c.expected).size()), c.expected) << first;
    ReplaceMenu(set.s, plan);
    EXPECT_EQ(DumpMenu(set.t.tree), before);
    EXPECT_EQ(set.t.set.location_count, 3);
  }
}

TEST_F(MenuImportTest, EveryBadCellIsReportedNotOnlyTheFirst) {
  std::string row = kGoodRow;
  MenuImportPlan plan = Plan(std::string(kHeader) + row.replace(row.find("N50"), 3, "Q50") +
                             "\r\n" + ",x" + std::string(kGoodRow).substr(8) + "\r\n");
  EXPECT_EQ(Problems(plan),
            (std::vector<std::string>{"m.csv:2:10: Latitude 'Q50:00:00.0000' is not an angle such "
                                      "as N51:28:38.0000 or N51:28.6333 (N or S, degrees to 90)",
                                      "m.csv:3:1: the Area title is empty"}));
}

TEST_F(MenuImportTest, LongTitlesAreOnlyWarnings) {
  std::string row = kGoodRow;
  row.replace(0, 3, "An Area title of thirty");
  MenuImportPlan plan = Plan(std::string(kHeader) + row + "\r\n");
  EXPECT_FALSE(plan.HasErrors());
  ASSERT_EQ(plan.problems.size(), 1u);
  EXPECT_EQ(Problems(plan).front().substr(0, 30), "m.csv:2:1: warning: the saved ");
}

TEST_F(MenuImportTest, MoreThan65535LocationsAreRefused) {
  std::string text = kHeader;
  for (int i = 0; i <= 65535; ++i) (text += kGoodRow) += "\r\n";
  const std::vector<std::string> problems = Problems(Plan(text));
  EXPECT_NE(std::find(problems.begin(), problems.end(),
                      "m.csv:65537:1: more than 65,535 Locations: a menu holds no more"),
            problems.end());
}

TEST_F(MenuImportTest, TheMenuJsonImportsWithEveryStoredValue) {
  // The JSON's values are stored as they are, however the texts would round.
  LocnFields odd = LocationAt(0).fields;
  std::string json =
      "{\"areas\":[{\"locations\":[{\"description\":\"Caf\xC3\xA9\",\"bgl\":null,"
      "\"latitude\":-7,\"longitude\":2147483647,\"altitude\":-1,\"heading\":65535,"
      "\"com1\":4660,\"nav1\":0,\"obi1\":400,\"nav2\":1,\"obi2\":2}],\"title\":\"T\"}]}";
  MenuImportPlan plan = Plan(json);
  ASSERT_FALSE(plan.HasErrors()) << Problems(plan).front();
  ReplaceMenu(set.s, plan);
  EXPECT_EQ(DumpMenu(set.t.tree), "T\n  Caf\xE9\n");
  const LocnFields& f = LocationAt(0).fields;
  EXPECT_EQ(f.latitude, -7);
  EXPECT_EQ(f.longitude, 2147483647);
  EXPECT_EQ(f.altitude, -1);
  EXPECT_EQ(f.heading, 65535);
  EXPECT_EQ(f.com1, 4660);
  EXPECT_EQ(f.obi1, 400);
  EXPECT_NE(f.latitude, odd.latitude);
}

}  // namespace
}  // namespace tarnwick
