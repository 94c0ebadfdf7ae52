#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/bgl_builder.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::BglArea;
using testing::BglFile;
using testing::BglLocn;
using testing::BuildBgl;
using testing::Locn;
using testing::RunProgram;
using testing::TempDir;

BglLocn Place(std::string description, LocnFields fields, uint16_t scen) {
  BglLocn locn;
  locn.description = std::move(description);
  locn.fields = fields;
  locn.scen = scen;
  return locn;
}

class CliBglTest : public ::testing::Test {
 protected:
  CliBglTest() {
    // A generated menu BGL: one Area with a Latin-1 title and two kept Locations, one Area that
    // the reader drops, and a scenery list of two entries.
    BglFile bgl;
    bgl.generated = true;
    BglArea zurich;
    zurich.title = "Z\xFCrich \"Kloten\"\\  ";
    zurich.locations = {Place("(Kloten)\tRwy 16\x01  ",
                              Locn(47.4647, 8.5492, 432, 155, 0x1810, 0x1075, 155, 0x1420, 3), 2),
                        Place("D\xFC"
                              "bendorf",
                              Locn(47.3986, 8.6481, 448, 110), 0)};
    BglArea empty;
    empty.title = "Nothing";
    empty.locations = {Place("...", LocnFields{}, 1)};
    bgl.areas = {zurich, empty};
    bgl.scenery_list = {{"Default", "=:\\=\\Scenery\\World\\*.bgl"},
                        {"Switzerland", "C:\\Addon\\Sw\xEFss\\*.bgl"}};
    path = dir.Write("Menus/Scenery/World_MENU.bgl", BuildBgl(bgl).bytes).string();
  }
  TempDir dir;
  std::string path;
};

// A host path as the CLI names it in JSON: its Windows path, backslashes escaped.
std::string JsonPath(const std::string& host) {
  std::string out = "Z:";
  for (char c : host) out += c == '/' ? std::string("\\\\") : std::string(1, c);
  return out;
}

TEST_F(CliBglTest, ShowsTheMenuAsJsonWithEveryByteKept) {
  auto run = RunProgram(TARNWICK_CLI_PATH, {"bgl", path, "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // Texts as the reader keeps them (title trimmed, description cut to its letters and digits,
  // the empty Area gone), 0xFC as U+00FC in UTF-8, SCEN numbers as saved.
  EXPECT_EQ(run.out,
            "{\"file\":\"" + JsonPath(path) +
                "\",\"menuOffset\":128,\"mark\":3940465915,\"sceneryListOffset\":292,"
                "\"generated\":true,\"areas\":[{\"title\":\"Z\xC3\xBCrich \\\"Kloten\\\"\\\\\","
                "\"locations\":[{\"description\":\"Kloten)\\tRwy 16\",\"latitude\":675171645,"
                "\"longitude\":101995929,\"altitude\":110592,\"heading\":28217,\"com1\":6160,"
                "\"nav1\":4213,\"obi1\":155,\"nav2\":5152,\"obi2\":3,\"scen\":2,"
                "\"shown\":{\"latitude\":\"N47:27:52.9199\",\"longitude\":\"E008:32:57.1200\","
                "\"altitude\":\"1417\",\"heading\":\"155\",\"com1\":\"118.10\",\"nav1\":\"110.75\","
                "\"obi1\":\"155\",\"nav2\":\"114.20\",\"obi2\":\"003\"}},"
                "{\"description\":\"D\xC3\xBC"
                "bendorf\",\"latitude\":674231392,"
                "\"longitude\":103175852,\"altitude\":114688,\"heading\":20025,\"com1\":0,"
                "\"nav1\":0,\"obi1\":0,\"nav2\":0,\"obi2\":0,\"scen\":0,"
                "\"shown\":{\"latitude\":\"N47:23:54.9601\",\"longitude\":\"E008:38:53.1602\","
                "\"altitude\":\"1469\",\"heading\":\"110\",\"com1\":\"000.00\",\"nav1\":\"000.00\","
                "\"obi1\":\"000\",\"nav2\":\"000.00\",\"obi2\":\"000\"}}]}],"
                "\"sceneryList\":[\"=:\\\\=\\\\Scenery\\\\World\\\\*.bgl\","
                "\"C:\\\\Addon\\\\Sw\xC3\xAFss\\\\*.bgl\"]}\n");
}

TEST_F(CliBglTest, ShowsTheMenuAsTextInEitherStyleOfMinutes) {
  auto run = RunProgram(TARNWICK_CLI_PATH, {"bgl", path});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("Menu data offset: 128\n"
                         "Generator mark: 0xEADEBCFB (written by Tarnwick)\n"
                         "Scenery list offset: 292\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("  Location 1: Kloten)\tRwy 16\n"
                         "    Position N47:27:52.9199 E008:32:57.1200  Altitude 1417 ft  "
                         "Heading 155\n"
                         "    COM1 118.10  NAV1 110.75  OBI1 155  NAV2 114.20  OBI2 003  SCEN 2\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("Nothing"), std::string::npos);
  EXPECT_NE(run.out.find("Scenery list: 2 entries\n  1 =:\\=\\Scenery\\World\\*.bgl\n"),
            std::string::npos);

  run = RunProgram(TARNWICK_CLI_PATH, {"bgl", "--fractional", path});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("Position N47:27.8819 E008:32.9520"), std::string::npos) << run.out;
}

TEST_F(CliBglTest, RefusesWhatIsNoBglAndBadUsage) {
  const std::string short_file = dir.Write("short.bgl", std::string(127, 'x')).string();
  const std::string no_menu = dir.Write("plain.bgl", std::string(128, '\0')).string();
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    const char* err;
  };
  const Case cases[] = {
      {{"bgl", short_file}, 1, "too short for a BGL header (127 of 128 bytes)"},
      {{"bgl", (dir.path() / "missing.bgl").string()}, 1, "cannot open"},
      {{"bgl"}, 2, "no BGL file named"},
      {{"bgl", path, "--xml"}, 2, "unknown option '--xml'"},
      {{"bgl", path, path}, 2, "one BGL file only"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    auto run = RunProgram(TARNWICK_CLI_PATH, c.args);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  // A BGL without menu data is no error: it simply has no Areas.
  auto run = RunProgram(TARNWICK_CLI_PATH, {"bgl", no_menu, "--json"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.out.find("\"menuOffset\":0,\"mark\":0,\"sceneryListOffset\":0,\"generated\":false,"
                         "\"areas\":[],\"sceneryList\":[]}"),
            std::string::npos)
      << run.out;
}

}  // namespace
}  // namespace tarnwick
