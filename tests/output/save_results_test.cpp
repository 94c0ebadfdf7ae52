#include "output/save_results.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "scenery/menu_paths.h"
#include "support/failing_file_system.h"
#include "support/saved_set.h"
#include "support/tree_dump.h"

namespace tarnwick {
namespace {

using testing::DumpMenu;
using testing::FailingFileSystem;
using testing::kSmallSetMenu;
using testing::ReadFileBytes;
using testing::ReadVisEntries;
using testing::SmallSet;
using testing::VisEntrySpec;

ino_t Inode(const std::filesystem::path& path) {
  struct stat st {};
  stat(path.c_str(), &st);
  return st.st_ino;
}

int CountMenuEntries(const SmallSet& set) {
  int count = 0;
  for (const VisEntrySpec& entry : ReadVisEntries(ReadFileBytes(set.disk.VisFile()))) {
    if (entry.path == set.t.set.menu_entry_path) {
      EXPECT_EQ(entry.title, "Global menu by Tarnwick");
      EXPECT_EQ(entry.flags, 3);
      ++count;
    }
  }
  return count;
}

TEST(SaveResultsTest, ASavedMenuIsWhatTheNextScanReads) {
  SmallSet set;
  ASSERT_TRUE(set.Scan());
  ASSERT_EQ(DumpMenu(set.t.tree), kSmallSetMenu);

  ASSERT_TRUE(set.Save());

  EXPECT_EQ(set.t.host.warnings, 0);
  EXPECT_TRUE(std::filesystem::exists(set.disk.MenuBgl()));
  EXPECT_FALSE(std::filesystem::exists(set.disk.PreviousCopy()));
  EXPECT_EQ(set.SourceSwitches(), "000");
  EXPECT_EQ(CountMenuEntries(set), 1);
  EXPECT_EQ(ReadVisEntries(ReadFileBytes(set.disk.VisFile())).back().path,
            set.t.set.menu_entry_path);
  EXPECT_TRUE(set.t.set.results_saved);
  EXPECT_TRUE(set.t.set.generated_menu_seen);
  EXPECT_FALSE(set.t.set.generated_menu_off);
  // The tree and the model stay as they were until the next scan.
  EXPECT_EQ(DumpMenu(set.t.tree), kSmallSetMenu);
  EXPECT_EQ(set.t.set.bgl_count, 2);

  EXPECT_EQ(set.t.host.progress_messages.back(),
            "Please wait whilst saving menu for VIS file '" + set.disk.vis_path + "'.");
  EXPECT_TRUE(set.t.host.cancel_disabled);
  EXPECT_FALSE(set.t.host.progress_open);
  EXPECT_EQ(set.t.host.progress[static_cast<int>(ProgressLine::kStep)],
            "Disabling original source menus in favour of the new one created in the MENUS folder");
  EXPECT_EQ(set.t.host.progress[static_cast<int>(ProgressLine::kFile)],
            "Disabled menus in 2 BGL files");

  ASSERT_TRUE(set.Scan());
  EXPECT_EQ(DumpMenu(set.t.tree), kSmallSetMenu);
  EXPECT_EQ(set.t.set.bgl_count, 1);
  EXPECT_TRUE(set.t.set.generated_menu_seen);
  EXPECT_EQ(set.t.host.messages, std::vector<std::string>{});
}

TEST(SaveResultsTest, SaysHowManyAreaTitlesItCut) {
  SmallSet set;
  set.t.options.logging = true;
  ASSERT_TRUE(set.Scan());
  TreeNode root = set.t.tree.Root();
  TreeNode alps = set.t.tree.FirstChild(root);
  set.t.tree.SetLabel(alps, "Swiss Alps and Valais");  // 21 characters
  // An Area without Locations is not written, so its title is not cut either.
  set.t.tree.Insert(root, alps, "An empty Area with a long title",
                    MakeTreeItemData(NodeKind::kArea, 1));

  ASSERT_TRUE(set.Save());
  EXPECT_EQ(set.t.host.progress[static_cast<int>(ProgressLine::kTotals)],
            "1 Area title cut to 20 characters");
  set.t.log.Close();
  const std::vector<uint8_t> log = ReadFileBytes(set.disk.MenusFolder() / "World_.log");
  EXPECT_NE(std::string(log.begin(), log.end())
                .find("Menu BGL written: 1 Area title cut to 20 "
                      "characters\n"),
            std::string::npos);

  set.t.tree.SetLabel(alps, "Swiss Alps");
  ASSERT_TRUE(set.Save());
  EXPECT_EQ(set.t.host.progress[static_cast<int>(ProgressLine::kTotals)],
            "0 Area titles cut to 20 characters");
}

TEST(SaveResultsTest, ASecondSaveKeepsTheFirstAsThePreviousCopy) {
  SmallSet set;
  ASSERT_TRUE(set.Scan());
  ASSERT_TRUE(set.Save());
  std::vector<uint8_t> first = ReadFileBytes(set.disk.MenuBgl());
  std::vector<uint8_t> vis = ReadFileBytes(set.disk.VisFile());
  ino_t vis_inode = Inode(set.disk.VisFile());

  // Same state: the menu is written again (its scenery list now names the generated menu's own
  // entry as well), the first moves aside, and the VIS file, whose last entry is already the
  // generated menu's, is not written.
  ASSERT_TRUE(set.Save());
  EXPECT_EQ(ReadFileBytes(set.disk.PreviousCopy()), first);
  std::vector<uint8_t> second = ReadFileBytes(set.disk.MenuBgl());
  EXPECT_EQ(ReadFileBytes(set.disk.VisFile()), vis);
  EXPECT_EQ(Inode(set.disk.VisFile()), vis_inode);

  // After a scan the generated menu is one of the set's menu BGLs; saving must not switch it off.
  ASSERT_TRUE(set.Scan());
  EXPECT_TRUE(set.t.set.prev_exists);
  set.t.tree.SetLabel(set.t.tree.FirstChild(set.t.tree.Root()), "Alps");
  ASSERT_TRUE(set.Save());
  EXPECT_EQ(ReadFileBytes(set.disk.PreviousCopy()), second);
  EXPECT_EQ(set.disk.SwitchByte(set.disk.MenuBgl()), 1);
  EXPECT_EQ(set.t.host.progress[static_cast<int>(ProgressLine::kFile)],
            "Menu contains 3 scenery Locations");
  EXPECT_EQ(CountMenuEntries(set), 1);
  ASSERT_TRUE(set.Scan());
  EXPECT_EQ(DumpMenu(set.t.tree), "Alps\n  Zermatt\n  Sion\nCoast\n  Brest\n");
}

// Each failure leaves the files as its message says: nothing of a half-done save stays behind.
TEST(SaveResultsTest, AFailedSaveLeavesTheFilesConsistent) {
  struct Case {
    const char* name;
    uint32_t fail_create, fail_write;
    bool read_only_vis;
    const char* message;
    bool menu_bgl_stays;
  };
  const Case cases[] = {
      {"create", 112, 0, false, "Error 112 reported whilst creating Menu BGL!", false},
      {"write", 0, 112, false, "Error 112 reported whilst writing Menu BGL!", false},
      // The new result is not put in place without its entry: the current one stays shown.
      {"vis", 0, 0, true, "Error 5 reported whilst opening VIS file!", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SmallSet set;
    ASSERT_TRUE(set.Scan());
    std::vector<uint8_t> vis = ReadFileBytes(set.disk.VisFile());
    FailingFileSystem failing(*set.t.fs);
    failing.fail_create = c.fail_create;
    failing.fail_write = c.fail_write;
    if (c.read_only_vis) {
      ASSERT_TRUE(set.t.fs->SetReadOnly(set.disk.vis_path));
    }
    Session s{set.t.set,     set.t.tree, failing,         set.t.host,
              set.t.options, set.t.log,  set.t.tree_state};

    EXPECT_TRUE(SaveResults(s, true, false));

    EXPECT_EQ(set.t.host.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(std::filesystem::exists(set.disk.MenuBgl()), c.menu_bgl_stays);
    EXPECT_EQ(ReadFileBytes(set.disk.VisFile()), vis);
    EXPECT_EQ(set.SourceSwitches(), "110");
    EXPECT_FALSE(set.t.set.results_saved);
    EXPECT_FALSE(set.t.host.progress_open);

    // The model still matches the files, so a save that can write does all of it.
    set.t.host.messages.clear();
    ASSERT_TRUE(set.t.fs->SetNormalAttributes(set.disk.vis_path));
    ASSERT_TRUE(set.Save());
    EXPECT_EQ(set.t.host.messages, std::vector<std::string>{});
    EXPECT_EQ(CountMenuEntries(set), 1);
    EXPECT_EQ(set.SourceSwitches(), "000");
  }
}

TEST(SaveResultsTest, AReadOnlyMenuBglIsNeitherReplacedNorDeleted) {
  SmallSet set;
  ASSERT_TRUE(set.Scan());
  ASSERT_TRUE(set.Save());
  std::vector<uint8_t> kept = ReadFileBytes(set.disk.MenuBgl());
  ASSERT_TRUE(set.t.fs->SetReadOnly(set.t.set.menu_bgl_path));

  EXPECT_TRUE(SaveResults(set.s, false, false));

  ASSERT_EQ(set.t.host.messages.size(), 1u);
  EXPECT_NE(set.t.host.messages[0].find("creating Menu BGL!"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(set.disk.MenuBgl()), kept);
  EXPECT_FALSE(std::filesystem::exists(set.disk.PreviousCopy()));
}

TEST(SaveResultsTest, TheWarningComesOnlyWhenAGeneratedMenuWasSwitchedOff) {
  struct Case {
    bool seen, off, warn, ask_only, answer;
    int warnings;
    bool result, written;
  };
  const Case cases[] = {
      {true, true, true, false, false, 1, false, false},
      {true, true, true, false, true, 1, true, true},
      {true, true, true, true, true, 1, true, false},
      {true, true, false, false, false, 0, true, true},
      {true, false, true, false, false, 0, true, true},
      {false, true, true, false, false, 0, true, true},
      {false, false, true, true, false, 0, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.seen << c.off << c.warn << c.ask_only << c.answer);
    SmallSet set;
    ASSERT_TRUE(set.Scan());
    set.t.set.generated_menu_seen = c.seen;
    set.t.set.generated_menu_off = c.off;
    set.t.host.warning_answer = c.answer;

    EXPECT_EQ(SaveResults(set.s, c.warn, c.ask_only), c.result);

    EXPECT_EQ(set.t.host.warnings, c.warnings);
    EXPECT_EQ(std::filesystem::exists(set.disk.MenuBgl()), c.written);
    EXPECT_EQ(set.SourceSwitches(), c.written ? "000" : "110");
  }
}

TEST(SaveResultsTest, AnEmptyMenuStillGetsItsFileAndItsEntry) {
  SmallSet set;
  set.disk.entries.clear();
  set.disk.AddFolder("Empty", {{"empty.bgl", testing::BglFile{}}});
  set.disk.WriteVis();
  ASSERT_TRUE(set.Scan());
  ASSERT_EQ(set.t.set.area_count, 0);

  ASSERT_TRUE(set.Save());

  EXPECT_TRUE(std::filesystem::exists(set.disk.MenuBgl()));
  EXPECT_EQ(CountMenuEntries(set), 1);
  ASSERT_TRUE(set.Scan());
  EXPECT_EQ(set.t.tree.Count(), 1u);
  EXPECT_EQ(set.t.set.bgl_count, 0);
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

// A previous copy that cannot be replaced (read-only, or a folder of that name): the save stops
// with a message before the last saved menu is touched.
TEST(SaveResultsTest, APreviousCopyThatCannotBeReplacedStopsTheSave) {
  for (bool folder : {false, true}) {
    SCOPED_TRACE(folder ? "folder" : "read-only");
    testing::SmallSet set;
    ASSERT_TRUE(set.Scan());
    ASSERT_TRUE(set.Save());
    std::vector<uint8_t> last = testing::ReadFileBytes(set.disk.MenuBgl());
    if (folder) {
      std::filesystem::create_directory(set.disk.PreviousCopy());
    } else {
      std::filesystem::copy_file(set.disk.MenuBgl(), set.disk.PreviousCopy());
      ASSERT_TRUE(set.t.fs->SetReadOnly(set.t.set.menu_bgl_path + "Prev"));
    }
    set.t.tree.SetLabel(set.t.tree.FirstChild(set.t.tree.Root()), "Alps");
    set.t.set.results_saved = false;  // as the edit does in the program

    EXPECT_TRUE(SaveResults(set.s, false, false));

    ASSERT_EQ(set.t.host.messages.size(), 1u);
    EXPECT_NE(set.t.host.messages[0].find("keeping previous Menu BGL!"), std::string::npos);
    EXPECT_EQ(testing::ReadFileBytes(set.disk.MenuBgl()), last);
    EXPECT_FALSE(set.t.set.results_saved);
    EXPECT_FALSE(std::filesystem::exists(set.disk.MenuBgl().string() + "Tmp"));
    EXPECT_FALSE(std::filesystem::exists(set.disk.MenuBgl().string() + "PrevTmp"));
  }
}

}  // namespace
}  // namespace tarnwick
