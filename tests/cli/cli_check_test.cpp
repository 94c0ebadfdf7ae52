#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_cli.h"
#include "support/scenery_on_disk.h"

namespace tarnwick {
namespace {

using testing::BglArea;
using testing::BglFile;
using testing::BglLocn;
using testing::Locn;
using testing::RunProgram;
using testing::SceneryOnDisk;

BglArea MakeArea(const std::string& title, std::vector<BglLocn> locations) {
  BglArea area;
  area.title = title;
  area.locations = std::move(locations);
  return area;
}

BglLocn At(const std::string& description, double latitude, double longitude, double heading,
           uint16_t com1 = 0) {
  BglLocn locn;
  locn.description = description;
  locn.fields = Locn(latitude, longitude, 100, heading, com1);
  return locn;
}

// Two add-ons that bring the same airport, one with a title the saved menu cuts and a radio the
// details pane would not take.
class CliCheckTest : public ::testing::Test {
 protected:
  CliCheckTest() {
    BglFile first;
    first.areas = {MakeArea("Chicago", {At("Rwy 27", 41.98, -87.90, 270)}),
                   MakeArea("Chicago O'Hare International", {At("Gate", 41.97, -87.90, 90)})};
    BglFile second;
    second.areas = {MakeArea("CHICAGO", {At("Runway 27", 41.98, -87.9005, 272, 0x1000)})};
    disk.AddFolder("First", {{"first.bgl", first}});
    disk.AddFolder("Second", {{"second.bgl", second}});
    disk.WriteVis();
  }

  testing::CliRun Run(std::vector<std::string> args) {
    args.push_back("--drive");
    args.push_back("C=" + disk.dir.path().string());
    return RunProgram(TARNWICK_CLI_PATH, args);
  }

  SceneryOnDisk disk;
  const std::string vis = "C:\\FS98\\Scenery\\World.vis";
};

TEST_F(CliCheckTest, JsonListsEveryProblemInTreeOrderWithCounts) {
  auto run = Run({"check", vis, "--json"});
  ASSERT_EQ(run.exit_code, 3) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(
      run.out,
      "{\"problems\":["
      "{\"kind\":\"duplicate-area\",\"items\":[{\"area\":\"Chicago\",\"location\":null},"
      "{\"area\":\"CHICAGO\",\"location\":null}],"
      "\"detail\":\"2 Areas titled \\\"Chicago\\\" (case and blanks aside)\"},"
      "{\"kind\":\"duplicate-location\",\"items\":[{\"area\":\"Chicago\",\"location\":\"Rwy 27\"},"
      "{\"area\":\"CHICAGO\",\"location\":\"Runway 27\"}],"
      "\"detail\":\"2 Locations within 100 m, headings within 10 degrees\"},"
      "{\"kind\":\"long-title\",\"items\":[{\"area\":\"Chicago O'Hare International\","
      "\"location\":null}],\"detail\":\"saved as \\\"Chicago O'Hare Inter\\\" (28 characters)\"},"
      "{\"kind\":\"out-of-range\",\"items\":[{\"area\":\"CHICAGO\",\"location\":\"Runway 27\"}],"
      "\"detail\":\"COM1 110.00 is outside 118.00 to 135.97\",\"field\":\"COM1\"}],"
      "\"counts\":{\"duplicate-location\":1,\"duplicate-area\":1,\"repeated-location\":0,"
      "\"long-title\":1,\"empty-area\":0,\"scenery-off\":0,\"out-of-range\":1}}\n");
}

TEST_F(CliCheckTest, TextHasOneLinePerProblemAndASummary) {
  auto run = Run({"check", vis});
  ASSERT_EQ(run.exit_code, 3) << run.err;
  EXPECT_EQ(run.out,
            "duplicate-area: \"Chicago\", \"CHICAGO\": 2 Areas titled \"Chicago\" (case and "
            "blanks aside)\n"
            "duplicate-location: \"Chicago\" / \"Rwy 27\", \"CHICAGO\" / \"Runway 27\": 2 "
            "Locations within 100 m, headings within 10 degrees\n"
            "long-title: \"Chicago O'Hare International\": saved as \"Chicago O'Hare Inter\" (28 "
            "characters)\n"
            "out-of-range: \"CHICAGO\" / \"Runway 27\": COM1 110.00 is outside 118.00 to 135.97\n"
            "4 problems: 1 duplicate-location, 1 duplicate-area, 1 long-title, 1 out-of-range\n");
}

TEST_F(CliCheckTest, WithinSetsTheDistanceOfOnePlace) {
  // The two runways lie about 41 m apart.
  auto run = Run({"check", vis, "--json", "--within", "40"});
  EXPECT_EQ(run.exit_code, 3) << run.err;
  EXPECT_EQ(run.out.find("duplicate-location\","), std::string::npos) << run.out;
  run = Run({"check", "--within=42", vis, "--json"});
  EXPECT_NE(run.out.find("{\"kind\":\"duplicate-location\""), std::string::npos) << run.out;
}

TEST(CliCheckExitTest, CleanSetUnreadableSetAndBadUsage) {
  SceneryOnDisk disk;
  BglFile clean;
  clean.areas = {MakeArea("Heathrow", {At("Rwy 27L", 51.47, -0.45, 270, 0x1850)})};
  disk.AddFolder("Clean", {{"clean.bgl", clean}});
  disk.WriteVis();
  auto run = [&](std::vector<std::string> args) {
    args.push_back("--drive");
    args.push_back("C=" + disk.dir.path().string());
    return RunProgram(TARNWICK_CLI_PATH, args);
  };
  const std::string vis = "C:\\FS98\\Scenery\\World.vis";

  auto clean_run = run({"check", vis});
  EXPECT_EQ(clean_run.exit_code, 0) << clean_run.err;
  EXPECT_EQ(clean_run.out, "No problems found.\n");
  auto clean_json = run({"check", vis, "--json"});
  EXPECT_EQ(clean_json.exit_code, 0);
  EXPECT_EQ(clean_json.out.substr(0, 15), "{\"problems\":[],");

  EXPECT_EQ(run({"check", "C:\\FS98\\Scenery\\Missing.vis"}).exit_code, 1);

  for (const char* bad : {"abc", "-5", "10m", "", "nan", "inf"}) {
    SCOPED_TRACE(bad);
    auto usage = run({"check", vis, "--within", bad});
    EXPECT_EQ(usage.exit_code, 2);
    EXPECT_NE(usage.err.find("--within"), std::string::npos) << usage.err;
    EXPECT_EQ(usage.out, "");
  }
  EXPECT_EQ(run({"check", vis, "--within"}).exit_code, 2);
  EXPECT_EQ(run({"check", vis, "--within", "0"}).exit_code, 0);
}

}  // namespace
}  // namespace tarnwick
