#include <gtest/gtest.h>

#include "support/tree_session.h"
#include "tree/drag_drop.h"
#include "tree/tree_edits.h"

namespace tarnwick {
namespace {

using testing::AreaSpec;
using testing::TreeSession;

const std::vector<AreaSpec> kMenu = {{"Alpha", {"a1", "a2"}}, {"Beta", {"b1"}}};

TEST(RenameEntryTest, StartsEditingOnlyForAnEntryOfTheAskedKind) {
  struct Case {
    const char* selected;
    EntryKind kind;
    bool edits;
  };
  const Case cases[] = {
      {nullptr, EntryKind::kAny, false},      {"World.vis", EntryKind::kAny, false},
      {"Alpha", EntryKind::kLocation, false}, {"a1", EntryKind::kArea, false},
      {"Alpha", EntryKind::kArea, true},      {"a2", EntryKind::kLocation, true},
      {"b1", EntryKind::kAny, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selected ? c.selected : "<none>");
    TreeSession t(kMenu);
    if (c.selected) t.tree.Select(t.Node(c.selected));
    RenameEntry(t.session, c.kind);
    const RenameUndo& undo = t.session.tree_state.rename_undo;
    EXPECT_EQ(t.host.beeps, 0);
    if (!c.edits) {
      EXPECT_EQ(t.tree.Editing(), nullptr);
      EXPECT_FALSE(undo.available);
      continue;
    }
    EXPECT_EQ(t.tree.Editing(), t.Node(c.selected));
    EXPECT_EQ(t.tree.last_ensured_visible, t.Node(c.selected));
    EXPECT_TRUE(undo.available);
    EXPECT_EQ(undo.node, t.Node(c.selected));
    EXPECT_EQ(undo.text, c.selected);
  }
}

TEST(RenameEntryTest, TheRootRefusesLabelEditingHoweverItStarts) {
  TreeSession t(kMenu);
  t.tree.EditLabel(t.tree.Root());  // as a click on the selected root's label would
  EXPECT_EQ(t.tree.Editing(), nullptr);
  EXPECT_FALSE(t.session.tree_state.rename_undo.available);
}

TEST(RenameEntryTest, EndRenameCutsTitlesToTheirKindsLimit) {
  struct Case {
    const char* node;
    std::string typed;
    std::string kept;
  };
  const Case cases[] = {
      {"Alpha", std::string(30, 'x'), std::string(20, 'x')},
      {"Alpha", std::string(20, 'y'), std::string(20, 'y')},
      {"a1", std::string(50, 'z'), std::string(40, 'z')},
      {"a1", "  spaced  ", "  spaced  "},
      {"Beta", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    TreeSession t(kMenu);
    TreeNode node = t.Node(c.node);
    std::optional<std::string> kept = EndRename(t.session, node, c.typed);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(*kept, c.kept);
    EXPECT_EQ(t.Label(node), c.kept);
    EXPECT_FALSE(t.set.results_saved);
    EXPECT_EQ(t.host.queued_details_refreshes, 1);
  }
}

TEST(RenameEntryTest, CancelKeepsTheLabelButCountsAsAChangeAndLeavesNoUndo) {
  TreeSession t(kMenu);
  t.tree.Select(t.Node("a1"));
  RenameEntry(t.session, EntryKind::kAny);
  EXPECT_EQ(EndRename(t.session, t.Node("a1"), std::nullopt), std::nullopt);
  EXPECT_EQ(t.Label(t.Node("a1")), "a1");
  EXPECT_FALSE(t.set.results_saved);
  EXPECT_EQ(t.host.queued_details_refreshes, 1);
  EXPECT_FALSE(t.session.tree_state.history.CanUndo());
}

TEST(RenameEntryTest, RenamesAreUndoneOneAfterTheOther) {
  TreeSession t(kMenu);
  TreeNode alpha = t.Node("Alpha");
  t.tree.Select(alpha);
  RenameEntry(t.session, EntryKind::kAny);
  EndRename(t.session, alpha, "First");
  t.tree.Select(t.Node("a1"));
  RenameEntry(t.session, EntryKind::kAny);
  EndRename(t.session, t.Node("a1"), "Second");

  EditHistory& history = t.session.tree_state.history;
  ASSERT_TRUE(history.Undo(t.session));
  EXPECT_EQ(t.Label(alpha), "First");
  EXPECT_NE(t.Node("a1"), nullptr);
  EXPECT_EQ(t.SelectedLabel(), "a1");
  ASSERT_TRUE(history.Undo(t.session));
  EXPECT_EQ(t.Label(alpha), "Alpha");
  EXPECT_EQ(t.SelectedLabel(), "Alpha");
  EXPECT_FALSE(history.Undo(t.session));
  EXPECT_EQ(t.host.details_refreshes, 2);
}

TEST(RenameEntryTest, StructuralEditsAndDragsDropTheUndo) {
  const std::function<void(TreeSession&)> edits[] = {
      [](TreeSession& t) { NewEntry(t.session, EntryKind::kLocation); },
      [](TreeSession& t) { SortEntries(t.session, SortWhich::kAreas); },
      [](TreeSession& t) { BeginItemDrag(t.session, t.Node("b1")); },
      // Even a delete refused for the wrong kind.
      [](TreeSession& t) { DeleteEntry(t.session, EntryKind::kArea); },
  };
  for (const auto& edit : edits) {
    TreeSession t(kMenu);
    t.tree.Select(t.Node("a2"));
    RenameEntry(t.session, EntryKind::kAny);
    ASSERT_TRUE(t.session.tree_state.rename_undo.available);
    t.host.answers = {false};
    edit(t);
    EXPECT_FALSE(t.session.tree_state.rename_undo.available &&
                 t.session.tree_state.rename_undo.text == "a2");
  }
}

}  // namespace
}  // namespace tarnwick
