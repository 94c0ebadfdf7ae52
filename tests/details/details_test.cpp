// The rows of the details pane and the editing of a Location's values, on a scanned set.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "details/detail_rows.h"
#include "details/value_edit.h"
#include "details/value_formats.h"
#include "support/menu_builder.h"
#include "support/saved_set.h"
#include "tree/tree_edits.h"

namespace tarnwick {
namespace {

using testing::FindLabel;
using testing::SmallSet;

std::vector<std::string> Rows(const SmallSet& set, TreeNode node, bool all, bool fractional) {
  std::vector<std::string> rows;
  int count = DetailRowCount(node, node ? set.t.tree.Data(node) : 0, all);
  for (int row = 0; row < count; ++row) {
    rows.push_back(DetailRowValue(set.t.set, set.t.tree, node, row, fractional));
  }
  return rows;
}

struct ScannedSet : SmallSet {
  ScannedSet() {
    EXPECT_TRUE(Scan());
    zermatt = FindLabel(t.tree, "Zermatt");
    LocnFields& f = t.set.Location(RecordOf(t.tree.Data(zermatt)))->fields;
    f.latitude = 732248614;  // N51:28:38 less a ten-thousandth of a second
    f.longitude = -5504583;
    f.altitude = 78049;  // 1000 ft
    f.heading = 16384;
    f.com1 = 0x2345;
    f.nav1 = 0x1030;
    f.obi1 = 40;
    f.nav2 = 0;
    f.obi2 = 360;
  }
  LocnFields& Fields() { return t.set.Location(RecordOf(t.tree.Data(zermatt)))->fields; }
  TreeNode zermatt = nullptr;
};

TEST(DetailRowsTest, EachKindOfItemGetsItsRows) {
  ScannedSet set;
  const std::string vis = set.t.set.vis_path;
  const std::string bgl = set.t.set.Bgl(1)->path;
  TreeNode alps = FindLabel(set.t.tree, "Swiss Alps");

  EXPECT_TRUE(Rows(set, nullptr, true, false).empty());
  EXPECT_EQ(Rows(set, set.t.set.tree_root, true, false), std::vector<std::string>{vis});
  EXPECT_EQ(Rows(set, alps, true, false),
            (std::vector<std::string>{vis, "Alps", "=:\\=\\Scenery\\Alps\\*.bgl", "Swiss Alps"}));
  std::vector<std::string> basic = {vis,
                                    "Alps",
                                    "=:\\=\\Scenery\\Alps\\*.bgl",
                                    "Swiss Alps",
                                    bgl,
                                    "Zermatt",
                                    "N51:28:37.9999",
                                    "W000:27:40.9999",
                                    "1000",
                                    "090"};
  EXPECT_EQ(Rows(set, set.zermatt, false, false), basic);
  std::vector<std::string> all = basic;
  all.insert(all.end(), {"123.45", "110.30", "040", "000.00", "360"});
  EXPECT_EQ(Rows(set, set.zermatt, true, false), all);
  std::vector<std::string> fractional = Rows(set, set.zermatt, false, true);
  EXPECT_EQ(fractional[6], "N51:28.6333");
  EXPECT_EQ(fractional[7], "W000:27.6833");

  EXPECT_EQ(DetailRowIcon(0), 0);
  EXPECT_EQ(DetailRowIcon(1), 0);
  EXPECT_EQ(DetailRowIcon(2), 1);
  EXPECT_EQ(DetailRowIcon(3), 1);
  EXPECT_EQ(DetailRowIcon(4), 1);
  EXPECT_EQ(DetailRowIcon(5), 2);
  EXPECT_EQ(DetailRowIcon(14), 2);
}

TEST(DetailRowsTest, EntriesTheUserMadeAndEntriesWithoutTextSaySo) {
  ScannedSet set;
  // A new Location in an existing Area keeps the Area's VIS entry but has no source BGL.
  set.t.tree.Select(set.zermatt);
  NewEntry(set.s, EntryKind::kLocation);
  TreeNode made = set.t.tree.Selected();
  ASSERT_NE(made, set.zermatt);
  std::vector<std::string> rows = Rows(set, made, false, false);
  EXPECT_EQ(rows[4], "<location added here>");
  EXPECT_EQ(rows[5], "NEW ENTRY");

  // A new Area made beside an Area belongs to no VIS entry (a split one keeps its entry).
  TreeNode alps = FindLabel(set.t.tree, "Swiss Alps");
  set.t.tree.Select(alps);
  NewEntry(set.s, EntryKind::kArea);
  rows = Rows(set, set.t.tree.Selected(), false, false);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1], "<area added here>");
  EXPECT_EQ(rows[2], "<area added here>");

  // A VIS entry stored without a title.
  const VisEntry& entry =
      *set.t.set.Vis(set.t.set.Area(RecordOf(set.t.tree.Data(alps)))->vis_index);
  set.t.set.image.bytes[entry.title_offset] = '\0';
  EXPECT_EQ(Rows(set, alps, false, false)[1], "<MISSING DATA>");
}

