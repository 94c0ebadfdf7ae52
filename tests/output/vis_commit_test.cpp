#include "output/vis_commit.h"

#include <gtest/gtest.h>

#include "scenery/vis_file.h"
#include "support/saved_set.h"
#include "support/tree_dump.h"

namespace tarnwick {
namespace {

using testing::DumpMenu;
using testing::ReadFileBytes;
using testing::ReadVisEntries;
using testing::SmallSet;

std::string StoredFlags(const SmallSet& set) {
  std::string flags;
  for (const auto& entry : ReadVisEntries(ReadFileBytes(set.disk.VisFile()))) {
    flags += std::to_string(entry.flags);
  }
  return flags;
}

TEST(VisCommitTest, TheQuestionDependsOnWhetherASetIsLoaded) {
  ScenerySet set;
  EXPECT_EQ(VisCommitQuestion(set), "Do you want to save the VIS file changes?");
  set.loaded = true;
  EXPECT_EQ(VisCommitQuestion(set), "Do you want to save current VIS and Menu data?");
}

TEST(VisCommitTest, YesOnALoadedSetWritesTheFileSavesAndScansAgain) {
  SmallSet set;
  ASSERT_TRUE(set.Scan());
  ASSERT_TRUE(set.Save());
  ASSERT_TRUE(set.Scan());
  // Coast goes off: its Locations leave the generated menu at the rescan.
  set.t.set.vis_entries[1].working_flags = 0;
  ASSERT_TRUE(VisSelectionsChanged(set.t.set));

  EXPECT_EQ(CommitVisSelections(set.s), VisCommitResult::kWritten);

  EXPECT_EQ(StoredFlags(set), "1003");
  EXPECT_EQ(set.SourceSwitches(), "010");  // the changed entry's menus came back on
  EXPECT_FALSE(VisSelectionsChanged(set.t.set));
  EXPECT_GE(set.t.host.vis_unchanged_marks, 1);
  EXPECT_TRUE(set.t.set.loaded);
  EXPECT_TRUE(std::filesystem::exists(set.disk.PreviousCopy()));
  EXPECT_EQ(DumpMenu(set.t.tree), "Swiss Alps\n  Zermatt\n  Sion\n");
  EXPECT_FALSE(set.t.host.progress_open);
}

TEST(VisCommitTest, YesWithoutALoadedSetWritesOnlyTheVisFile) {
  SmallSet set;
  ASSERT_TRUE(ReadVisFile(set.s));
  set.t.set.vis_entries[2].working_flags = 1;

  EXPECT_EQ(CommitVisSelections(set.s), VisCommitResult::kWritten);

  EXPECT_EQ(StoredFlags(set), "111");
  EXPECT_EQ(set.SourceSwitches(), "111");
  EXPECT_FALSE(std::filesystem::exists(set.disk.MenuBgl()));
  EXPECT_EQ(set.t.tree.Count(), 0u);
}

// The Cancel button closes the set while the menus are being switched: the VIS file must stay
// exactly as it was, whether or not a set was loaded.
TEST(VisCommitTest, ACommitCancelledInTheMiddleWritesNothing) {
  for (bool loaded : {false, true}) {
    SCOPED_TRACE(loaded);
    SmallSet set;
    ASSERT_TRUE(loaded ? set.Scan() : ReadVisFile(set.s));
    std::vector<uint8_t> vis = ReadFileBytes(set.disk.VisFile());
    set.t.set.vis_entries[0].working_flags = 0;
    set.t.set.vis_entries[2].working_flags = 1;
    PressCancelAtPump(set.t, 2);

    EXPECT_EQ(CommitVisSelections(set.s), VisCommitResult::kCancelled);

    EXPECT_EQ(ReadFileBytes(set.disk.VisFile()), vis);
    EXPECT_FALSE(std::filesystem::exists(set.disk.MenuBgl()));
    EXPECT_FALSE(set.t.set.loaded);
    EXPECT_FALSE(set.t.host.progress_open);
  }
}

TEST(VisCommitTest, AVisFileThatCannotBeWrittenKeepsTheSelectionsPending) {
  SmallSet set;
  ASSERT_TRUE(ReadVisFile(set.s));
  std::vector<uint8_t> vis = ReadFileBytes(set.disk.VisFile());
  set.t.set.vis_entries[2].working_flags = 1;
  ASSERT_TRUE(set.t.fs->SetReadOnly(set.disk.vis_path));

  EXPECT_EQ(CommitVisSelections(set.s), VisCommitResult::kFailed);

  ASSERT_EQ(set.t.host.messages.size(), 1u);
  EXPECT_NE(set.t.host.messages[0].find("opening VIS file!"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(set.disk.VisFile()), vis);
  EXPECT_TRUE(VisSelectionsChanged(set.t.set));
}

// The VIS file is opened before any menu is switched: when it cannot be, no file changes.
TEST(VisCommitTest, AVisFileThatCannotBeOpenedChangesNoBgl) {
  SmallSet set;
  ASSERT_TRUE(ReadVisFile(set.s));
  set.t.set.vis_entries[1].working_flags = 0;  // Coast off: its menu would be switched on
  std::vector<uint8_t> coast = ReadFileBytes(set.disk.Bgl("Coast", "coast.bgl"));
  coast[128] = 0;
  set.disk.AddFile("Coast", "coast.bgl", coast);
  ASSERT_TRUE(set.t.fs->SetReadOnly(set.disk.vis_path));

  EXPECT_EQ(CommitVisSelections(set.s), VisCommitResult::kFailed);

  EXPECT_EQ(set.t.host.messages,
            std::vector<std::string>{"Error 5 reported whilst opening VIS file!"});
  EXPECT_EQ(ReadFileBytes(set.disk.Bgl("Coast", "coast.bgl")), coast);
  EXPECT_FALSE(std::filesystem::exists(set.disk.VisFile().string() + ".tmp"));
}

TEST(VisCommitTest, NoPutsEverySelectionBack) {
  SmallSet set;
  ASSERT_TRUE(ReadVisFile(set.s));
  set.t.set.vis_entries[0].working_flags = 0;
  set.t.set.vis_entries[2].working_flags = 1;
  int marks = set.t.host.vis_unchanged_marks;

  RevertVisSelections(set.s);

  EXPECT_FALSE(VisSelectionsChanged(set.t.set));
  EXPECT_EQ(set.t.set.vis_entries[0].working_flags, 1);
  EXPECT_EQ(set.t.set.vis_entries[2].working_flags, 0);
  EXPECT_EQ(set.t.host.vis_unchanged_marks, marks + 1);
}

}  // namespace
}  // namespace tarnwick
