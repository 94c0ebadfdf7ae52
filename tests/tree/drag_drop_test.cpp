#include "tree/drag_drop.h"

#include <gtest/gtest.h>

#include "support/tree_session.h"
#include "tree/tree_expansion.h"

namespace tarnwick {
namespace {

using testing::AreaSpec;
using testing::TreeSession;

const std::vector<AreaSpec> kMenu = {{"A", {"a1", "a2"}}, {"B", {"b1", "b2"}}, {"C", {"c1"}}};
constexpr char kMergeQuestion[] =
    "Proceed to merge areas? (Dragged one will be lost, but all attachments moved).";

TEST(BeginItemDragTest, RemovesTheSelectionAndEveryMark) {
  TreeSession t(kMenu);
  t.Click("A");
  t.Click("b1", {false, true});
  t.tree.Select(t.Node("a1"));
  RenameEntry(t.session, EntryKind::kAny);
  t.keys = {true, true};  // held keys do not count during a drag
  BeginItemDrag(t.session, t.Node("c1"));
  EXPECT_TRUE(t.session.tree_state.dragging);
  EXPECT_EQ(t.session.tree_state.dragged, t.Node("c1"));
  EXPECT_EQ(t.tree.Selected(), nullptr);
  EXPECT_EQ(testing::MarkedLabels(t.tree), "");
  EXPECT_EQ(t.host.details_fills.back(), nullptr);
  EXPECT_FALSE(t.session.tree_state.rename_undo.available);
}

TEST(DropItemTest, MovesMergesOrLeavesAsThePairOfKindsSays) {
  struct Case {
    const char* dragged;
    const char* target;  // nullptr: no node was ever highlighted
    bool shift;
    bool answer;
    const char* menu_after;
    const char* selected;  // nullptr: none
    bool asked;
  };
  const char* unchanged = "A(a1 a2) B(b1 b2) C(c1)";
  const Case cases[] = {
      {"C", "A", false, true, "A(a1 a2) C(c1) B(b1 b2)", "C", false},
      {"C", "A", true, true, "A(a1 a2 c1) B(b1 b2)", "A", true},
      {"C", "A", true, false, unchanged, "A", true},
      {"A", "A", true, true, unchanged, "A", false},
      {"B", "B", false, true, unchanged, "B", false},
      {"c1", "A", false, true, "A(c1 a1 a2) B(b1 b2) C()", "c1", false},
      {"c1", "A", true, true, "A(c1 a1 a2) B(b1 b2) C()", "c1", false},
      {"a1", "b1", false, true, "A(a2) B(b1 a1 b2) C(c1)", "a1", false},
      {"a1", "b2", true, true, "A(a2) B(b1 b2 a1) C(c1)", "a1", false},
      {"a1", "a1", false, true, unchanged, "a1", false},
      {"C", "World.vis", false, true, "C(c1) A(a1 a2) B(b1 b2)", "C", false},
      {"C", "World.vis", true, true, "C(c1) A(a1 a2) B(b1 b2)", "C", false},
      {"a1", "World.vis", false, true, unchanged, nullptr, false},
      {"B", "a1", false, true, unchanged, nullptr, false},
      {"World.vis", "A", false, true, unchanged, nullptr, false},
      {"b1", nullptr, false, true, unchanged, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.dragged) + " onto " + (c.target ? c.target : "<none>") +
                 (c.shift ? " with Shift" : ""));
    TreeSession t(kMenu);
    t.host.answers = {c.answer};
    BeginItemDrag(t.session, t.Node(c.dragged));
    TreeNode target = c.target ? t.Node(c.target) : nullptr;
    TreeNode selected = DropItem(t.session, target, c.shift);

    EXPECT_EQ(testing::Describe(t.tree), c.menu_after);
    EXPECT_EQ(t.host.questions.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(t.host.questions[0], kMergeQuestion);
    }
    EXPECT_EQ(selected, t.tree.Selected());
    EXPECT_EQ(t.SelectedLabel(), c.selected ? c.selected : "<none>");
    // Only the dropped node, with an Area's Locations, is marked.
    std::string marked;
    if (selected != nullptr) {
      marked = t.Label(selected);
      for (TreeNode l = t.tree.FirstChild(selected); l; l = t.tree.Next(l)) {
        marked += " " + t.Label(l);
      }
    }
    EXPECT_EQ(testing::MarkedLabels(t.tree), marked);
    EXPECT_FALSE(t.set.results_saved);
    EXPECT_FALSE(t.session.tree_state.dragging);
    EXPECT_EQ(t.session.tree_state.dragged, nullptr);
  }
}

TEST(CancelItemDragTest, EndsTheDragWithoutAChange) {
  TreeSession t(kMenu);
  t.set.results_saved = true;
  BeginItemDrag(t.session, t.Node("B"));
  CancelItemDrag(t.session);
  EXPECT_FALSE(t.session.tree_state.dragging);
  EXPECT_EQ(t.session.tree_state.dragged, nullptr);
  EXPECT_TRUE(t.set.results_saved);
  EXPECT_EQ(DropItem(t.session, t.Node("A"), false), nullptr) << "no drag to drop";
  EXPECT_EQ(testing::Describe(t.tree), "A(a1 a2) B(b1 b2) C(c1)");
}

TEST(DropItemTest, MergingLowersTheAreaCount) {
  TreeSession t(kMenu);
  BeginItemDrag(t.session, t.Node("B"));
  DropItem(t.session, t.Node("A"), true);
  EXPECT_EQ(t.set.deleted_area_count, 1);
  EXPECT_EQ(t.host.status[0], 2);
  EXPECT_EQ(t.set.area_count, 3);
}

TEST(DropItemTest, ALocationDroppedOnAClosedAreaOpensIt) {
  TreeSession t(kMenu);
  ASSERT_FALSE(t.tree.Expanded(t.Node("C")));
  BeginItemDrag(t.session, t.Node("a2"));
  DropItem(t.session, t.Node("C"), false);
  EXPECT_EQ(t.SelectedLabel(), "a2");
  EXPECT_TRUE(t.tree.IsShown(t.tree.Selected()));
}

TEST(DropItemTest, AMovedAreaKeepsItsExpandedState) {
  for (bool open : {false, true}) {
    TreeSession t(kMenu);
    t.tree.Expand(t.Node("B"), open);
    BeginItemDrag(t.session, t.Node("B"));
    DropItem(t.session, t.Node("A"), false);
    EXPECT_EQ(t.tree.Expanded(t.Node("B")), open);
    // The Area it now follows is not opened during a drag.
    EXPECT_FALSE(t.tree.Expanded(t.Node("A")));
  }
}

// The Area automatic expansion opened may be moved or merged away while dragging; selecting
// afterwards must not touch the node that went.
TEST(DropItemTest, AutoExpansionForgetsAnAreaThatWent) {
  for (bool merge : {false, true}) {
    TreeSession t(kMenu);
    t.options.auto_expand = true;
    t.Click("B");
    BeginItemDrag(t.session, t.Node("B"));
    DropItem(t.session, t.Node("C"), merge);
    t.Click("A");
    EXPECT_EQ(testing::ExpandedAreas(t.tree), "A");
    EXPECT_EQ(t.session.tree_state.auto_expanded_area, t.Node("A"));
  }
}

}  // namespace
}  // namespace tarnwick
