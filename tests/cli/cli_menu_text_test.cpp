// tarnwick-cli export and import on real files: the exact round trip on the sample set, and bad
// files that change nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/run_cli.h"
#include "support/temp_dir.h"

#ifdef TARNWICK_SAMPLE_PATH

namespace tarnwick {
namespace {

using testing::ReadFileBytes;
using testing::RunProgram;
using testing::TempDir;
namespace fs = std::filesystem;

// Every file below `root`, by relative path, with its bytes.
std::vector<std::pair<std::string, std::vector<uint8_t>>> Files(const fs::path& root) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) {
      files.emplace_back(fs::relative(entry.path(), root).string(), ReadFileBytes(entry.path()));
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The byte where cell `k` (from 0) of the CSV line starting at `line` begins.
size_t CellStart(const std::string& text, size_t line, int k) {
  bool quoted = false;
  for (size_t i = line; i < text.size() && k > 0; ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (text[i] == ',' && !quoted && --k == 0) return i + 1;
  }
  return line;
}

// The column (in characters, from 1) of byte `at` on the line starting at `line`.
int Column(const std::string& text, size_t line, size_t at) {
  int column = 1;
  for (size_t i = line; i < at; ++i) column += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
  return column;
}

class CliMenuTextTest : public ::testing::Test {
 protected:
  CliMenuTextTest() {
    auto run = RunProgram(TARNWICK_SAMPLE_PATH, {set.string()});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    fs::copy(set, pristine, fs::copy_options::recursive);
  }

  // The sample set as it was generated, before any job changed it.
  void PutBack() {
    fs::remove_all(set);
    fs::copy(pristine, set, fs::copy_options::recursive);
  }

  testing::CliRun Cli(std::vector<std::string> args) { return RunProgram(TARNWICK_CLI_PATH, args); }

  TempDir dir;
  const fs::path set = dir.path() / "FS98";
  const fs::path pristine = dir.path() / "pristine";
  const std::string vis = (set / "Scenery" / "World.vis").string();
};

TEST_F(CliMenuTextTest, ExportAndImportSaveTheSameFilesAsSavingDirectly) {
  auto save = Cli({"save", vis, "--yes"});
  ASSERT_EQ(save.exit_code, 0) << save.err;
  const auto saved = Files(set);

  struct Way {
    const char* name;
    std::vector<std::string> export_args;  // writes menu.csv, or prints the JSON
  };
  const std::string csv = (dir.path() / "menu.csv").string();
  const std::string json = (dir.path() / "menu.json").string();
  const Way ways[] = {{"csv", {"export", vis, "--csv", csv}},
                      {"csv in fractional minutes", {"export", vis, "--csv", csv, "--fractional"}},
                      {"json", {"menu", vis, "--json"}}};
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    PutBack();
    auto exported = Cli(way.export_args);
    ASSERT_EQ(exported.exit_code, 0) << exported.err;
    std::string in = csv;
    if (way.export_args[0] == "menu") {
      dir.Write("menu.json", exported.out);
      in = json;
    }
    auto imported = Cli({"import", vis, in, "--yes"});
    ASSERT_EQ(imported.exit_code, 0) << imported.err;
    // The sample set's longest Area title is cut by the saved menu, as by a plain save: the
    // one warning.
    EXPECT_EQ(std::count(imported.err.begin(), imported.err.end(), '\n'), 1) << imported.err;
    EXPECT_NE(imported.err.find(": warning: the saved menu keeps only the first 20 characters of "
                                "the Area title 'San Francisco Bay Area'"),
              std::string::npos)
        << imported.err;
    EXPECT_EQ(imported.out, save.out);
    const auto after = Files(set);
    ASSERT_EQ(after.size(), saved.size());
    for (size_t i = 0; i < saved.size(); ++i) {
      EXPECT_EQ(after[i].first, saved[i].first);
      EXPECT_TRUE(after[i].second == saved[i].second) << after[i].first << " differs";
    }
  }
}

TEST_F(CliMenuTextTest, ABadFileReportsEveryProblemAndChangesNothing) {
  auto exported = Cli({"export", vis, "--csv", (dir.path() / "menu.csv").string()});
  ASSERT_EQ(exported.exit_code, 0) << exported.err;
  std::vector<uint8_t> bytes = dir.Read("menu.csv");
  std::string text(bytes.begin(), bytes.end());
  // The first Location's latitude and the second one's COM1 made unreadable.
  const size_t second_line = text.find("\r\n") + 2;
  const size_t latitude = CellStart(text, second_line, 2);
  text[latitude] = 'Q';
  const size_t third_line = text.find("\r\n", second_line) + 2;
  text.replace(CellStart(text, third_line, 6), 1, "9");
  dir.Write("bad.csv", text);
  const auto before = Files(set);

  auto run = Cli({"import", vis, (dir.path() / "bad.csv").string(), "--yes"});
  EXPECT_EQ(run.exit_code, 1);
  const std::string bad = (dir.path() / "bad.csv").string();
  EXPECT_NE(run.err.find(bad + ":2:" + std::to_string(Column(text, second_line, latitude)) +
                         ": Latitude 'Q"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find(bad + ":3:"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("nothing imported (2 errors)"), std::string::npos) << run.err;
  EXPECT_TRUE(Files(set) == before);

  dir.Write("binary.csv", std::string("\x7F"
                                      "ELF\0\0",
                                      6));
  run = Cli({"import", vis, (dir.path() / "binary.csv").string(), "--yes"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("binary data"), std::string::npos) << run.err;
  EXPECT_TRUE(Files(set) == before);
}

TEST_F(CliMenuTextTest, UsageAndFileFaultsHaveTheirExitCodes) {
  EXPECT_EQ(Cli({"import", vis}).exit_code, 2);
  EXPECT_EQ(Cli({"import", vis, "a.csv", "--bogus"}).exit_code, 2);
  EXPECT_EQ(Cli({"export", vis}).exit_code, 2);
  EXPECT_EQ(Cli({"export", vis, "--csv"}).exit_code, 2);
  EXPECT_EQ(Cli({"import", "--help"}).exit_code, 0);

  auto missing = Cli({"import", vis, (dir.path() / "none.csv").string(), "--yes"});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos) << missing.err;
  auto unwritable = Cli({"export", vis, "--csv", (dir.path() / "no" / "menu.csv").string()});
  EXPECT_EQ(unwritable.exit_code, 1);
  EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos) << unwritable.err;
  // An existing file is replaced whole, with no temporary file left beside it.
  dir.Write("menu.csv", std::string(100000, 'x'));
  ASSERT_EQ(Cli({"export", vis, "--csv", (dir.path() / "menu.csv").string()}).exit_code, 0);
  EXPECT_EQ(dir.Read("menu.csv")[0], 0xEF);
  EXPECT_LT(dir.Read("menu.csv").size(), 100000u);
  EXPECT_FALSE(fs::exists(dir.path() / "menu.csv.tarnwick-new"));
}

}  // namespace
}  // namespace tarnwick

#endif
