#include "scenery/scan.h"

#include <gtest/gtest.h>

#include "scenery/menu_paths.h"
#include "scenery/vis_file.h"
#include "support/scenery_on_disk.h"
#include "support/test_session.h"
#include "support/tree_dump.h"

namespace tarnwick {
namespace {

using testing::BglFile;
using testing::DumpMenu;
using testing::MenuFile;
using testing::ReadFileBytes;
using testing::SceneryOnDisk;
using testing::TestSession;

std::string Text(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// Two active folders around an inactive one; files with a menu, without one, and too short for a
// header.
struct MixedSet : SceneryOnDisk {
  MixedSet() {
    BglFile no_menu;
    no_menu.menu_offset = 0;
    AddFolder("Alps", {{"alps.bgl", MenuFile({{"Swiss Alps", {"Zermatt", "Sion"}}})},
                       {"nomenu.bgl", no_menu}});
    AddFile("Alps", "short.bgl", std::vector<uint8_t>(50, 1));
    AddFolder("Lakes", {{"lakes.bgl", MenuFile({{"Lakes", {"Como"}}})}}, 0);
    AddFolder("Coast", {{"coast.bgl", MenuFile({{"Coast", {"Brest"}}})}});
    WriteVis();
  }
};

TEST(ScanTest, ReadsTheMenusOfTheActiveEntriesIntoTheTreeAndTheCounts) {
  MixedSet disk;
  TestSession t;
  t.set.vis_path = disk.vis_path;
  t.options.logging = true;

  ASSERT_TRUE(ScanScenerySet(t.session));

  EXPECT_EQ(DumpMenu(t.tree), "Swiss Alps\n  Zermatt\n  Sion\nCoast\n  Brest\n");
  TreeNode root = t.tree.Root();
  EXPECT_EQ(t.set.tree_root, root);
  EXPECT_EQ(t.tree.Label(root), "World.vis");
  EXPECT_EQ(t.tree.Data(root), MakeTreeItemData(NodeKind::kRoot, 0));
  EXPECT_EQ(t.tree.last_ensured_visible, root);
  // The menu opens as a list of closed Areas, with the root selected.
  EXPECT_EQ(t.tree.Selected(), root);
  EXPECT_FALSE(t.tree.Expanded(t.tree.FirstChild(root)));
  EXPECT_FALSE(t.tree.Expanded(t.tree.Next(t.tree.FirstChild(root))));

  // Every file found counts as examined, with or without a menu; the inactive entry is not
  // visited but counts among the VIS entries.
  EXPECT_EQ(t.set.checked_bgl_count, 4);
  EXPECT_EQ(t.set.bgl_count, 2);
  EXPECT_EQ(t.host.status[0], 2);
  EXPECT_EQ(t.host.status[1], 3);
  EXPECT_EQ(t.host.status[2], 2);
  EXPECT_EQ(t.host.status[3], 4);
  EXPECT_EQ(t.host.status[4], 3);
  // One yield before reading the VIS file, then one per file that gave a header.
  EXPECT_EQ(t.host.pumps, 4);

  EXPECT_TRUE(t.set.loaded);
  EXPECT_FALSE(t.set.results_saved);
  EXPECT_FALSE(t.set.prev_exists);
  std::string folder = disk.vis_path.substr(0, disk.vis_path.rfind('\\'));
  EXPECT_EQ(t.set.menu_entry_path, folder + "\\Menus\\World_MENU.bgl");
  EXPECT_EQ(t.set.menu_bgl_path, folder + "\\Menus\\Scenery\\World_MENU.bgl");
  EXPECT_EQ(t.set.log_path, folder + "\\Menus\\World_.log");
  EXPECT_TRUE(std::filesystem::is_directory(disk.MenusFolder() / "Scenery"));

  ASSERT_EQ(t.host.progress_messages.size(), 1u);
  EXPECT_EQ(t.host.progress_messages[0],
            "Please wait whilst VIS file '" + disk.vis_path + "' is being processed.");

  // The log names each file by its pattern's folder and its own name, in the order found; the
  // progress box shows the same lines without their line feeds.
  std::string alps = ExpandVisPath(t.set.host_root, disk.entries[0].path);
  std::string coast = ExpandVisPath(t.set.host_root, disk.entries[2].path);
  std::string folder_of_alps = alps.substr(0, alps.rfind('\\') + 1);
  std::string folder_of_coast = coast.substr(0, coast.rfind('\\') + 1);
  std::string log = Text(ReadFileBytes(disk.MenusFolder() / "World_.log"));
  std::vector<std::string> expected = {
      "VIS path being searched: " + alps + "\n",
      "Checking BGL: " + folder_of_alps + "alps.bgl\n",
      "Checking BGL: " + folder_of_alps + "nomenu.bgl\n",
      "Checking BGL: " + folder_of_alps + "short.bgl\n",
      "VIS path being searched: " + coast + "\n",
      "Checking BGL: " + folder_of_coast + "coast.bgl\n",
  };
  size_t at = 0;
  for (const std::string& line : expected) {
    size_t found = log.find(line, at);
    ASSERT_NE(found, std::string::npos) << line << "in\n" << log;
    at = found + line.size();
  }
  std::string lakes = ExpandVisPath(t.set.host_root, disk.entries[1].path);
  EXPECT_EQ(log.find("VIS path being searched: " + lakes), std::string::npos);
  EXPECT_EQ(log.find('\r'), std::string::npos);
  EXPECT_EQ(t.host.progress[static_cast<int>(ProgressLine::kStep)],
            "VIS path being searched: " + coast);
  EXPECT_EQ(t.host.progress[static_cast<int>(ProgressLine::kFile)],
            "Checking BGL: " + folder_of_coast + "coast.bgl");
}

TEST(ScanTest, AVisFileWithoutActiveEntriesLoadsAnEmptyMenu) {
  SceneryOnDisk disk;
  disk.AddFolder("Alps", {{"alps.bgl", MenuFile({{"Alps", {"Sion"}}})}}, 0);
  disk.AddFolder("Lakes", {{"lakes.bgl", MenuFile({{"Lakes", {"Como"}}})}}, 2);
  disk.WriteVis();
  TestSession t;
  t.set.vis_path = disk.vis_path;

  ASSERT_TRUE(ScanScenerySet(t.session));

  EXPECT_TRUE(t.set.loaded);
  EXPECT_EQ(t.tree.Count(), 1u);
  EXPECT_EQ(t.host.status[0] + t.host.status[1] + t.host.status[2] + t.host.status[3], 0);
  EXPECT_EQ(t.host.status[4], 2);
  EXPECT_FALSE(t.set.bgls.Exists());
  EXPECT_FALSE(t.set.areas.Exists());
  EXPECT_FALSE(t.set.locations.Exists());
}

TEST(ScanTest, AVisFileThatCannotBeReadLeavesNoSet) {
  SceneryOnDisk disk;
  TestSession t;
  t.set.vis_path = disk.vis_path;  // never written

  EXPECT_FALSE(ScanScenerySet(t.session));

  EXPECT_FALSE(t.set.loaded);
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_NE(t.host.messages[0].find("opening VIS file!"), std::string::npos);
  EXPECT_TRUE(t.set.menu_bgl_path.empty());
}

TEST(ScanTest, AVisFileWithFullStopsInItsNameLogsUnderItsFirstWord) {
  SceneryOnDisk disk("My.Set.vis");
  disk.AddFolder("Alps", {{"alps.bgl", MenuFile({{"Alps", {"Sion"}}})}});
  disk.WriteVis();
  TestSession t;
  t.set.vis_path = disk.vis_path;
  t.options.logging = true;

  ASSERT_TRUE(ScanScenerySet(t.session));

  EXPECT_TRUE(std::filesystem::exists(disk.MenusFolder() / "My_.log"));
  EXPECT_EQ(t.set.menu_bgl_path.substr(t.set.menu_bgl_path.rfind('\\')), "\\My_MENU.bgl");
  EXPECT_EQ(t.tree.Label(t.tree.Root()), "My.Set.vis");
}

TEST(ScanTest, ASecondScanWritesItsLogOverTheFirst) {
  MixedSet disk;
  TestSession t;
  t.set.vis_path = disk.vis_path;
  t.options.logging = true;

  ASSERT_TRUE(ScanScenerySet(t.session));
  t.host.CloseProgressBox();
  std::vector<uint8_t> first = ReadFileBytes(disk.MenusFolder() / "World_.log");
  ASSERT_TRUE(ScanScenerySet(t.session));
  t.host.CloseProgressBox();

  EXPECT_FALSE(first.empty());
  EXPECT_EQ(ReadFileBytes(disk.MenusFolder() / "World_.log"), first);
  EXPECT_EQ(DumpMenu(t.tree), "Swiss Alps\n  Zermatt\n  Sion\nCoast\n  Brest\n");
}

// Cancel: the progress box's Cancel button makes the state cancelled and closes the set while the
// scan drains the queue; the scan must stop there and touch nothing more.
TEST(ScanTest, CancelStopsAtOnceAndLeavesNoSet) {
  for (int at : {1, 2, 3, 4}) {
    SCOPED_TRACE(at);
    MixedSet disk;
    TestSession t;
    t.set.vis_path = disk.vis_path;
    PressCancelAtPump(t, at);

    EXPECT_FALSE(ScanScenerySet(t.session));

    EXPECT_EQ(t.host.pumps, at);
    EXPECT_EQ(t.host.busy, BusyState::kCancelled);
    EXPECT_FALSE(t.set.loaded);
    EXPECT_EQ(t.tree.Count(), 0u);
    EXPECT_EQ(t.set.area_count + t.set.location_count + t.set.bgl_count, 0);
    EXPECT_EQ(t.set.checked_bgl_count, 0);
    EXPECT_FALSE(t.set.HasImage());
    EXPECT_EQ(t.set.tree_root, nullptr);
    EXPECT_TRUE(t.set.menu_bgl_path.empty());
    EXPECT_EQ(t.host.status[3], 0);
  }
}

TEST(ScanTest, AQuitRequestStopsTheScan) {
  MixedSet disk;
  TestSession t;
  t.set.vis_path = disk.vis_path;
  t.host.on_pump = [](int n) { return n < 2; };

  EXPECT_FALSE(ScanScenerySet(t.session));

  EXPECT_EQ(t.host.pumps, 2);
  EXPECT_EQ(t.host.busy, BusyState::kCancelled);
  EXPECT_EQ(t.set.checked_bgl_count, 1);
  EXPECT_TRUE(t.set.menu_bgl_path.empty());
}

// Record numbers live in the low 16 bits of the tree's item data: the scan keeps the first 65,535
// Areas and Locations and says once how much it left out.
TEST(ScanTest, AMenuBeyondTheRecordNumbersIsCutAndSaysSo) {
  struct Case {
    int areas;
    int locations_per_area;
    const char* message;
  };
  const Case cases[] = {
      {kMaxRecordNumber + 5, 1,
       "Error 0 reported whilst reading menus: the menu is too large, 5 Areas and 5 Locations "
       "were left out!"},
      {1, kMaxRecordNumber + 3,
       "Error 0 reported whilst reading menus: the menu is too large, 0 Areas and 3 Locations "
       "were left out!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.areas);
    BglFile big;
    big.areas.resize(static_cast<size_t>(c.areas));
    for (int a = 0; a < c.areas; ++a) {
      testing::BglArea& area = big.areas[static_cast<size_t>(a)];
      area.title = "A" + std::to_string(a);
      area.locations.resize(static_cast<size_t>(c.locations_per_area));
      for (int l = 0; l < c.locations_per_area; ++l) {
        area.locations[static_cast<size_t>(l)].description = "L" + std::to_string(l);
      }
    }
    SceneryOnDisk disk;
    disk.AddFolder("Big", {{"big.bgl", big}});
    disk.WriteVis();
    TestSession t;
    t.set.vis_path = disk.vis_path;

    ASSERT_TRUE(ScanScenerySet(t.session));

    EXPECT_EQ(t.set.location_count, kMaxRecordNumber);
    EXPECT_EQ(t.set.area_count, std::min(c.areas, kMaxRecordNumber));
    ASSERT_EQ(t.host.messages.size(), 1u);
    EXPECT_EQ(t.host.messages[0], c.message);
    TreeNode last_area = t.set.last_area;
    ASSERT_NE(last_area, nullptr);
    EXPECT_EQ(RecordOf(t.tree.Data(last_area)), static_cast<uint32_t>(t.set.area_count));
    TreeNode last_locn = t.tree.FirstChild(last_area);
    while (t.tree.Next(last_locn) != nullptr) last_locn = t.tree.Next(last_locn);
    EXPECT_EQ(RecordOf(t.tree.Data(last_locn)), static_cast<uint32_t>(kMaxRecordNumber));
  }
}

}  // namespace
}  // namespace tarnwick
