#include <gtest/gtest.h>

#include "support/tree_session.h"
#include "tree/tree_edits.h"

namespace tarnwick {
namespace {

using testing::AreaSpec;
using testing::TreeSession;

constexpr char kMergeQuestion[] =
    "Proceed to merge areas? (Dragged one will be lost, but all attachments moved).";

TEST(SortEntriesTest, SortsOneLevelIgnoringCaseAndKeepsEqualLabelsInOrder) {
  const std::vector<AreaSpec> menu = {
      {"beta", {"z", "Y", "x"}}, {"Alpha", {"b", "B", "a"}}, {"BETA", {"q"}}, {"alpha", {}}};
  struct Case {
    SortWhich which;
    const char* after;
  };
  const Case cases[] = {
      // "Alpha" came before "alpha", "beta" before "BETA": they stay so.
      {SortWhich::kAreas, "Alpha(b B a) alpha() beta(z Y x) BETA(q)"},
      {SortWhich::kLocations, "beta(x Y z) Alpha(a b B) BETA(q) alpha()"},
  };
  for (const Case& c : cases) {
    TreeSession t(menu);
    t.tree.Select(t.Node("Y"));
    t.tree.SetMarked(t.Node("q"), true);
    const bool beta_open = t.tree.Expanded(t.Node("beta"));
    t.set.results_saved = true;
    SortEntries(t.session, c.which);
    EXPECT_EQ(testing::Describe(t.tree), c.after);
    EXPECT_EQ(t.SelectedLabel(), "Y");
    EXPECT_EQ(testing::MarkedLabels(t.tree), "Y q");
    EXPECT_EQ(t.tree.Expanded(t.Node("beta")), beta_open);
    EXPECT_FALSE(t.set.results_saved);
    EXPECT_TRUE(t.host.questions.empty());
  }
}

TEST(MoveNodeTest, RecreatesAnAreaWithItsLocationsAndExpandedState) {
  for (bool open : {false, true}) {
    TreeSession t(testing::Menu{{"A", {"a1"}}, {"B", {"b1", "b2"}}, {"C", {}}});
    TreeNode b = t.Node("B");
    const TreeItemData b_data = t.tree.Data(b);
    const TreeItemData b2_data = t.tree.Data(t.Node("b2"));
    t.tree.Expand(b, open);
    TreeNode moved = MoveNode(t.session, b, t.tree.Root(), t.Node("C"));
    ASSERT_NE(moved, nullptr);
    EXPECT_FALSE(t.tree.Contains(b));
    EXPECT_EQ(testing::Describe(t.tree), "A(a1) C() B(b1 b2)");
    EXPECT_EQ(t.tree.Data(moved), b_data);
    EXPECT_EQ(t.tree.Data(t.Node("b2")), b2_data);
    EXPECT_EQ(t.tree.Expanded(moved), open);
    EXPECT_EQ(t.set.area_count, 3);
    EXPECT_EQ(t.set.deleted_area_count, 0);
  }
}

TEST(MergeAreasTest, MovesTheSourcesLocationsBehindTheTargetsAfterYes) {
  struct Case {
    const char* target;
    const char* source;
    bool answer;
    bool merged;
    const char* after;
  };
  const Case cases[] = {
      {"A", "B", true, true, "A(a1 a2 b1 b2) E()"},
      {"E", "B", true, true, "A(a1 a2) E(b1 b2)"},  // an empty target gets them first
      {"A", "B", false, false, "A(a1 a2) B(b1 b2) E()"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.after);
    TreeSession t(testing::Menu{{"A", {"a1", "a2"}}, {"B", {"b1", "b2"}}, {"E", {}}});
    t.host.answers = {c.answer};
    EXPECT_EQ(MergeAreas(t.session, t.Node(c.target), t.Node(c.source)), c.merged);
    EXPECT_EQ(t.host.questions, std::vector<std::string>{kMergeQuestion});
    EXPECT_EQ(testing::Describe(t.tree), c.after);
    EXPECT_EQ(t.set.deleted_area_count, c.merged ? 1 : 0);
    if (c.merged) {
      EXPECT_EQ(t.host.status[0], 2);
    }
  }
}

TEST(MergeAreasTest, AnAreaIsNeverMergedWithItselfOrALocation) {
  TreeSession t(testing::Menu{{"A", {"a1"}}});
  EXPECT_FALSE(MergeAreas(t.session, t.Node("A"), t.Node("A")));
  EXPECT_FALSE(MergeAreas(t.session, t.Node("A"), t.Node("a1")));
  EXPECT_TRUE(t.host.questions.empty());
  EXPECT_EQ(testing::Describe(t.tree), "A(a1)");
}

TEST(MoveAmongSiblingsTest, MovesOnePlaceAndKeepsTheSelectionOrBeepsAtTheEnds) {
  struct Case {
    const char* selected;
    bool up;
    bool moved;
    const char* after;
  };
  const Case cases[] = {
      {"B", true, true, "B(b1 b2) A(a1) C()"},          {"B", false, true, "A(a1) C() B(b1 b2)"},
      {"b2", true, true, "A(a1) B(b2 b1) C()"},         {"b1", false, true, "A(a1) B(b2 b1) C()"},
      {"A", true, false, "A(a1) B(b1 b2) C()"},         {"C", false, false, "A(a1) B(b1 b2) C()"},
      {"a1", true, false, "A(a1) B(b1 b2) C()"},  // not into another Area
      {"World.vis", true, false, "A(a1) B(b1 b2) C()"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.selected) + (c.up ? " up" : " down"));
    TreeSession t(testing::Menu{{"A", {"a1"}}, {"B", {"b1", "b2"}}, {"C", {}}});
    t.Click(c.selected);
    EXPECT_EQ(MoveAmongSiblings(t.session, c.up), c.moved);
    EXPECT_EQ(testing::Describe(t.tree), c.after);
    EXPECT_EQ(t.SelectedLabel(), c.selected);
    EXPECT_EQ(t.host.beeps, c.moved ? 0 : 1);
    if (c.moved) {
      ASSERT_TRUE(t.session.tree_state.history.Undo(t.session));
      EXPECT_EQ(testing::Describe(t.tree), "A(a1) B(b1 b2) C()");
      EXPECT_EQ(t.SelectedLabel(), c.selected);
    }
  }
}

TEST(MergeIntoTest, OffersTheOtherAreasAndMergesAsAShiftDropInOneStep) {
  const std::vector<AreaSpec> menu = {{"A", {"a1"}}, {"B", {"b1", "b2"}}, {"C", {"c1"}}};
  TreeSession t(menu);
  t.Click("b1");
  EXPECT_TRUE(MergeTargets(t.session).empty()) << "a Location is not merged";
  t.Click("B");
  const std::vector<TreeNode> targets = MergeTargets(t.session);
  EXPECT_EQ(targets, (std::vector<TreeNode>{t.Node("A"), t.Node("C")}));

  EXPECT_FALSE(MergeSelectedInto(t.session, t.Node("B")));
  EXPECT_EQ(t.host.beeps, 1);
  t.host.answers = {false};
  EXPECT_FALSE(MergeSelectedInto(t.session, t.Node("C")));
  EXPECT_FALSE(t.session.tree_state.history.CanUndo());

  t.set.results_saved = true;
  t.host.answers = {true};
  ASSERT_TRUE(MergeSelectedInto(t.session, t.Node("C")));
  EXPECT_EQ(t.host.questions.back(), kMergeQuestion);
  EXPECT_EQ(testing::Describe(t.tree), "A(a1) C(c1 b1 b2)");
  EXPECT_EQ(t.SelectedLabel(), "C");
  EXPECT_FALSE(t.set.results_saved);
  EXPECT_EQ(t.session.tree_state.history.UndoLevels(), 1u);
  ASSERT_TRUE(t.session.tree_state.history.Undo(t.session));
  EXPECT_EQ(testing::Describe(t.tree), "A(a1) B(b1 b2) C(c1)");
  EXPECT_EQ(t.SelectedLabel(), "B");
}

}  // namespace
}  // namespace tarnwick
