#include "tree/tree_selection.h"

#include <gtest/gtest.h>

#include "support/tree_session.h"
#include "tree/search.h"

namespace tarnwick {
namespace {

using testing::AreaSpec;
using testing::TreeSession;

const std::vector<AreaSpec> kMenu = {
    {"A", {"a1", "a2", "a3"}}, {"B", {"b1", "b2"}}, {"C", {"c1", "c2"}}};

constexpr KeyState kNone{};
constexpr KeyState kShift{true, false};
constexpr KeyState kCtrl{false, true};
constexpr KeyState kBoth{true, true};

struct Click {
  const char* label;
  KeyState keys;
};

TEST(TreeSelectionTest, MarksFollowTheKeysHeld) {
  struct Case {
    const char* name;
    std::vector<Click> clicks;
    const char* marked;
  };
  const Case cases[] = {
      {"plain Area", {{"a2", kNone}, {"B", kNone}}, "B b1 b2"},
      {"plain Location", {{"B", kNone}, {"a2", kNone}}, "a2"},
      {"plain root", {{"B", kNone}, {"World.vis", kNone}}, "World.vis"},
      {"shift across three Areas", {{"a2", kNone}, {"c1", kShift}}, "a2 a3 B b1 b2 C c1 c2"},
      {"shift backwards", {{"c1", kNone}, {"a2", kShift}}, "a2 a3 B b1 b2 C c1 c2"},
      {"shift within an Area", {{"a1", kNone}, {"a2", kShift}}, "a1 a2"},
      {"shift from nothing", {{"b1", kShift}}, "b1"},
      {"ctrl adds the node only", {{"a2", kNone}, {"B", kCtrl}}, "a2 B"},
      {"ctrl keeps every mark", {{"A", kNone}, {"c2", kCtrl}}, "A a1 a2 a3 c2"},
      {"shift drops marks outside the range",
       {{"c2", kNone}, {"a1", kCtrl}, {"b1", kShift}},
       "a1 a2 a3 B b1 b2"},
      {"shift and ctrl keep them",
       {{"c2", kNone}, {"a1", kCtrl}, {"b1", kBoth}},
       "a1 a2 a3 B b1 b2 c2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TreeSession t(kMenu);
    for (const Click& click : c.clicks) t.Click(click.label, click.keys);
    EXPECT_EQ(testing::MarkedLabels(t.tree), c.marked);
  }
}

// A drag, and a command selecting its result while its keys are held (Ctrl of Ctrl+V), ignore the
// keys: the result is marked alone.
TEST(TreeSelectionTest, ADragIgnoresTheKeysAndClearsMarksWhenTheSelectionGoes) {
  for (bool drag : {true, false}) {
    TreeSession t(kMenu);
    t.Click("a2");
    (drag ? t.session.tree_state.dragging : t.session.tree_state.command_selects) = true;
    t.Click("c1", kShift);
    EXPECT_EQ(testing::MarkedLabels(t.tree), "c1") << drag;
    t.Click("A", kCtrl);
    EXPECT_EQ(testing::MarkedLabels(t.tree), "A a1 a2 a3") << drag;
    t.keys = kBoth;
    t.tree.Select(nullptr);
    EXPECT_EQ(testing::MarkedLabels(t.tree), "") << drag;
  }
}

TEST(TreeSelectionTest, FillsTheDetailsForTheNewSelection) {
  TreeSession t(kMenu);
  t.Click("b1");
  t.tree.Select(nullptr);
  EXPECT_EQ(t.host.details_fills, (std::vector<TreeNode>{t.Node("b1"), nullptr}));
}

TEST(TreeSelectionTest, SettlingRunsTheChangeForASelectionMovedSilently) {
  TreeSession t(kMenu);
  t.Click("a2");
  SettleSelection(t.session);
  EXPECT_EQ(t.host.details_fills.size(), 1u) << "nothing moved: nothing runs again";
  // The control moves its selection without a notification.
  auto notify = t.tree.on_selection_changed;
  t.tree.on_selection_changed = nullptr;
  t.tree.Select(t.Node("A"));
  t.tree.on_selection_changed = notify;
  EXPECT_EQ(testing::MarkedLabels(t.tree), "a2");
  t.keys = kCtrl;  // keys held meanwhile do not count
  SettleSelection(t.session);
  EXPECT_EQ(testing::MarkedLabels(t.tree), "A a1 a2 a3");
  EXPECT_EQ(t.host.details_fills.back(), t.Node("A"));
  EXPECT_EQ(t.host.details_fills.size(), 2u);
}

TEST(TreeSelectionTest, AChangeTheSearchDidNotMakeResetsItsPosition) {
  for (bool searching : {false, true}) {
    TreeSession t(kMenu);
    SearchState& search = t.session.tree_state.search;
    search.best_length = 3;
    search.start_item = t.tree.Root();
    search.best_item = t.Node("a1");
    search.searching = searching;
    t.Click("a1");
    EXPECT_EQ(search.best_length, searching ? 3 : 0);
    EXPECT_EQ(search.start_item, searching ? t.tree.Root() : nullptr);
    EXPECT_EQ(search.best_item, searching ? t.Node("a1") : nullptr);
  }
}

}  // namespace
}  // namespace tarnwick
