#include <gtest/gtest.h>

#include "support/tree_session.h"
#include "tree/tree_edits.h"

namespace tarnwick {
namespace {

using testing::AreaSpec;
using testing::TreeSession;

const std::vector<AreaSpec> kMenu = {
    {"A", {"a1", "a2", "a3", "a4", "a5"}}, {"B", {}}, {"C", {"c1"}}};
constexpr char kSplitQuestion[] =
    "Split the entries and place this and subsequent ones in the new Area?";

struct PlacementCase {
  const char* selected;  // nullptr: nothing selected
  EntryKind kind;
  const char* menu_after;  // nullptr: unchanged
};

TEST(NewEntryTest, PlacesTheNewNodeBesideTheSelection) {
  const PlacementCase cases[] = {
      {nullptr, EntryKind::kAny, "NEW ENTRY() A(a1 a2 a3 a4 a5) B() C(c1)"},
      {"World.vis", EntryKind::kAny, "NEW ENTRY() A(a1 a2 a3 a4 a5) B() C(c1)"},
      {"World.vis", EntryKind::kArea, "NEW ENTRY() A(a1 a2 a3 a4 a5) B() C(c1)"},
      {nullptr, EntryKind::kLocation, nullptr},
      {"World.vis", EntryKind::kLocation, nullptr},
      {"a3", EntryKind::kAny, "A(a1 a2 NEW ENTRY a3 a4 a5) B() C(c1)"},
      {"a1", EntryKind::kLocation, "A(NEW ENTRY a1 a2 a3 a4 a5) B() C(c1)"},
      {"c1", EntryKind::kAny, "A(a1 a2 a3 a4 a5) B() C(NEW ENTRY c1)"},
      {"B", EntryKind::kAny, "A(a1 a2 a3 a4 a5) NEW ENTRY() B() C(c1)"},
      {"A", EntryKind::kArea, "NEW ENTRY() A(a1 a2 a3 a4 a5) B() C(c1)"},
      {"A", EntryKind::kLocation, "A(NEW ENTRY a1 a2 a3 a4 a5) B() C(c1)"},
      {"B", EntryKind::kLocation, "A(a1 a2 a3 a4 a5) B(NEW ENTRY) C(c1)"},
      {"a3", EntryKind::kArea, "A(a1 a2) NEW ENTRY(a3 a4 a5) B() C(c1)"},
  };
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(std::string(c.selected ? c.selected : "<none>") + " kind " +
                 std::to_string(static_cast<int>(c.kind)));
    TreeSession t(kMenu);
    if (c.selected) t.tree.Select(t.Node(c.selected));
    const std::string before = testing::Describe(t.tree);
    t.set.results_saved = true;

    NewEntry(t.session, c.kind);

    EXPECT_EQ(t.host.busy, BusyState::kIdle);
    if (c.menu_after == nullptr) {
      EXPECT_EQ(testing::Describe(t.tree), before);
      EXPECT_TRUE(t.set.results_saved);
      EXPECT_EQ(t.set.area_count, 3);
      EXPECT_EQ(t.set.location_count, 6);
      continue;
    }
    EXPECT_EQ(testing::Describe(t.tree), c.menu_after);
    EXPECT_FALSE(t.set.results_saved);
    TreeNode made = t.tree.Selected();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(t.Label(made), "NEW ENTRY");
    // The user types the title at once; the edit started through the usual path.
    EXPECT_EQ(t.tree.Editing(), made);
    EXPECT_EQ(t.tree.last_ensured_visible, made);
    EXPECT_TRUE(t.session.tree_state.rename_undo.available);
    EXPECT_EQ(t.session.tree_state.rename_undo.node, made);
    EXPECT_EQ(t.session.tree_state.rename_undo.text, "NEW ENTRY");
    // A fresh record under the next number, and the status count of its kind.
    if (KindOf(t.tree.Data(made)) == NodeKind::kArea) {
      EXPECT_EQ(t.set.area_count, 4);
      EXPECT_EQ(RecordOf(t.tree.Data(made)), 4u);
      EXPECT_EQ(t.host.status[0], 4);
    } else {
      EXPECT_EQ(t.set.location_count, 7);
      EXPECT_EQ(RecordOf(t.tree.Data(made)), 7u);
      EXPECT_EQ(t.host.status[1], 7);
    }
  }
}

TEST(NewEntryTest, ALocationCopiesItsNeighbourOrStartsFromZero) {
  struct Case {
    const char* selected;
    int copied_from;  // Location record copied, 0 for none
  };
  // a3 is record 3, a1 record 1; B has no Locations.
  for (const Case& c : {Case{"a3", 3}, Case{"A", 1}, Case{"B", 0}}) {
    SCOPED_TRACE(c.selected);
    TreeSession t(kMenu);
    t.tree.Select(t.Node(c.selected));
    NewEntry(t.session, EntryKind::kLocation);
    const MenuLocation* made = t.set.Location(7);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->bgl_index, 0);
    if (c.copied_from != 0) {
      const MenuLocation& from = *t.set.Location(c.copied_from);
      EXPECT_EQ(made->fields.latitude, from.fields.latitude);
      EXPECT_EQ(made->fields.longitude, from.fields.longitude);
      EXPECT_EQ(made->fields.altitude, from.fields.altitude);
      EXPECT_EQ(made->fields.heading, from.fields.heading);
      EXPECT_EQ(made->found_vis, from.found_vis);
      EXPECT_EQ(made->area_index, from.area_index);
      EXPECT_EQ(made->scenery_vis, from.scenery_vis);
    } else {
      EXPECT_EQ(made->fields.latitude, 0);
      EXPECT_EQ(made->fields.longitude, 0);
      EXPECT_EQ(made->fields.altitude, 0);
      EXPECT_EQ(made->fields.heading, 0);
      EXPECT_EQ(made->fields.com1, 0);
      EXPECT_EQ(made->found_vis, 2);   // B's visIndex
      EXPECT_EQ(made->area_index, 2);  // B's record
      EXPECT_EQ(made->scenery_vis, 0);
    }
  }
}

