#include "output/original_menus.h"

#include <gtest/gtest.h>

#include "output/save_results.h"
#include "scenery/vis_file.h"
#include "support/saved_set.h"
#include "support/tree_dump.h"

namespace tarnwick {
namespace {

using testing::DumpMenu;
using testing::kSmallSetMenu;
using testing::ReadFileBytes;
using testing::SavedSet;
using testing::SmallSet;

std::string Text(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(OriginalMenusTest, EnablingOnALoadedSetShowsTheOriginalMenusAgain) {
  SavedSet set;
  std::vector<uint8_t> no_menu = ReadFileBytes(set.disk.Bgl("Alps", "nomenu.bgl"));

  // Three files switched: both source menus on, the generated menu off.
  EXPECT_EQ(RunOriginalMenusCommand(set.s, false), 3);

  EXPECT_EQ(set.SourceSwitches(), "110");
  EXPECT_EQ(set.disk.SwitchByte(set.disk.MenuBgl()), 0);
  EXPECT_EQ(ReadFileBytes(set.disk.Bgl("Alps", "nomenu.bgl")), no_menu);
  EXPECT_TRUE(set.t.set.generated_menu_off);
  EXPECT_TRUE(set.t.set.loaded);
  EXPECT_FALSE(set.t.host.progress_open);
  EXPECT_EQ(set.t.host.busy, BusyState::kIdle);
  EXPECT_EQ(DumpMenu(set.t.tree), kSmallSetMenu);
  EXPECT_EQ(set.t.set.bgl_count, 2);
  EXPECT_EQ(set.t.host.progress_messages[set.t.host.progress_messages.size() - 2],
            "Enabling Menus according to Active VIS entries");

  // The generated menu, seen and now off, makes a save warn first.
  set.t.host.warning_answer = false;
  EXPECT_FALSE(SaveResults(set.s, true, false));
  EXPECT_EQ(set.t.host.warnings, 1);
  EXPECT_EQ(set.disk.SwitchByte(set.disk.MenuBgl()), 0);
}

TEST(OriginalMenusTest, DisablingWithoutALoadedSetAsksForTheVisFileAndLeavesNoSet) {
  SavedSet saved;
  ASSERT_EQ(RunOriginalMenusCommand(saved.s, false), 3);

  testing::TestSession t;
  t.host.chosen_vis_file = saved.disk.vis_path;
  t.options.logging = true;
  t.log.Create(*t.fs, saved.t.set.log_path);

  EXPECT_EQ(RunOriginalMenusCommand(t.session, true), 3);

  EXPECT_EQ(t.host.offered_vis_files, std::vector<std::string>{"World.vis"});
  EXPECT_EQ(saved.SourceSwitches(), "000");
  EXPECT_EQ(saved.disk.SwitchByte(saved.disk.MenuBgl()), 1);
  EXPECT_FALSE(t.set.generated_menu_off);
  EXPECT_FALSE(t.set.loaded);
  EXPECT_FALSE(t.set.HasImage());
  EXPECT_EQ(t.tree.Count(), 0u);
  EXPECT_TRUE(t.host.vis_rows.empty());
  EXPECT_FALSE(t.host.progress_open);
  t.log.Close();
  std::string log = Text(ReadFileBytes(saved.disk.MenusFolder() / "World_.log"));
  EXPECT_NE(log.find("Disabling Menus according to Active VIS entries\nVIS path being searched: "),
            std::string::npos);
  EXPECT_NE(log.find("nomenu.bgl\n"), std::string::npos);
}

TEST(OriginalMenusTest, ACancelledChoiceSwitchesNothing) {
  SmallSet set;
  set.t.host.chosen_vis_file.reset();

  EXPECT_EQ(RunOriginalMenusCommand(set.s, true), std::nullopt);

  EXPECT_EQ(set.SourceSwitches(), "110");
  EXPECT_TRUE(set.t.host.progress_messages.empty());
  EXPECT_FALSE(set.t.set.HasImage());
}

TEST(OriginalMenusTest, ChangedModeVisitsOnlyTheEntriesTheUserSwitched) {
  SmallSet set;
  ASSERT_TRUE(set.Scan());
  ASSERT_TRUE(set.Save());  // every source menu off
  ASSERT_TRUE(set.Scan());
  ASSERT_EQ(set.SourceSwitches(), "000");
  // Alps switched off, Lakes switched on; Coast unchanged.
  set.t.set.vis_entries[0].working_flags = 0;
  set.t.set.vis_entries[2].working_flags = 1;

  EXPECT_EQ(SwitchOriginalMenus(set.s, false, true).written, 2);

  EXPECT_EQ(set.SourceSwitches(), "101");
  EXPECT_EQ(set.disk.SwitchByte(set.disk.MenuBgl()), 1);
  EXPECT_EQ(set.t.host.progress_messages.back(), "Enabling Menus according to Changed VIS entries");
  EXPECT_FALSE(set.t.host.progress_open);
}

// A cancel while the files are looked at changes nothing; one while they are switched undoes
// the switches already made: the simulator never sees half of the set switched.
TEST(OriginalMenusTest, ACancelLeavesEveryMenuAsItWas) {
  // Pump 1 is the check before the first entry, pumps 2 to 5 follow the four files found
  // (alps.bgl, nomenu.bgl, coast.bgl, the generated menu), pumps 6 to 8 the three switches.
  for (int at : {2, 7}) {
    SCOPED_TRACE(at);
    SavedSet set;
    const std::vector<uint8_t> menu = ReadFileBytes(set.disk.MenuBgl());
    PressCancelAtPump(set.t, at);

    EXPECT_EQ(RunOriginalMenusCommand(set.s, false), std::nullopt);

    EXPECT_EQ(set.t.host.pumps, at);
    EXPECT_EQ(set.SourceSwitches(), "000");
    EXPECT_EQ(ReadFileBytes(set.disk.MenuBgl()), menu);
    EXPECT_FALSE(std::filesystem::exists(set.disk.MenusFolder() / "World_MENU.switches"));
    EXPECT_FALSE(set.t.set.loaded);
    EXPECT_EQ(set.t.tree.Count(), 0u);
    EXPECT_FALSE(set.t.host.progress_open);
    EXPECT_EQ(set.t.host.busy, BusyState::kIdle);
    EXPECT_TRUE(set.t.host.messages.empty());
  }
}

// After a save, the entry it appended to the VIS file is among the entries the switch visits:
// "Enable original menus" then switches the generated menu off, and the scan shows each Area once.
TEST(OriginalMenusTest, EnablingAfterASaveReachesTheGeneratedMenu) {
  testing::SmallSet set;
  ASSERT_TRUE(set.Scan());
  ASSERT_TRUE(set.Save());
  EXPECT_EQ(set.t.host.vis_rows.back().title, "Global menu by Tarnwick");

  ASSERT_TRUE(RunOriginalMenusCommand(set.s, false).has_value());

  EXPECT_EQ(set.disk.SwitchByte(set.disk.MenuBgl()), 0);
  EXPECT_EQ(set.SourceSwitches(), "110");
  EXPECT_EQ(testing::DumpMenu(set.t.tree), testing::kSmallSetMenu);
}

}  // namespace
}  // namespace tarnwick
