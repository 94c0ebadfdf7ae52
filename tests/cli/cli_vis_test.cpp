#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_cli.h"
#include "support/temp_dir.h"
#include "support/vis_builder.h"

namespace tarnwick {
namespace {

using testing::RunProgram;
using testing::TempDir;
using testing::VisBuilder;

class CliVisTest : public ::testing::Test {
 protected:
  CliVisTest() {
    VisBuilder vis;
    vis.Entry(1, "=:\\=\\Scenery\\area1\\*.bgl", "Area One")
        .Entry(2, "D:\\Addon\\scenery\\*.BGL", "Caf\xe9 \"Addon\"\t\x01", 0x80, 0xFF)
        .Entry(3, "=:\\=\\Scenery\\Menus\\World_MENU.bgl", "Global menu by Tarnwick");
    host_path = dir.Write("FS98/Scenery/World.vis", vis.Build()).string();
    drive = "C=" + dir.path().string();
  }
  TempDir dir;
  std::string host_path;
  std::string drive;
};

TEST_F(CliVisTest, ListsTheEntriesAsJsonWithEveryByteKept) {
  auto run = RunProgram(TARNWICK_CLI_PATH, {"vis", host_path, "--json", "--drive", drive});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // The host path is named by the most specific drive, C:; 0xE9 becomes U+00E9 in UTF-8.
  EXPECT_EQ(run.out,
            "{\"vis\":\"C:\\\\FS98\\\\Scenery\\\\World.vis\",\"hostRoot\":\"C:\\\\FS98\","
            "\"entries\":["
            "{\"number\":1,\"offset\":14,\"bytes\":[1,10,1],\"active\":true,\"protected\":false,"
            "\"title\":\"Area One\",\"path\":\"=:\\\\=\\\\Scenery\\\\area1\\\\*.bgl\","
            "\"pattern\":\"C:\\\\FS98\\\\Scenery\\\\Area1\\\\Scenery\\\\*.bgl\"},"
            "{\"number\":2,\"offset\":51,\"bytes\":[128,255,2],\"active\":false,\"protected\":true,"
            "\"title\":\"Caf\xc3\xa9 \\\"Addon\\\"\\t\\u0001\","
            "\"path\":\"D:\\\\Addon\\\\scenery\\\\*.BGL\","
            "\"pattern\":\"D:\\\\Addon\\\\Scenery\\\\Scenery\\\\*.BGL\"},"
            "{\"number\":3,\"offset\":92,\"bytes\":[1,10,3],\"active\":true,\"protected\":true,"
            "\"title\":\"Global menu by Tarnwick\","
            "\"path\":\"=:\\\\=\\\\Scenery\\\\Menus\\\\World_MENU.bgl\","
            "\"pattern\":\"C:\\\\FS98\\\\Scenery\\\\Menus\\\\Scenery\\\\World_MENU.bgl\"}]}\n");
}

TEST_F(CliVisTest, TakesAWindowsPathAndPrintsText) {
  auto run =
      RunProgram(TARNWICK_CLI_PATH, {"vis", "--drive=" + drive, "c:\\fs98\\SCENERY\\world.vis"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("VIS file:  c:\\fs98\\SCENERY\\world.vis\n"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Entries:   3\n"), std::string::npos);
  EXPECT_NE(run.out.find("  2      51  80 FF 02  off protected Caf\xe9"), std::string::npos);
  EXPECT_NE(run.out.find("     pattern: C:\\Fs98\\Scenery\\Menus\\Scenery\\World_MENU.bgl\n"),
            std::string::npos);
}

TEST_F(CliVisTest, FailuresAndBadUsageGoToStderrWithTheirExitCodes) {
  dir.Write("Bad.vis", std::vector<uint8_t>(10, 1));
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string err;  // a part of stderr
  };
  const Case cases[] = {
      {{"vis", (dir.path() / "Missing.vis").string()},
       1,
       "Error 2 reported whilst opening VIS file!\n"},
      {{"vis", (dir.path() / "Bad.vis").string()},
       1,
       "Error 0 reported whilst indexing VIS file!\n"},
      {{"vis"}, 2, "no VIS file named"},
      {{"vis", host_path, "--bogus"}, 2, "unknown option '--bogus'"},
      {{"vis", host_path, "--drive", "1=/x"}, 2, "bad drive mapping '1=/x'"},
      {{"vis", host_path, "--drive"}, 2, "--drive needs X=DIR"},
      {{"vis", host_path, host_path}, 2, "one VIS file only"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    auto run = RunProgram(TARNWICK_CLI_PATH, c.args);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  auto help = RunProgram(TARNWICK_CLI_PATH, {"vis", "--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_EQ(help.out.rfind("usage: tarnwick-cli vis FILE.vis [--json] [--drive X=DIR]...\n", 0),
            0u);
}

}  // namespace
}  // namespace tarnwick
