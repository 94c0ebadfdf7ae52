#include "tree/vis_commit_losses.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "output/vis_commit.h"
#include "support/menu_builder.h"
#include "support/saved_set.h"
#include "support/tree_dump.h"
#include "tree/tree_edits.h"

namespace tarnwick {
namespace {

using testing::DumpMenu;
using testing::FindLabel;
using testing::SmallSet;

// Entries: 1 Alps (Zermatt, Sion), 2 Coast (Brest), 3 Lakes (off, Como).
TreeNode NewAreaBefore(Session& s, const char* area) {
  s.tree.Select(FindLabel(s.tree, area));
  NewEntry(s, EntryKind::kArea);
  return s.tree.Selected();
}

void Move(Session& s, const char* location, TreeNode area) {
  ASSERT_NE(MoveNode(s, FindLabel(s.tree, location), area, nullptr), nullptr);
}

TEST(VisCommitLossesTest, CountsWhatTheCommitsRescanLeavesOut) {
  struct Case {
    const char* name;
    bool saved_first;                    // the menu comes from the generated menu BGL
    std::function<void(Session&)> edit;  // the menu work before the switch
    std::vector<int> toggled;            // entry numbers switched in the pane
    VisCommitLosses expected;
    const char* menu_after;  // as the commit's rescan shows it
  };
  const auto none = [](Session&) {};
  const Case cases[] = {
      {"an area off", false, none, {1}, {2, 0}, "Coast\n  Brest\n"},
      {"its Location in an Area made here",
       false,
       [](Session& s) { Move(s, "Zermatt", NewAreaBefore(s, "Coast")); },
       {1},
       {2, 1},
       "Coast\n  Brest\n"},
      {"its Location beside one that stays",
       false,
       [](Session& s) { Move(s, "Sion", FindLabel(s.tree, "Coast")); },
       {1},
       {2, 0},
       "Coast\n  Brest\n"},
      {"another area's Location moved in stays",
       false,
       [](Session& s) { Move(s, "Brest", FindLabel(s.tree, "Swiss Alps")); },
       {2},
       {1, 0},
       "Swiss Alps\n  Zermatt\n  Sion\n"},
      {"a Location made here with no area",
       false,
       [](Session& s) {
         TreeNode area = NewAreaBefore(s, "Coast");
         s.tree.Select(area);
         NewEntry(s, EntryKind::kLocation);
       },
       {2},
       {1, 0},
       "Swiss Alps\n  Zermatt\n  Sion\nNEW ENTRY\n  NEW ENTRY\n"},
      // Read back from the generated menu, every Area is one made here.
      {"after a save", true, none, {1}, {2, 1}, "Coast\n  Brest\n"},
      {"an area on",
       false,
       none,
       {3},
       {0, 0},
       "Lakes\n  Como\nSwiss Alps\n  Zermatt\n  Sion\nCoast\n  Brest\n"},
      {"off and on again",
       false,
       none,
       {1, 1},
       {0, 0},
       "Swiss Alps\n  Zermatt\n  Sion\nCoast\n  Brest\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SmallSet set;
    ASSERT_TRUE(set.Scan());
    if (c.saved_first) {
      ASSERT_TRUE(set.Save());
      ASSERT_TRUE(set.Scan());
    }
    c.edit(set.s);
    for (int number : c.toggled) set.t.set.vis_entries[number - 1].working_flags ^= 1;

    VisCommitLosses losses = CountVisCommitLosses(set.t.set, set.t.tree);
    EXPECT_EQ(losses.locations, c.expected.locations);
    EXPECT_EQ(losses.areas_made_here, c.expected.areas_made_here);

    // The count is what the commit really takes out.
    ASSERT_EQ(CommitVisSelections(set.s), VisCommitResult::kWritten);
    EXPECT_EQ(DumpMenu(set.t.tree), c.menu_after);
  }
}

TEST(VisCommitLossesTest, TheQuestionSaysWhatDropsOutOnlyWhenSomethingDoes) {
  SmallSet set;
  ASSERT_TRUE(set.Scan());
  EXPECT_EQ(VisCommitQuestionText(set.t.set, set.t.tree), VisCommitQuestion(set.t.set));

  set.t.set.vis_entries[1].working_flags = 0;
  EXPECT_EQ(VisCommitQuestionText(set.t.set, set.t.tree),
            "The scenery areas switched off take 1 Location out of the menu. Switching an area "
            "on again later brings back its original menu, not the edited one.\n\n"
            "Do you want to save current VIS and Menu data?");

  set.t.set.vis_entries[0].working_flags = 0;
  Move(set.s, "Zermatt", NewAreaBefore(set.s, "Coast"));
  Move(set.s, "Sion", NewAreaBefore(set.s, "Coast"));
  EXPECT_TRUE(VisCommitQuestionText(set.t.set, set.t.tree)
                  .starts_with("The scenery areas switched off take 3 Locations (and 2 Areas "
                               "made here) out of the menu."))
      << VisCommitQuestionText(set.t.set, set.t.tree);

  // Without a loaded set there is no menu to lose.
  set.t.set.loaded = false;
  EXPECT_EQ(VisCommitQuestionText(set.t.set, set.t.tree),
            "Do you want to save the VIS file changes?");
}

}  // namespace
}  // namespace tarnwick
