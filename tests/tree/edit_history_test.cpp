#include "scenery/edit_history.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "details/value_edit.h"
#include "scenery/close_scenery_set.h"
#include "support/tree_session.h"
#include "tree/drag_drop.h"

namespace tarnwick {
namespace {

using testing::TreeSession;

const testing::Menu kMenu = {
    {"Delta", {"d2", "d1", "d3"}}, {"alpha", {"a1"}}, {"Charlie", {}}, {"Bravo", {"b2", "b1"}}};

// Everything an undo must put back: order, titles, record numbers, each Location's values, the
// marks, the selection and the counts the status bar shows.
std::string State(const TreeSession& t) {
  std::string text;
  const MenuTree& tree = t.tree;
  auto node = [&](TreeNode n) {
    text += tree.Label(n) + "#" + std::to_string(RecordOf(tree.Data(n)));
    if (tree.Marked(n)) text += "*";
    if (n == tree.Selected()) text += "<";
    if (KindOf(tree.Data(n)) == NodeKind::kLocation) {
      const MenuLocation* l = t.set.Location(RecordOf(tree.Data(n)));
      text +=
          "[" + std::to_string(l->fields.latitude) + "," + std::to_string(l->fields.altitude) + "]";
    }
    text += " ";
  };
  TreeNode root = tree.Root();
  node(root);
  for (TreeNode a = tree.FirstChild(root); a != nullptr; a = tree.Next(a)) {
    text += "| ";
    node(a);
    for (TreeNode l = tree.FirstChild(a); l != nullptr; l = tree.Next(l)) node(l);
  }
  text +=
      "Areas " + std::to_string(t.host.status[0]) + " Locns " + std::to_string(t.host.status[1]);
  return text;
}

using Edit = std::function<void(TreeSession&)>;

Edit Click(const char* label, KeyState keys = {}) {
  return [=](TreeSession& t) { t.Click(label, keys); };
}
Edit Drag(const char* dragged, const char* target, bool shift = false) {
  return [=](TreeSession& t) {
    BeginItemDrag(t.session, t.Node(dragged));
    DropItem(t.session, t.Node(target), shift);
  };
}
Edit New(EntryKind kind) {
  return [=](TreeSession& t) { NewEntry(t.session, kind); };
}
// The title typed over "NEW ENTRY": a step of its own.
Edit Title(const char* title) {
  return [=](TreeSession& t) {
    TreeNode made = t.tree.Editing();
    t.tree.EndEditing();
    EndRename(t.session, made, std::string_view(title));
  };
}
Edit Rename(const char* label, const char* title) {
  return [=](TreeSession& t) {
    TreeNode n = t.Node(label);
    BeginRename(t.session, n);
    EndRename(t.session, n, std::string_view(title));
  };
}
Edit Delete() {
  return [](TreeSession& t) { DeleteEntry(t.session, EntryKind::kAny); };
}
Edit Sort(SortWhich which) {
  return [=](TreeSession& t) { SortEntries(t.session, which); };
}
Edit Value(int row, const char* text) {
  return [=](TreeSession& t) {
    DetailsEditState edit;
    edit.row = row;
    ApplyValueEdit(t.session, edit, text);
  };
}

TEST(EditHistoryTest, EverySequenceUndoesToTheStartAndRedoesToTheEnd) {
  struct Case {
    const char* name;
    // Each edit, and whether it is only a click: clicks change no data and are no steps of their
    // own, they set the selection and marks the next edit starts from.
    std::vector<std::pair<Edit, bool>> steps;
  };
  const Case cases[] = {
      {"drops",
       {{Click("alpha"), true},
        {Drag("Bravo", "Delta"), false},
        {Drag("d3", "alpha"), false},
        {Drag("b1", "a1"), false},
        {Drag("Charlie", "World.vis"), false},
        {Drag("Bravo", "Delta", true), false}}},
      {"new entries and split",
       {{Click("d1"), true},
        {New(EntryKind::kAny), false},
        {Title("Before d1"), false},
        {Click("alpha"), true},
        {New(EntryKind::kLocation), false},
        {Title("First of alpha"), false},
        {Click("Charlie"), true},
        {New(EntryKind::kLocation), false},
        {Click("d1"), true},
        {New(EntryKind::kArea), false},
        {Title("Split off"), false},
        {Click("World.vis"), true},
        {New(EntryKind::kArea), false}}},
      {"deletes and renames",
       {{Click("Delta"), true},
        {Click("b1", {false, true}), true},
        {Rename("d2", "Second"), false},
        {Click("d3"), true},
        {Delete(), false},
        {Click("Bravo"), true},
        {Delete(), false},
        {Rename("alpha", "A much longer title than twenty"), false},
        {Click("Delta"), true},
        {Delete(), false}}},
      {"sorts and values",
       {{Click("d1"), true},
        {Value(6, "N12:30"), false},
        {Value(8, "1200"), false},
        {Value(5, "d1 renamed in details"), false},
        {Sort(SortWhich::kLocations), false},
        {Sort(SortWhich::kAreas), false},
        {Click("b2", {true, false}), true},
        {Value(6, "S12"), false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TreeSession t(kMenu);
    t.tree.Expand(t.Node("Delta"), true);
    ShowAreaCount(t.session);
    ShowLocationCount(t.session);
    // Undo puts back the state each edit started from (after the clicks before it), redo the
    // state each edit left.
    std::vector<std::string> started = {State(t)};
    std::vector<std::string> left = {State(t)};
    for (const auto& [edit, click] : c.steps) {
      edit(t);
      if (click) {
        started.back() = State(t);
      } else {
        left.push_back(State(t));
        started.push_back(State(t));
      }
    }
    const size_t edits = left.size() - 1;
    ASSERT_EQ(t.session.tree_state.history.UndoLevels(), edits);
    for (size_t i = edits; i > 0; --i) {
      ASSERT_TRUE(t.session.tree_state.history.Undo(t.session)) << "undo to " << i - 1;
      EXPECT_EQ(State(t), started[i - 1]) << "undo to " << i - 1;
    }
    EXPECT_FALSE(t.session.tree_state.history.Undo(t.session));
    for (size_t i = 1; i <= edits; ++i) {
      ASSERT_TRUE(t.session.tree_state.history.Redo(t.session)) << "redo to " << i;
      EXPECT_EQ(State(t), left[i]) << "redo to " << i;
    }
    EXPECT_FALSE(t.session.tree_state.history.Redo(t.session));
    EXPECT_FALSE(t.set.results_saved);
  }
}

TEST(EditHistoryTest, UndoingADeletePutsBackAnOpenAreaOpen) {
  TreeSession t(kMenu);
  t.tree.Expand(t.Node("Delta"), true);
  t.Click("Delta");
  DeleteEntry(t.session, EntryKind::kAny);
  ASSERT_TRUE(t.session.tree_state.history.Undo(t.session));
  EXPECT_TRUE(t.tree.Expanded(t.Node("Delta")));
  EXPECT_EQ(testing::Describe(t.tree), "Delta(d2 d1 d3) alpha(a1) Charlie() Bravo(b2 b1)");
}

TEST(EditHistoryTest, ANewEditDropsTheRedoAndNothingThatChangedNothingIsKept) {
  TreeSession t(kMenu);
  EditHistory& history = t.session.tree_state.history;
  Rename("a1", "x")(t);
  ASSERT_TRUE(history.Undo(t.session));
  EXPECT_TRUE(history.CanRedo());
  Rename("a1", "a1")(t);  // the same title: no step
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.CanRedo());
  t.host.answers = {false};
  t.Click("Delta");
  DeleteEntry(t.session, EntryKind::kAny);  // answered no
  EXPECT_FALSE(history.CanUndo());
  Rename("a1", "y")(t);
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.NextUndo(), EditKind::kRename);
}

TEST(EditHistoryTest, KeepsAtLeastAHundredLevelsAndForgetsTheOldestBeyondItsLimit) {
  TreeSession t(kMenu);
  EditHistory& history = t.session.tree_state.history;
  const size_t edits = EditHistory::kMaxSteps + 20;
  TreeNode alpha = t.Node("alpha");
  for (size_t i = 0; i < edits; ++i) {
    BeginRename(t.session, alpha);
    EndRename(t.session, alpha, i % 2 ? "alpha" : "beta");
  }
  // Renaming back and forth: every rename changed the title.
  EXPECT_GE(history.UndoLevels(), 100u);
  EXPECT_EQ(history.UndoLevels(), EditHistory::kMaxSteps);
  EXPECT_LT(history.Bytes(), EditHistory::kMaxBytes);
  size_t undone = 0;
  while (history.Undo(t.session)) ++undone;
  EXPECT_EQ(undone, EditHistory::kMaxSteps);
  // The steps that fell off the front stay done.
  EXPECT_EQ(t.Label(t.tree.FirstChild(t.tree.Next(t.tree.FirstChild(t.tree.Root())))), "a1");
}

TEST(EditHistoryTest, ClosingTheSetClearsItAndAnEditOutsideTheHistoryEmptiesIt) {
  TreeSession t(kMenu);
  Rename("a1", "x")(t);
  CloseScenerySet(t.session, false);
  EXPECT_FALSE(t.session.tree_state.history.CanUndo());

  TreeSession u(kMenu);
  Rename("a1", "x")(u);
  u.tree.Remove(u.Node("Charlie"));  // not through the edits
  EXPECT_FALSE(u.session.tree_state.history.Undo(u.session));
  EXPECT_FALSE(u.session.tree_state.history.CanUndo());
  EXPECT_EQ(testing::Describe(u.tree), "Delta(d2 d1 d3) alpha(x) Bravo(b2 b1)");
}

TEST(EditHistoryTest, TellsWhetherTheMenuDiffersFromTheOneReadOrSaved) {
  TreeSession t(kMenu);
  EditHistory& history = t.session.tree_state.history;
  EXPECT_FALSE(history.ChangedSinceSave());
  Rename("a1", "x")(t);
  EXPECT_TRUE(history.ChangedSinceSave());
  history.Undo(t.session);
  EXPECT_FALSE(history.ChangedSinceSave()) << "undone back to the menu read";
  history.Redo(t.session);
  history.MarkSaved();
  EXPECT_FALSE(history.ChangedSinceSave());
  history.Undo(t.session);
  EXPECT_TRUE(history.ChangedSinceSave()) << "the saved menu has the rename";
}

// An import replaces the whole menu in whatever way it likes, inside one whole-tree step.
TEST(EditHistoryTest, AWholeTreeStepPutsBackTheMenuItReplaced) {
  TreeSession t(kMenu);
  ShowAreaCount(t.session);
  ShowLocationCount(t.session);
  t.Click("b1");
  const std::string before = State(t);
  EditHistory& history = t.session.tree_state.history;
  history.BeginWholeTree(t.tree, t.set, EditKind::kImport);
  TreeNode root = t.tree.Root();
  while (TreeNode a = t.tree.FirstChild(root)) t.tree.Remove(a);
  TreeNode area = t.tree.Insert(root, nullptr, "Imported", MakeTreeItemData(NodeKind::kArea, 2));
  t.tree.Insert(area, nullptr, "i1", MakeTreeItemData(NodeKind::kLocation, 1));
  t.tree.Select(area);
  history.End(t.tree, t.set);
  const std::string after = State(t);
  EXPECT_EQ(history.NextUndo(), EditKind::kImport);
  ASSERT_TRUE(history.Undo(t.session));
  EXPECT_EQ(State(t), before);
  ASSERT_TRUE(history.Redo(t.session));
  EXPECT_EQ(State(t), after);
}

}  // namespace
}  // namespace tarnwick
