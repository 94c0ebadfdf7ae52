#include "output/previous_results.h"

#include <gtest/gtest.h>

#include "support/saved_set.h"
#include "support/tree_dump.h"

namespace tarnwick {
namespace {

using testing::DumpMenu;
using testing::ReadFileBytes;
using testing::TwoResults;

TEST(PreviousResultsTest, RestoringTwiceGivesBackBothFiles) {
  TwoResults set;
  ASSERT_TRUE(set.t.set.prev_exists);
  ASSERT_EQ(DumpMenu(set.t.tree), "Alps\n  Zermatt\n  Sion\nCoast\n  Brest\n");

  ASSERT_TRUE(RestorePreviousResults(set.s));
  EXPECT_EQ(ReadFileBytes(set.disk.MenuBgl()), set.first);
  EXPECT_EQ(ReadFileBytes(set.disk.PreviousCopy()), set.second);
  EXPECT_EQ(DumpMenu(set.t.tree), testing::kSmallSetMenu);
  EXPECT_FALSE(std::filesystem::exists(set.disk.MenuBgl().string() + "New"));
  EXPECT_EQ(set.SourceSwitches(), "000");
  EXPECT_EQ(set.t.host.questions,
            std::vector<std::string>{"Restore previous settings without saving these?"});
  EXPECT_FALSE(set.t.host.progress_open);

  ASSERT_TRUE(RestorePreviousResults(set.s));
  EXPECT_EQ(ReadFileBytes(set.disk.MenuBgl()), set.second);
  EXPECT_EQ(ReadFileBytes(set.disk.PreviousCopy()), set.first);
  EXPECT_EQ(DumpMenu(set.t.tree), "Alps\n  Zermatt\n  Sion\nCoast\n  Brest\n");

  // A save of the restored menu as it is leaves both results alone; a save of a changed one moves
  // the restored result into the copy.
  ASSERT_TRUE(set.Save());
  EXPECT_EQ(ReadFileBytes(set.disk.MenuBgl()), set.second);
  EXPECT_EQ(ReadFileBytes(set.disk.PreviousCopy()), set.first);
  set.t.tree.SetLabel(set.t.tree.FirstChild(set.t.tree.Root()), "Matterhorn");
  ASSERT_TRUE(set.Save());
  EXPECT_EQ(ReadFileBytes(set.disk.PreviousCopy()), set.second);
}

TEST(PreviousResultsTest, RestoringSwitchesTheSourceMenusOffAgain) {
  TwoResults set;
  std::vector<uint8_t> alps = ReadFileBytes(set.disk.Bgl("Alps", "alps.bgl"));
  alps[128] = 1;
  set.disk.AddFile("Alps", "alps.bgl", alps);
  set.t.set.results_saved = true;

  ASSERT_TRUE(RestorePreviousResults(set.s));

  EXPECT_TRUE(set.t.host.questions.empty());
  EXPECT_EQ(set.SourceSwitches(), "000");
  EXPECT_EQ(DumpMenu(set.t.tree), testing::kSmallSetMenu);
}

TEST(PreviousResultsTest, NothingHappensWithoutAWritableCopyOrWhenTheUserDeclines) {
  struct Case {
    const char* name;
    std::function<void(TwoResults&)> arrange;
    size_t questions;
  };
  const Case cases[] = {
      {"read-only copy",
       [](TwoResults& set) {
         ASSERT_TRUE(set.t.fs->SetReadOnly(set.t.set.menu_bgl_path + "Prev"));
         ASSERT_TRUE(set.Scan());
         EXPECT_FALSE(set.t.set.prev_exists);
       },
       0},
      {"no copy", [](TwoResults& set) { std::filesystem::remove(set.disk.PreviousCopy()); }, 0},
      {"declined", [](TwoResults& set) { set.t.host.answers = {false}; }, 1},
      {"no set", [](TwoResults& set) { set.t.set.loaded = false; }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TwoResults set;
    c.arrange(set);
    std::vector<uint8_t> previous = ReadFileBytes(set.disk.PreviousCopy());
    std::string menu = DumpMenu(set.t.tree);

    EXPECT_FALSE(RestorePreviousResults(set.s));

    EXPECT_EQ(ReadFileBytes(set.disk.MenuBgl()), set.second);
    EXPECT_EQ(ReadFileBytes(set.disk.PreviousCopy()), previous);
    EXPECT_EQ(set.t.host.questions.size(), c.questions);
    EXPECT_EQ(DumpMenu(set.t.tree), menu);
  }
}

TEST(PreviousResultsTest, WithoutACurrentResultTheCopyBecomesCurrent) {
  TwoResults set;
  std::filesystem::remove(set.disk.MenuBgl());

  ASSERT_TRUE(RestorePreviousResults(set.s));

  EXPECT_EQ(ReadFileBytes(set.disk.MenuBgl()), set.first);
  EXPECT_FALSE(std::filesystem::exists(set.disk.PreviousCopy()));
}

}  // namespace
}  // namespace tarnwick
