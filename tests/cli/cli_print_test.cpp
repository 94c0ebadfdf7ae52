// tarnwick-cli print: the menu of a scenery set as PDF pages, read back with pdftotext.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "print/print_lines.h"
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

constexpr char kPdfToText[] = "/usr/bin/pdftotext";

// Runs of blanks become one blank: pdftotext spaces the columns of a line as it measures them.
std::string Squeeze(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (!out.empty() && out.back() != ' ' && out.back() != '\n') out += ' ';
    } else {
      if (c == '\n' && !out.empty() && out.back() == ' ') out.pop_back();
      out += c;
    }
  }
  return out;
}

// The text lines of each page, blanks squeezed and empty lines dropped.
std::vector<std::vector<std::string>> Pages(const std::string& text) {
  std::vector<std::vector<std::string>> pages(1);
  std::string line;
  for (char c : Squeeze(text)) {
    if (c == '\f') {
      pages.emplace_back();
    } else if (c == '\n') {
      while (!line.empty() && line.front() == ' ') line.erase(0, 1);
      if (!line.empty()) pages.back().push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (pages.back().empty()) pages.pop_back();
  return pages;
}

class CliPrintTest : public ::testing::Test {
 protected:
  CliPrintTest() {
    BglArea alps;
    alps.title = "Swiss Alps";
    for (int i = 0; i < 40; ++i) {
      BglLocn peak;
      peak.description = "Peak " + std::to_string(i);
      peak.fields =
          Locn(45.5 + i * 0.01, 7.25 + i * 0.02, 1500 + i, 10 * i, 0x2345, 0x1050, 5, 0, 270);
      alps.locations.push_back(peak);
    }
    BglArea coast;
    coast.title = "Coast";
    BglLocn brest;
    brest.description = "Brest";
    brest.fields = Locn(-48.4, -4.4, -3, 359.9);
    coast.locations.push_back(brest);
    menu.areas = {alps, coast};
    disk.AddFolder("Alps", {{"alps.bgl", menu}});
    disk.WriteVis();
  }

  testing::CliRun Run(std::vector<std::string> args) {
    args.push_back("--drive");
    args.push_back("C=" + disk.dir.path().string());
    return RunProgram(TARNWICK_CLI_PATH, args);
  }

  std::vector<std::vector<std::string>> PrintAndRead(std::vector<std::string> flags) {
    std::vector<std::string> args = {"print", vis, "--pdf", pdf.string()};
    args.insert(args.end(), flags.begin(), flags.end());
    auto run = Run(args);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    auto text = RunProgram(kPdfToText, {"-layout", pdf.string(), "-"});
    EXPECT_EQ(text.exit_code, 0) << text.err;
    return Pages(text.out);
  }

  void SetUp() override {
#ifndef TARNWICK_CLI_HAS_PDF
    GTEST_SKIP() << "built without cairo";
#endif
    if (!std::filesystem::exists(kPdfToText)) GTEST_SKIP() << "pdftotext is not installed";
  }

  SceneryOnDisk disk;
  BglFile menu;
  const std::string vis = "C:\\FS98\\Scenery\\World.vis";
  std::filesystem::path pdf = disk.dir.path() / "menu.pdf";
};

TEST_F(CliPrintTest, EveryPageHasItsHeaderAndEveryLocationItsLines) {
  for (bool fractional : {false, true}) {
    for (bool all_fields : {false, true}) {
      std::vector<std::string> flags;
      if (fractional) flags.push_back("--fractional");
      if (all_fields) flags.push_back("--all-fields");
      auto pages = PrintAndRead(flags);
      ASSERT_GE(pages.size(), 2u) << "a menu of 41 Locations fills more than one page";
      // Everything printed, in order, with each page's header taken out.
      std::vector<std::string> lines;
      for (size_t p = 0; p < pages.size(); ++p) {
        ASSERT_FALSE(pages[p].empty());
        EXPECT_EQ(pages[p][0], "Tarnwick WORLD.VIS Page " + std::to_string(p + 1));
        lines.insert(lines.end(), pages[p].begin() + 1, pages[p].end());
      }
      std::vector<std::string> expected;
      for (const BglArea& area : menu.areas) {
        expected.push_back(area.title);
        for (const auto& locn : area.locations) {
          expected.push_back(locn.description);
          expected.push_back(Squeeze(PositionLine(locn.fields, fractional)));
          if (all_fields) expected.push_back(Squeeze(RadioLine(locn.fields)));
        }
      }
      EXPECT_EQ(lines, expected) << fractional << all_fields;
    }
  }
}

TEST_F(CliPrintTest, UnusableFilesAreReportedAndNothingIsLeftBehind) {
  // An output folder that does not exist.
  auto run = Run({"print", vis, "--pdf", (disk.dir.path() / "none" / "m.pdf").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
  // A VIS file that is not there: nothing is written.
  run = Run({"print", "C:\\FS98\\Scenery\\Other.vis", "--pdf", pdf.string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err, "");
  EXPECT_FALSE(std::filesystem::exists(pdf));
  // Usage errors.
  EXPECT_EQ(Run({"print", vis}).exit_code, 2);
  EXPECT_EQ(Run({"print", vis, "--pdf"}).exit_code, 2);
  EXPECT_FALSE(std::filesystem::exists(disk.dir.path() / "none"));
}

}  // namespace
}  // namespace tarnwick
