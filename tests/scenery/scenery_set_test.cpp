#include "scenery/scenery_set.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ScenerySetTest, TablesAreAbsentUntilTheFirstAdd) {
  ScenerySet set;
  EXPECT_FALSE(set.bgls.Exists());
  EXPECT_FALSE(set.areas.Exists());
  EXPECT_FALSE(set.locations.Exists());
  EXPECT_EQ(set.Area(0), nullptr);
  EXPECT_EQ(set.Area(1), nullptr);
}

TEST(ScenerySetTest, TablesGrowInStepsAndKeepTheirNumbers) {
  ScenerySet set;
  for (int i = 1; i <= 129; ++i) {
    ++set.area_count;
    set.AddArea(i);
  }
  EXPECT_EQ(set.areas.Capacity(), 192u);
  for (int i = 1; i <= 257; ++i) {
    ++set.location_count;
    set.AddLocation(LocnFields{}, i, 0, 1, i);
  }
  EXPECT_EQ(set.locations.Capacity(), 384u);
  for (int i = 1; i <= 129; ++i) ASSERT_EQ(set.Area(i)->vis_index, i);
  for (int i = 1; i <= 257; ++i) ASSERT_EQ(set.Location(i)->found_vis, i);
  ++set.bgl_count;
  set.AddMenuBgl(std::string(300, 'x'));
  EXPECT_EQ(set.bgls.Capacity(), 128u);
  EXPECT_EQ(set.Bgl(1)->path.size(), 259u);
}

TEST(ScenerySetTest, ADroppedAreaGivesItsNumberToTheNextArea) {
  ScenerySet set;
  ++set.area_count;
  set.AddArea(1);
  ++set.area_count;
  set.AddArea(2);
  --set.area_count;  // the scan drops Area 2
  ++set.area_count;
  set.AddArea(7);
  EXPECT_EQ(set.area_count, 2);
  EXPECT_EQ(set.areas.Count(), 2u);
  EXPECT_EQ(set.Area(2)->vis_index, 7);
}

TEST(ScenerySetTest, CloseFreesEverythingButKeepsGeneratedMenuOff) {
  ScenerySet set;
  ++set.location_count;
  set.AddLocation(LocnFields{}, 1, 1, 1, 1);
  set.loaded = set.generated_menu_seen = set.generated_menu_off = set.prev_exists = true;
  set.deleted_area_count = 3;
  set.Close();
  EXPECT_FALSE(set.locations.Exists());
  EXPECT_EQ(set.location_count, 0);
  EXPECT_EQ(set.deleted_area_count, 0);
  EXPECT_FALSE(set.loaded || set.generated_menu_seen || set.prev_exists);
  EXPECT_TRUE(set.generated_menu_off);
}

}  // namespace
}  // namespace tarnwick
