#include "scenery/close_scenery_set.h"

#include <gtest/gtest.h>

#include "support/test_session.h"

namespace tarnwick {
namespace {

TEST(CloseScenerySetTest, EmptiesTheModelTheTreeAndTheRows) {
  for (bool full : {false, true}) {
    SCOPED_TRACE(full);
    testing::TestSession t;
    ScenerySet& set = t.set;
    set.image.bytes.assign(40, 1);
    set.vis_entries.resize(2);
    set.vis_count = 2;
    for (int i = 0; i < 3; ++i) {
      ++set.bgl_count;
      set.AddMenuBgl("C:\\x.bgl");
      ++set.area_count;
      set.AddArea(1);
      ++set.location_count;
      set.AddLocation(LocnFields{}, 1, 1, 1, 1);
    }
    set.checked_bgl_count = 9;
    set.deleted_area_count = set.deleted_location_count = 1;
    set.areas_left_out = set.locations_left_out = 4;
    set.loaded = set.prev_exists = set.generated_menu_seen = set.generated_menu_off = true;
    set.tree_root = t.tree.Insert(nullptr, nullptr, "World.vis", 0);
    set.last_area = t.tree.Insert(set.tree_root, nullptr, "Area", 0x10001);
    t.tree_state.auto_expanded_area = set.last_area;
    t.tree_state.rename_undo = {true, set.last_area, "Area"};
    t.tree_state.search.text = "kept";
    t.tree_state.search.start_item = set.tree_root;
    t.host.status[0] = 3;
    t.host.AddVisRow(1, true, "title", "path");

    CloseScenerySet(t.session, full);

    EXPECT_FALSE(set.HasImage());
    EXPECT_TRUE(set.vis_entries.empty());
    EXPECT_FALSE(set.bgls.Exists() || set.areas.Exists() || set.locations.Exists());
    EXPECT_EQ(set.vis_count + set.bgl_count + set.area_count + set.location_count +
                  set.checked_bgl_count + set.deleted_area_count + set.deleted_location_count +
                  set.areas_left_out + set.locations_left_out,
              0);
    EXPECT_FALSE(set.loaded || set.prev_exists || set.generated_menu_seen);
    EXPECT_TRUE(set.generated_menu_off);  // a switch made on disk outlives the set
    EXPECT_EQ(set.tree_root, nullptr);
    EXPECT_EQ(set.last_area, nullptr);
    EXPECT_EQ(t.tree_state.auto_expanded_area, nullptr);
    EXPECT_FALSE(t.tree_state.rename_undo.available);
    EXPECT_EQ(t.tree_state.search.start_item, nullptr);
    EXPECT_EQ(t.tree_state.search.text, "kept");  // the search text lives as long as the program
    EXPECT_EQ(t.tree.Count(), 0u);
    EXPECT_EQ(t.host.tree_clears, 1);
    EXPECT_EQ(t.host.full_tree_clears, full ? 1 : 0);
    EXPECT_EQ(t.host.status[0], 0);
    EXPECT_TRUE(t.host.vis_rows.empty());
    EXPECT_EQ(t.host.menu_updates, 1);
  }
}

TEST(CloseScenerySetTest, AnEmptyTreeIsReplacedOnlyWhenTheProgramCloses) {
  testing::TestSession t;
  CloseScenerySet(t.session, false);
  EXPECT_EQ(t.host.tree_clears, 0);
  CloseScenerySet(t.session, true);
  EXPECT_EQ(t.host.full_tree_clears, 1);
}

}  // namespace
}  // namespace tarnwick