TEST(NewEntryTest, SplitAnsweredYesMovesTheRestIntoAnOpenNewArea) {
  TreeSession t(kMenu);
  t.tree.Select(t.Node("a3"));
  const TreeItemData a4_data = t.tree.Data(t.Node("a4"));
  BusyState busy_when_selected = BusyState::kIdle;
  auto handler = t.tree.on_selection_changed;
  t.tree.on_selection_changed = [&](TreeNode o, TreeNode n) {
    busy_when_selected = t.host.busy;
    handler(o, n);
  };

  NewEntry(t.session, EntryKind::kArea);

  EXPECT_EQ(t.host.questions, std::vector<std::string>{kSplitQuestion});
  EXPECT_EQ(testing::Describe(t.tree), "A(a1 a2) NEW ENTRY(a3 a4 a5) B() C(c1)");
  TreeNode area = t.Node("NEW ENTRY");
  EXPECT_TRUE(t.tree.Expanded(area));
  EXPECT_EQ(t.tree.Selected(), area);
  EXPECT_EQ(t.tree.Editing(), area);
  // The moved Locations keep their records; the new Area names the old Area's VIS entry.
  EXPECT_EQ(t.tree.Data(t.Node("a4")), a4_data);
  EXPECT_EQ(t.set.Area(4)->vis_index, t.set.Area(1)->vis_index);
  EXPECT_EQ(t.set.location_count, 6);
  EXPECT_EQ(busy_when_selected, BusyState::kBusy);
  EXPECT_EQ(t.host.busy, BusyState::kIdle);
}

TEST(NewEntryTest, SplitAnsweredNoMakesNothingButCountsAsAChange) {
  TreeSession t(kMenu);
  t.tree.Select(t.Node("a3"));
  t.host.answers = {false};
  NewEntry(t.session, EntryKind::kArea);
  EXPECT_EQ(t.host.questions.size(), 1u);
  EXPECT_EQ(testing::Describe(t.tree), "A(a1 a2 a3 a4 a5) B() C(c1)");
  EXPECT_EQ(t.set.area_count, 3);
  EXPECT_EQ(t.set.areas.Count(), 3u);
  EXPECT_FALSE(t.set.results_saved);
  EXPECT_EQ(t.host.busy, BusyState::kIdle);
  EXPECT_EQ(t.SelectedLabel(), "a3");
}

TEST(NewEntryTest, ANewAreaOpensThePrecedingAreaOnlyWithExpandInitially) {
  for (bool expand_initially : {false, true}) {
    TreeSession t(kMenu);
    t.options.expand_initially = expand_initially;
    t.tree.Select(t.Node("B"));
    NewEntry(t.session, EntryKind::kArea);
    EXPECT_EQ(t.tree.Expanded(t.Node("A")), expand_initially);
  }
}

TEST(NewEntryTest, RefusesARecordNumberBeyondWhatTheItemDataHolds) {
  struct Case {
    const char* selected;
    EntryKind kind;
    bool areas_full;  // else the Locations are full
  };
  const Case cases[] = {
      {"World.vis", EntryKind::kArea, true}, {"B", EntryKind::kAny, true},
      {"a3", EntryKind::kArea, true},  // a split: refused before the question
      {"a3", EntryKind::kAny, false},        {"B", EntryKind::kLocation, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selected);
    TreeSession t(kMenu);
    (c.areas_full ? t.set.area_count : t.set.location_count) = kMaxRecordNumber;
    t.tree.Select(t.Node(c.selected));
    const std::string before = testing::Describe(t.tree);
    NewEntry(t.session, c.kind);
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_TRUE(t.host.questions.empty());
    EXPECT_EQ(testing::Describe(t.tree), before);
    EXPECT_EQ(t.set.area_count, c.areas_full ? kMaxRecordNumber : 3);
    EXPECT_EQ(t.set.location_count, c.areas_full ? 6 : kMaxRecordNumber);
    EXPECT_TRUE(t.set.results_saved);
    EXPECT_EQ(t.host.busy, BusyState::kIdle);
  }
}

TEST(NewEntryTest, TheLastNumberTheItemDataHoldsIsStillGiven) {
  TreeSession t(kMenu);
  while (t.set.location_count < kMaxRecordNumber - 1) {
    ++t.set.location_count;
    t.set.AddLocation(LocnFields{}, 1, 1, 1, 1);
  }
  t.tree.Select(t.Node("a1"));
  NewEntry(t.session, EntryKind::kLocation);
  EXPECT_EQ(t.host.beeps, 0);
  EXPECT_EQ(RecordOf(t.tree.Data(t.tree.Selected())), 65535u);
  ASSERT_NE(t.set.Location(65535), nullptr);
  EXPECT_EQ(t.set.Location(65535)->fields.latitude, t.set.Location(1)->fields.latitude);
  // One more would alias record 0 in the item data.
  NewEntry(t.session, EntryKind::kLocation);
  EXPECT_EQ(t.host.beeps, 1);
  EXPECT_EQ(t.set.location_count, kMaxRecordNumber);
}

TEST(NewEntryTest, DoesNothingWithoutALoadedSet) {
  TreeSession t(kMenu);
  t.set.loaded = false;
  NewEntry(t.session, EntryKind::kArea);
  EXPECT_EQ(testing::Describe(t.tree), "A(a1 a2 a3 a4 a5) B() C(c1)");
  EXPECT_TRUE(t.set.results_saved);
}

}  // namespace
}  // namespace tarnwick