TEST(ValueEditTest, EveryEditableRowParsesIntoItsField) {
  struct Case {
    int row;
    const char* text;
    const char* shown;  // the row's text afterwards
  };
  const Case cases[] = {
      {5, "Zermatt Heliport", "Zermatt Heliport"},
      {6, "S33:56:46", "S33:56:45.9999"},
      {7, "E151:10:38.5", "E151:10:38.4999"},
      {8, "-50", "-50"},
      {9, "725", "005"},
      {10, "118.5", "118.05"},
      {11, "113.9", "113.07"},
      {12, "720", "360"},
      {13, "110.30", "110.30"},
      {14, "400", "040"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    ScannedSet set;
    set.t.set.results_saved = true;
    set.t.tree.Select(set.zermatt);
    DetailsEditState state;
    state.row = c.row;
    std::string before = DetailRowValue(set.t.set, set.t.tree, set.zermatt, c.row, false);

    ASSERT_TRUE(ApplyValueEdit(set.s, state, c.text));

    EXPECT_EQ(DetailRowValue(set.t.set, set.t.tree, set.zermatt, c.row, false), c.shown);
    EXPECT_FALSE(set.t.set.results_saved);
    EXPECT_TRUE(state.undo.available);
    EXPECT_EQ(state.undo.row, c.row);
    EXPECT_EQ(state.undo.text, before);
    EXPECT_EQ(set.t.host.beeps, 0);
  }
}

TEST(ValueEditTest, AnEditBoxEndedWithItsTextUnchangedStoresNothing) {
  // Values that their rounded texts do not give back.
  for (bool fractional : {false, true}) {
    ScannedSet set;
    set.t.tree.Select(set.zermatt);
    LocnFields& f = set.Fields();
    f.latitude = 1033485359;
    f.longitude = 2053827588;
    f.altitude = 723502;
    f.heading = 40657;
    f.com1 = 0x2345;
    f.obi1 = 41;
    if (fractional) {
      ASSERT_NE(
          ParseAngle(FormatAngle(f.latitude, AngleAxis::kLatitude, true), AngleAxis::kLatitude),
          f.latitude);
    }
    // An earlier edit's undo stays as it was.
    DetailsEditState state;
    state.row = 8;
    ASSERT_TRUE(ApplyValueEdit(set.s, state, "2373"));
    const LocnFields before = f;
    set.t.set.results_saved = true;
    for (int row = kFirstEditableDetailRow; row <= kLastDetailRow; ++row) {
      SCOPED_TRACE(::testing::Message() << "row " << row << (fractional ? " fractional" : ""));
      std::string shown = DetailRowValue(set.t.set, set.t.tree, set.zermatt, row, fractional);
      OpenValueEdit(state, set.zermatt, row, shown);
      EXPECT_EQ(EndValueEdit(set.s, state, shown), ValueEditOutcome::kUnchanged);
      EXPECT_EQ(state.node, nullptr);
    }
    EXPECT_EQ(std::memcmp(&f, &before, sizeof f), 0);
    EXPECT_EQ(set.t.tree.Label(set.zermatt), "Zermatt");
    EXPECT_TRUE(set.t.set.results_saved);
    EXPECT_EQ(state.undo.row, 8);
    EXPECT_EQ(set.t.host.beeps, 0);

    // A changed text is stored as it parses.
    OpenValueEdit(state, set.zermatt, 6,
                  DetailRowValue(set.t.set, set.t.tree, set.zermatt, 6, fractional));
    EXPECT_EQ(EndValueEdit(set.s, state, "S12:34"), ValueEditOutcome::kApplied);
    EXPECT_EQ(f.latitude, ParseAngle("S12:34", AngleAxis::kLatitude));
    EXPECT_EQ(state.undo.row, 6);
    EXPECT_FALSE(set.t.set.results_saved);
  }
}

TEST(ValueEditTest, ATextTheFieldCannotHoldKeepsTheBoxOpenAndStoresNothing) {
  ScannedSet set;
  set.t.tree.Select(set.zermatt);
  LocnFields& f = set.Fields();
  const LocnFields before = f;
  set.t.set.results_saved = true;
  DetailsEditState state;
  for (auto [row, text] : {std::pair{6, "hello"}, {8, "99999"}, {10, "tower"}}) {
    OpenValueEdit(state, set.zermatt, row, "shown");
    EXPECT_EQ(EndValueEdit(set.s, state, text), ValueEditOutcome::kMisfit) << text;
    EXPECT_EQ(state.node, set.zermatt) << "the box stays open";
    EXPECT_FALSE(state.problem.empty());
  }
  EXPECT_EQ(state.problem, "118.00 to 135.97");
  EXPECT_EQ(set.t.host.beeps, 3);
  EXPECT_EQ(std::memcmp(&f, &before, sizeof f), 0);
  EXPECT_TRUE(set.t.set.results_saved);
  EXPECT_EQ(EndValueEdit(set.s, state, "118.5"), ValueEditOutcome::kApplied);
  EXPECT_EQ(f.com1, ParseFrequency("118.5", true));
}

TEST(ValueEditTest, AnEditBoxLeftOverAnotherItemStoresNothingThere) {
  ScannedSet set;
  set.t.tree.Select(set.zermatt);
  DetailsEditState state;
  OpenValueEdit(state, set.zermatt, 6, "N51:28:37.9999");
  TreeNode other = FindLabel(set.t.tree, "Sion");
  ASSERT_NE(other, nullptr);
  set.t.tree.Select(other);
  const LocnFields before = set.t.set.Location(RecordOf(set.t.tree.Data(other)))->fields;
  const LocnFields zermatt = set.Fields();

  EXPECT_EQ(EndValueEdit(set.s, state, "S12:34:56"), ValueEditOutcome::kElsewhere);
  EXPECT_EQ(set.t.set.Location(RecordOf(set.t.tree.Data(other)))->fields.latitude, before.latitude);
  EXPECT_EQ(set.Fields().latitude, zermatt.latitude);
  EXPECT_FALSE(state.undo.available);
  // A box that is gone ends nothing either.
  EXPECT_EQ(EndValueEdit(set.s, state, "S12:34:56"), ValueEditOutcome::kElsewhere);
}

TEST(ValueEditTest, TheDescriptionKeepsFortyCharacters) {
  ScannedSet set;
  set.t.tree.Select(set.zermatt);
  DetailsEditState state;
  state.row = 5;
  ASSERT_TRUE(ApplyValueEdit(set.s, state, std::string(50, 'x')));
  EXPECT_EQ(set.t.tree.Label(set.zermatt), std::string(40, 'x'));
}

TEST(ValueEditTest, RefusedEditsBeepAndChangeNothing) {
  ScannedSet set;
  const LocnFields before = set.Fields();
  DetailsEditState state;

  // Rows that hold no Location value, on a Location.
  set.t.tree.Select(set.zermatt);
  for (int row : {0, 3, 4, 15, -1}) {
    state.row = row;
    EXPECT_FALSE(ApplyValueEdit(set.s, state, "N10:00:00"));
    EXPECT_EQ(state.row, -1);
  }
  // An editable row while an Area or nothing is selected.
  for (TreeNode node :
       {FindLabel(set.t.tree, "Swiss Alps"), set.t.set.tree_root, static_cast<TreeNode>(nullptr)}) {
    set.t.tree.Select(node);
    state.row = 6;
    EXPECT_FALSE(ApplyValueEdit(set.s, state, "N10:00:00"));
  }
  EXPECT_EQ(set.t.host.beeps, 8);
  EXPECT_FALSE(state.undo.available);
  EXPECT_EQ(set.Fields().latitude, before.latitude);
  EXPECT_EQ(set.t.tree.Label(FindLabel(set.t.tree, "Swiss Alps")), "Swiss Alps");
}

TEST(ValueEditTest, UndoPutsBackThePreviousValueOnce) {
  ScannedSet set;
  set.t.tree.Select(set.zermatt);
  const LocnFields before = set.Fields();
  DetailsEditState state;
  for (int row : {5, 6, 7, 8, 9}) {
    SCOPED_TRACE(row);
    state.row = row;
    ASSERT_TRUE(ApplyValueEdit(set.s, state, "S12:30:15"));
    EXPECT_EQ(UndoValueEdit(set.s, state), row);
    EXPECT_FALSE(CanUndoValueEdit(state));
    EXPECT_EQ(UndoValueEdit(set.s, state), 0);  // one level only
  }
  // Minutes and seconds give the position back exactly; feet and degrees within their rounding.
  EXPECT_EQ(set.t.tree.Label(set.zermatt), "Zermatt");
  EXPECT_EQ(set.Fields().latitude, before.latitude);
  EXPECT_EQ(set.Fields().longitude, before.longitude);
  EXPECT_EQ(DetailRowValue(set.t.set, set.t.tree, set.zermatt, 8, false), "1000");
  EXPECT_EQ(DetailRowValue(set.t.set, set.t.tree, set.zermatt, 9, false), "090");
}

TEST(ValueEditTest, AnEditedValueIsWhatTheSavedMenuHolds) {
  ScannedSet set;
  set.t.tree.Select(set.zermatt);
  DetailsEditState state;
  state.row = 6;
  ASSERT_TRUE(ApplyValueEdit(set.s, state, "N46:01:12"));
  state.row = 10;
  ASSERT_TRUE(ApplyValueEdit(set.s, state, "121.30"));
  const LocnFields edited = set.Fields();
  ASSERT_TRUE(set.Save());

  // The sources are off now: the scan reads the generated menu.
  ASSERT_TRUE(set.Scan());
  TreeNode zermatt = FindLabel(set.t.tree, "Zermatt");
  ASSERT_NE(zermatt, nullptr);
  const LocnFields& saved = set.t.set.Location(RecordOf(set.t.tree.Data(zermatt)))->fields;
  EXPECT_EQ(saved.latitude, edited.latitude);
  EXPECT_EQ(saved.com1, 0x2130);
  EXPECT_EQ(DetailRowValue(set.t.set, set.t.tree, zermatt, 6, false), "N46:01:11.9999");
}

}  // namespace
}  // namespace tarnwick
