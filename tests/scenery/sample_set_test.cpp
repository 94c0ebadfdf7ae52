// The sample scenery set that tarnwick-sample writes: a set the program opens as a simulator's.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scenery/bgl_menu.h"
#include "scenery/vis_file.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"
#include "support/test_session.h"

#ifdef TARNWICK_SAMPLE_PATH

namespace tarnwick {
namespace {

using testing::ReadFileBytes;
using testing::RunProgram;
using testing::TempDir;
using testing::TestSession;
using testing::WindowsPath;

// Every file below `root`, by relative path, with its bytes.
std::vector<std::pair<std::string, std::vector<uint8_t>>> Files(const std::filesystem::path& root) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) {
      files.emplace_back(std::filesystem::relative(entry.path(), root).string(),
                         ReadFileBytes(entry.path()));
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

class SampleSetTest : public ::testing::Test {
 protected:
  SampleSetTest() {
    auto run = RunProgram(TARNWICK_SAMPLE_PATH, {(dir.path() / "FS98").string()});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    root = WindowsPath(dir.path() / "FS98");
    EXPECT_EQ(run.out, root + "\\Scenery\\World.vis\n");
    t.set.vis_path = root + "\\Scenery\\World.vis";
    t.set.tree_root = t.tree.Insert(nullptr, nullptr, "World.vis", 0);
  }

  // Reads the menus of every active entry's BGL files, as a scan does.
  void ReadMenus() {
    for (size_t i = 0; i < t.set.vis_entries.size(); ++i) {
      const VisEntry& entry = t.set.vis_entries[i];
      if ((t.set.StoredFlags(entry) & 1) == 0) continue;
      const std::string pattern = ExpandVisPath(t.set.host_root, t.set.EntryPath(entry));
      const std::string folder = pattern.substr(0, pattern.rfind('\\') + 1);
      for (const std::string& name : t.fs->FindFiles(pattern)) {
        ++checked;
        auto file = t.fs->Open(folder + name, OpenMode::kRead);
        ASSERT_NE(file, nullptr) << name;
        uint8_t header[kBglHeaderSize];
        uint32_t got = 0;
        if (!file->Read(header, kBglHeaderSize, got) || got != kBglHeaderSize) {
          short_files.push_back(name);
          continue;
        }
        BglHeader parsed = ParseBglHeader(header);
        if (parsed.menu_offset == 0) {
          without_menu.push_back(name);
        } else if (file->Seek(parsed.menu_offset)) {
          ReadBglMenu(t.session, *file, parsed, folder + name, static_cast<int>(i));
        }
      }
    }
  }

  TempDir dir;
  TestSession t;
  std::string root;
  int checked = 0;
  std::vector<std::string> short_files;
  std::vector<std::string> without_menu;
};

TEST_F(SampleSetTest, OpensAsASimulatorSceneryFolder) {
  ASSERT_TRUE(ReadVisFile(t.session)) << (t.host.messages.empty() ? "" : t.host.messages[0]);
  ASSERT_EQ(t.set.vis_count, 14);
  int inactive = 0;
  int protected_entries = 0;
  int relative = 0;
  int absolute = 0;
  for (const VisEntry& entry : t.set.vis_entries) {
    const uint8_t flags = t.set.StoredFlags(entry);
    inactive += (flags & 1) == 0;
    protected_entries += (flags & 2) != 0;
    const std::string path = t.set.EntryPath(entry);
    relative += path.rfind("=:\\=\\Scenery\\", 0) == 0;
    absolute += path.rfind(root + "\\Addon Scenery\\", 0) == 0;
  }
  EXPECT_EQ(inactive, 3);
  EXPECT_EQ(protected_entries, 1);
  EXPECT_EQ(relative + absolute, 14);
  EXPECT_GE(absolute, 3);

  ReadMenus();
  EXPECT_EQ(t.set.bgl_count, 11);
  EXPECT_EQ(t.set.area_count, 12);
  EXPECT_EQ(t.set.location_count, 36);
  EXPECT_EQ(checked, 18);  // every BGL of the 11 active entries
  EXPECT_EQ(short_files, std::vector<std::string>{"Readme.bgl"});
  EXPECT_EQ(without_menu.size(), 6u);

  // File names keep their mixed case; the Seattle folder holds two menus and scenery data.
  const std::string seattle = ExpandVisPath(t.set.host_root, t.set.EntryPath(t.set.vis_entries[1]));
  EXPECT_EQ(t.fs->FindFiles(seattle),
            (std::vector<std::string>{"Kbfi_Field.Bgl", "SEATAC.BGL", "seattle_objects.bgl"}));
  // Sea-Tac's first Location: stored units of a real runway.
  TreeNode area = t.tree.Next(t.tree.FirstChild(t.set.tree_root));
  ASSERT_EQ(t.tree.Label(area), "Seattle");
  TreeNode ksea = t.tree.FirstChild(area);
  EXPECT_EQ(t.tree.Label(ksea), "Seattle-Tacoma Intl Rwy 16L");
  const LocnFields& f = t.set.Location(RecordOf(t.tree.Data(ksea)))->fields;
  EXPECT_NEAR(f.latitude * 90.0 / 1280224000.0, 47.46, 0.01);
  EXPECT_NEAR(f.longitude * 360.0 / 4294967296.0, -122.31, 0.01);
  EXPECT_NEAR(f.altitude / 256.0, 132, 1);  // 433 feet
  EXPECT_NEAR(f.heading * 360.0 / 65536.0, 163, 0.01);
  EXPECT_EQ(f.com1, 0x1990);
  EXPECT_EQ(f.nav1, 0x1030);
  EXPECT_EQ(f.obi1, 163);
}

TEST_F(SampleSetTest, IsTheSameOnEveryRunAndNamesAddOnsByTheGivenRoot) {
  auto again = RunProgram(TARNWICK_SAMPLE_PATH, {(dir.path() / "again").string()});
  ASSERT_EQ(again.exit_code, 0) << again.err;
  const auto first = Files(dir.path() / "FS98");
  const auto second = Files(dir.path() / "again");
  ASSERT_EQ(first.size(), 22u);  // World.vis and 21 BGL files
  ASSERT_EQ(first.size(), second.size());
  for (size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].first, second[i].first);
    // World.vis names add-on folders by each set's own path; everything else is identical.
    if (first[i].first != "Scenery/World.vis") {
      EXPECT_EQ(first[i].second, second[i].second) << first[i].first;
    }
  }

  auto rooted = RunProgram(TARNWICK_SAMPLE_PATH,
                           {(dir.path() / "rooted").string(), "--windows-root", "C:\\FS98\\"});
  ASSERT_EQ(rooted.exit_code, 0) << rooted.err;
  EXPECT_EQ(rooted.out, "C:\\FS98\\Scenery\\World.vis\n");
  const std::vector<uint8_t> vis = ReadFileBytes(dir.path() / "rooted" / "Scenery" / "World.vis");
  const std::string text(vis.begin(), vis.end());
  using namespace std::string_literals;
  EXPECT_NE(text.find("C:\\FS98\\Addon Scenery\\London\\*.bgl\0"s), std::string::npos);
}

}  // namespace
}  // namespace tarnwick

#endif
