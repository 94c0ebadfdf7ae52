#include <gtest/gtest.h>

#include "support/tree_session.h"
#include "tree/tree_edits.h"

namespace tarnwick {
namespace {

using testing::AreaSpec;
using testing::TreeSession;

constexpr char kDeleteQuestion[] = "Proceed to delete item and any attachments?";

TEST(DeleteEntryTest, SelectsTheNearestSuccessor) {
  struct Case {
    std::vector<AreaSpec> menu;
    const char* deleted;
    const char* successor;
    const char* menu_after;
  };
  const std::vector<AreaSpec> abc = {{"A", {"a1", "a2"}}, {"B", {"b1"}}, {"C", {"c1", "c2"}}};
  const Case cases[] = {
      {abc, "a1", "a2", "A(a2) B(b1) C(c1 c2)"},
      // The last Location of an Area followed by another: that Area.
      {abc, "a2", "B", "A(a1) B(b1) C(c1 c2)"},
      {abc, "b1", "C", "A(a1 a2) B() C(c1 c2)"},
      // The last Location of the last Area: the one above it.
      {abc, "c2", "c1", "A(a1 a2) B(b1) C(c1)"},
      {abc, "A", "B", "B(b1) C(c1 c2)"},
      {abc, "C", "B", "A(a1 a2) B(b1)"},
      // Alone in the last Area: the Area; the only Area: the root.
      {{{"X", {"x1"}}}, "x1", "X", "X()"},
      {{{"X", {"x1"}}}, "X", "World.vis", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deleted);
    TreeSession t(c.menu);
    t.tree.Select(t.Node(c.deleted));
    DeleteEntry(t.session, EntryKind::kAny);
    EXPECT_EQ(t.host.questions, std::vector<std::string>{kDeleteQuestion});
    EXPECT_EQ(testing::Describe(t.tree), c.menu_after);
    EXPECT_EQ(t.SelectedLabel(), c.successor);
    EXPECT_EQ(t.tree.last_ensured_visible, t.tree.Selected());
    EXPECT_FALSE(t.set.results_saved);
  }
}

TEST(DeleteEntryTest, CountsDeletedNodesAndNeverReusesTheirNumbers) {
  TreeSession t(
      testing::Menu{{"A", {"a1"}}, {"Big", {"1", "2", "3", "4", "5", "6", "7"}}, {"C", {"c1"}}});
  t.tree.Select(t.Node("Big"));
  DeleteEntry(t.session, EntryKind::kArea);
  EXPECT_EQ(t.set.deleted_area_count, 1);
  EXPECT_EQ(t.set.deleted_location_count, 7);
  EXPECT_EQ(t.host.status[0], 2);  // Areas: 3 - 1
  EXPECT_EQ(t.host.status[1], 2);  // Locns: 9 - 7

  t.tree.Select(t.Node("a1"));
  DeleteEntry(t.session, EntryKind::kLocation);
  EXPECT_EQ(t.set.deleted_location_count, 8);
  EXPECT_EQ(t.host.status[0], 2);
  EXPECT_EQ(t.host.status[1], 1);

  NewEntry(t.session, EntryKind::kArea);
  EXPECT_EQ(RecordOf(t.tree.Data(t.tree.Selected())), 4u);
  EXPECT_EQ(t.host.status[0], 3);
}

TEST(DeleteEntryTest, TheWrongKindBeepsAndAsksNothing) {
  TreeSession t(testing::Menu{{"A", {"a1"}}});
  t.tree.Select(t.Node("a1"));
  DeleteEntry(t.session, EntryKind::kArea);
  EXPECT_EQ(t.host.beeps, 1);
  EXPECT_TRUE(t.host.questions.empty());
  EXPECT_EQ(testing::Describe(t.tree), "A(a1)");
  EXPECT_TRUE(t.set.results_saved);
}

TEST(DeleteEntryTest, NoChangeWhenDeclinedOrNothingToDelete) {
  TreeSession t(testing::Menu{{"A", {"a1"}}});
  t.tree.Select(t.Node("a1"));
  t.host.answers = {false};
  DeleteEntry(t.session, EntryKind::kAny);
  EXPECT_EQ(testing::Describe(t.tree), "A(a1)");
  EXPECT_EQ(t.SelectedLabel(), "a1");
  EXPECT_TRUE(t.set.results_saved);

  t.tree.Select(t.tree.Root());
  DeleteEntry(t.session, EntryKind::kAny);
  t.tree.Select(nullptr);
  DeleteEntry(t.session, EntryKind::kAny);
  EXPECT_EQ(t.host.questions.size(), 1u);
  EXPECT_EQ(t.host.beeps, 0);
  EXPECT_EQ(testing::Describe(t.tree), "A(a1)");
}

}  // namespace
}  // namespace tarnwick
