#include "tree/tree_expansion.h"

#include <gtest/gtest.h>

#include "support/tree_session.h"

namespace tarnwick {
namespace {

using testing::AreaSpec;
using testing::TreeSession;

const std::vector<AreaSpec> kMenu = {{"A", {"a1", "a2"}}, {"B", {"b1", "b2"}}, {"C", {"c1"}}};

TEST(AutoExpansionTest, KeepsOnlyTheSelectionsAreaOpen) {
  struct Step {
    const char* click;
    const char* open;
    const char* auto_area;  // nullptr: none
  };
  const Step steps[] = {
      {"A", "A", "A"},
      {"B", "B", "B"},
      {"b2", "B", "B"},
      {"c1", "C", "C"},  // C opened by being shown; B closed
      {"World.vis", "", nullptr},
  };
  TreeSession t(kMenu);
  t.options.auto_expand = true;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.click);
    t.Click(step.click);
    EXPECT_EQ(testing::ExpandedAreas(t.tree), step.open);
    EXPECT_EQ(t.session.tree_state.auto_expanded_area,
              step.auto_area ? t.Node(step.auto_area) : nullptr);
  }
}

TEST(AutoExpansionTest, RestsWhileOffBusyOrDragging) {
  const std::function<void(TreeSession&)> setups[] = {
      [](TreeSession& t) { t.options.auto_expand = false; },
      [](TreeSession& t) { t.host.busy = BusyState::kBusy; },
      [](TreeSession& t) { t.session.tree_state.dragging = true; },
  };
  for (const auto& setup : setups) {
    TreeSession t(kMenu);
    t.options.auto_expand = true;
    t.Click("A");
    setup(t);
    t.Click("B");
    EXPECT_EQ(testing::ExpandedAreas(t.tree), "A");
    EXPECT_EQ(t.session.tree_state.auto_expanded_area, t.Node("A"));
  }
}

TEST(ExpandAllTest, OpensOrClosesEveryAreaAndMovesTheSelectionOutOfClosedOnes) {
  struct Case {
    const char* selected;
    bool expand;
    const char* open;
    const char* selected_after;
  };
  const Case cases[] = {
      {"b1", true, "A B C", "b1"},
      {"b1", false, "", "B"},
      {"C", false, "", "C"},
      {nullptr, false, "", "World.vis"},
      {nullptr, true, "A B C", "World.vis"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selected_after);
    TreeSession t(kMenu);
    t.tree.Expand(t.tree.Root(), false);
    if (c.selected) t.Click(c.selected);
    t.session.tree_state.auto_expanded_area = t.Node("A");
    ExpandAll(t.session, c.expand);
    EXPECT_TRUE(t.tree.Expanded(t.tree.Root()));
    EXPECT_EQ(testing::ExpandedAreas(t.tree), c.open);
    EXPECT_EQ(t.SelectedLabel(), c.selected_after);
    EXPECT_EQ(t.tree.last_ensured_visible, t.tree.Selected());
    EXPECT_EQ(t.session.tree_state.auto_expanded_area, nullptr);
  }
}

TEST(ExpandCommandsTest, LeaveAtMostOneOfTheTwoOptionsOn) {
  struct Case {
    const char* name;
    void (*command)(Session&);
    bool auto_before;
    bool auto_after;
    bool initially_after;
    const char* open;
  };
  const Case cases[] = {
      {"expand all", ExpandAllAreas, true, false, true, "A B C"},
      {"collapse all", CollapseAllAreas, false, false, false, ""},
      // Automatic expansion was on: collapsing still closes the selection's Area.
      {"collapse all from auto", CollapseAllAreas, true, false, false, ""},
      {"auto on", ToggleAutoExpand, false, true, false, "B"},
      {"auto off", ToggleAutoExpand, true, false, true, "A B C"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TreeSession t(kMenu);
    for (const char* area : {"A", "B", "C"}) t.tree.Expand(t.Node(area), true);
    t.options.expand_initially = true;
    t.options.auto_expand = c.auto_before;
    t.Click("b2");
    c.command(t.session);
    EXPECT_EQ(t.options.auto_expand, c.auto_after);
    EXPECT_EQ(t.options.expand_initially, c.initially_after);
    EXPECT_EQ(testing::ExpandedAreas(t.tree), c.open);
  }
}

TEST(ExpandCommandsTest, AutoExpandOnGivesTheSelectedLocationsAreaTheSelection) {
  TreeSession t(kMenu);
  t.Click("b2");
  ToggleAutoExpand(t.session);
  EXPECT_EQ(t.SelectedLabel(), "B");
  EXPECT_EQ(t.session.tree_state.auto_expanded_area, t.Node("B"));
  // From here selecting another Area closes B.
  t.Click("C");
  EXPECT_EQ(testing::ExpandedAreas(t.tree), "C");
}

}  // namespace
}  // namespace tarnwick
