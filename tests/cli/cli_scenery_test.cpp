#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_cli.h"
#include "support/scenery_on_disk.h"

namespace tarnwick {
namespace {

using testing::BglFile;
using testing::MenuFile;
using testing::RunProgram;
using testing::SceneryOnDisk;

// Two folders with a menu each, one BGL without a menu, and a description with a byte above 0x7F.
class CliSceneryTest : public ::testing::Test {
 protected:
  CliSceneryTest() {
    BglFile no_menu;
    no_menu.menu_offset = 0;
    disk.AddFolder("Alps", {{"alps.bgl", MenuFile({{"Swiss Alps", {"Zermatt", "Sion"}}})},
                            {"nomenu.bgl", no_menu}});
    coast = MenuFile({{"Coast", {"Caf\xe9 Brest"}}});
    disk.AddFolder("Coast", {{"coast.bgl", coast}});
    disk.WriteVis();
  }

  testing::CliRun Run(std::vector<std::string> args) {
    args.push_back("--drive");
    args.push_back("C=" + disk.dir.path().string());
    return RunProgram(TARNWICK_CLI_PATH, args);
  }

  SceneryOnDisk disk;
  BglFile coast;
  const std::string vis = "C:\\FS98\\Scenery\\World.vis";
};

TEST_F(CliSceneryTest, MenuPrintsTheTreeAsJson) {
  auto run = Run({"menu", vis, "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");

  const LocnFields& f = coast.areas[0].locations[0].fields;
  auto n = [](int64_t v) { return std::to_string(v); };
  std::string brest =
      "{\"number\":3,\"description\":\"Caf\xc3\xa9 Brest\",\"bgl\":"
      "\"C:\\\\FS98\\\\Scenery\\\\Coast\\\\Scenery\\\\coast.bgl\",\"bglIndex\":2,"
      "\"foundVis\":2,\"sceneryVis\":2,\"latitude\":" +
      n(f.latitude) + ",\"longitude\":" + n(f.longitude) + ",\"altitude\":" + n(f.altitude) +
      ",\"heading\":" + n(f.heading) + ",\"com1\":" + n(f.com1) + ",\"nav1\":" + n(f.nav1) +
      ",\"obi1\":" + n(f.obi1) + ",\"nav2\":" + n(f.nav2) + ",\"obi2\":" + n(f.obi2) + "}";
  std::string expected_start =
      "{\"vis\":\"C:\\\\FS98\\\\Scenery\\\\World.vis\","
      "\"counts\":{\"areas\":2,\"locns\":3,\"menus\":2,\"bgls\":3,\"vis\":2},"
      "\"menuBgls\":[\"C:\\\\FS98\\\\Scenery\\\\Alps\\\\Scenery\\\\alps.bgl\","
      "\"C:\\\\FS98\\\\Scenery\\\\Coast\\\\Scenery\\\\coast.bgl\"],"
      "\"areas\":[{\"number\":1,\"title\":\"Swiss Alps\",\"visIndex\":1,\"locations\":["
      "{\"number\":1,\"description\":\"Zermatt\",";
  std::string expected_end =
      "{\"number\":2,\"title\":\"Coast\",\"visIndex\":2,\"locations\":[" + brest + "]}]}\n";
  EXPECT_EQ(run.out.substr(0, expected_start.size()), expected_start) << run.out;
  ASSERT_GE(run.out.size(), expected_end.size());
  EXPECT_EQ(run.out.substr(run.out.size() - expected_end.size()), expected_end) << run.out;
}

TEST_F(CliSceneryTest, MenuPrintsTextAndASummary) {
  auto run = Run({"menu", (disk.root / "Scenery" / "World.vis").string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("Areas: 2   Locns: 3   Menus: 2   BGLs:  3    VIS:  2\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\nArea 1: Swiss Alps  (VIS entry 1)\n  Location 1: Zermatt  (BGL 1, "
                         "VIS entry 1)\n  Location 2: Sion"),
            std::string::npos)
      << run.out;

  auto summary = Run({"menu", "--summary", vis});
  ASSERT_EQ(summary.exit_code, 0) << summary.err;
  EXPECT_EQ(summary.out.find("Area 1"), std::string::npos);
  EXPECT_NE(summary.out.find("    2  C:\\FS98\\Scenery\\Coast\\Scenery\\coast.bgl\n"),
            std::string::npos)
      << summary.out;
}

TEST_F(CliSceneryTest, SaveOriginalsAndRestoreWorkOnTheFiles) {
  auto save = Run({"save", vis, "--yes", "--log"});
  ASSERT_EQ(save.exit_code, 0) << save.err;
  EXPECT_EQ(save.out,
            "Menu BGL:  C:\\FS98\\Scenery\\Menus\\Scenery\\World_MENU.bgl\n"
            "VIS entry: C:\\FS98\\Scenery\\Menus\\World_MENU.bgl\n");
  EXPECT_EQ(disk.SwitchByte(disk.Bgl("Alps", "alps.bgl")), 0);
  EXPECT_TRUE(std::filesystem::exists(disk.MenusFolder() / "World_.log"));

  auto menu = Run({"menu", vis, "--json", "--summary"});
  EXPECT_NE(menu.out.find("\"menus\":1,"), std::string::npos) << menu.out;
  EXPECT_NE(menu.out.find("Menus\\\\Scenery\\\\World_MENU.bgl\"]"), std::string::npos);

  auto no_previous = Run({"restore", vis});
  EXPECT_EQ(no_previous.exit_code, 1);
  EXPECT_NE(no_previous.err.find("no previous result"), std::string::npos) << no_previous.err;

  auto on = Run({"originals", "on", vis});
  ASSERT_EQ(on.exit_code, 0) << on.err;
  EXPECT_EQ(on.out, "Enabled original menus: 3 menu switches written\n");
  EXPECT_EQ(disk.SwitchByte(disk.Bgl("Alps", "alps.bgl")), 1);
  EXPECT_EQ(disk.SwitchByte(disk.MenuBgl()), 0);

  ASSERT_EQ(Run({"save", vis, "--yes"}).exit_code, 0);
  auto first = testing::ReadFileBytes(disk.PreviousCopy());
  auto restore = Run({"restore", vis});
  ASSERT_EQ(restore.exit_code, 0) << restore.err;
  first[128] = 1;  // the restored menu is switched on again
  EXPECT_EQ(testing::ReadFileBytes(disk.MenuBgl()), first);
  EXPECT_EQ(disk.SwitchByte(disk.MenuBgl()), 1);

  // The restore switched them off already: nothing is left to write.
  auto off = Run({"originals", "off", vis});
  ASSERT_EQ(off.exit_code, 0) << off.err;
  EXPECT_EQ(off.out, "Disabled original menus: 0 menu switches written\n");
}

// A job that did not do what it would report exits 1 with the reason.
TEST_F(CliSceneryTest, ARestoreThatExchangesNothingFails) {
  ASSERT_EQ(Run({"save", vis, "--yes"}).exit_code, 0);
  ASSERT_EQ(Run({"save", vis, "--yes"}).exit_code, 0);
  // A parked file that is no state of the program's own blocks the exchange; nothing is deleted.
  std::filesystem::copy_file(disk.MenuBgl(), disk.MenuBgl().string() + "New");
  auto current = testing::ReadFileBytes(disk.MenuBgl());
  auto restore = Run({"restore", vis});
  EXPECT_EQ(restore.exit_code, 1);
  EXPECT_NE(restore.err.find("nothing was restored"), std::string::npos) << restore.err;
  EXPECT_EQ(testing::ReadFileBytes(disk.MenuBgl()), current);
  EXPECT_TRUE(std::filesystem::exists(disk.MenuBgl().string() + "New"));
  std::filesystem::remove(disk.MenuBgl().string() + "New");
  EXPECT_EQ(Run({"restore", vis}).exit_code, 0);
}

// The Areas and Locations of `menu`'s text, by title, in order: what a user sees of the menu,
// whichever files it was read from.
std::string MenuTitles(const std::string& out) {
  std::string titles;
  size_t at = 0;
  while (at < out.size()) {
    size_t end = out.find('\n', at);
    if (end == std::string::npos) end = out.size();
    const std::string line = out.substr(at, end - at);
    at = end + 1;
    const bool area = line.rfind("Area ", 0) == 0;
    if (!area && line.rfind("  Location ", 0) != 0) continue;
    const size_t from = line.find(": ") + 2;
    titles += (area ? "" : "  ") + line.substr(from, line.rfind("  (") - from) + "\n";
  }
  return titles;
}

// Truncated add-ons the scan reads a menu from (one Area's LOCN list beyond the end of the file,
// a title without its NUL) are switched off like any other: saving again and again never reads
// their Locations twice.
TEST_F(CliSceneryTest, RepeatedSavesOfTruncatedAddOnsKeepEachAreaOnce) {
  BglFile cut = MenuFile({{"Lost", {"Nowhere"}}, {"Lakes", {"Como"}}});
  cut.areas[0].locn_offset = 100000;
  BglFile open_title = MenuFile({{"Fjords", {"Bergen"}}});
  open_title.areas[0].terminated = false;
  disk.AddFolder("Lakes", {{"cut.bgl", cut}, {"open.bgl", open_title}});
  disk.WriteVis();

  const std::string menu = MenuTitles(Run({"menu", vis}).out);
  ASSERT_NE(menu.find("Swiss Alps\n  Zermatt\n  Sion\nCoast\n"), std::string::npos) << menu;
  ASSERT_NE(menu.find("\nLakes\n  Como\nFjords\n  Bergen\n"), std::string::npos) << menu;
  for (int save = 1; save <= 3; ++save) {
    SCOPED_TRACE(save);
    auto saved = Run({"save", vis, "--yes"});
    ASSERT_EQ(saved.exit_code, 0) << saved.err;
    EXPECT_EQ(disk.SwitchByte(disk.Bgl("Lakes", "cut.bgl")), 0);
    EXPECT_EQ(disk.SwitchByte(disk.Bgl("Lakes", "open.bgl")), 0);
    EXPECT_EQ(MenuTitles(Run({"menu", vis}).out), menu);
  }
  ASSERT_EQ(Run({"originals", "on", vis}).exit_code, 0);
  EXPECT_EQ(disk.SwitchByte(disk.Bgl("Lakes", "cut.bgl")), 1);
  EXPECT_EQ(MenuTitles(Run({"menu", vis}).out), menu);
}

TEST_F(CliSceneryTest, ExitCodesTellFailureFromBadUsage) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    const char* err;
  };
  const Case cases[] = {
      {{"menu", "C:\\FS98\\Scenery\\Missing.vis"},
       1,
       "Error 2 reported whilst opening VIS file!\n"},
      {{"save", "C:\\FS98\\Scenery\\Missing.vis", "--yes"},
       1,
       "Error 2 reported whilst opening VIS file!\n"},
      {{"menu"}, 2, "no VIS file named"},
      {{"menu", "--bogus", "x.vis"}, 2, "unknown option '--bogus'"},
      {{"originals", "maybe", "x.vis"}, 2, "say on or off"},
      {{"restore", "a.vis", "b.vis"}, 2, "one VIS file only"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : ""));
    auto run = Run(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace tarnwick
