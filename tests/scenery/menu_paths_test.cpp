#include "scenery/menu_paths.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "support/test_session.h"

namespace tarnwick {
namespace {

TEST(MenuPathsTest, PathsComeFromTheVisFileNameUpToItsFirstFullStop) {
  struct Case {
    const char* vis_path;
    const char* base;
    const char* log;
    const char* entry;
    const char* bgl;
  };
  const Case cases[] = {
      {"C:\\FS98\\Scenery\\World.vis", "World", "C:\\FS98\\Scenery\\Menus\\World_.log",
       "C:\\FS98\\Scenery\\Menus\\World_MENU.bgl",
       "C:\\FS98\\Scenery\\Menus\\Scenery\\World_MENU.bgl"},
      {"C:\\FS98\\Scenery\\My.Set.vis", "My", "C:\\FS98\\Scenery\\Menus\\My_.log",
       "C:\\FS98\\Scenery\\Menus\\My_MENU.bgl", "C:\\FS98\\Scenery\\Menus\\Scenery\\My_MENU.bgl"},
      // Only the name's full stops count; without one the whole name is the base.
      {"D:\\Sets.old\\NOSTOP", "NOSTOP", "D:\\Sets.old\\Menus\\NOSTOP_.log",
       "D:\\Sets.old\\Menus\\NOSTOP_MENU.bgl", "D:\\Sets.old\\Menus\\Scenery\\NOSTOP_MENU.bgl"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.vis_path);
    EXPECT_EQ(VisBaseName(c.vis_path), c.base);
    EXPECT_EQ(LogPathFor(c.vis_path), c.log);
    EXPECT_EQ(MenuEntryPathFor(c.vis_path), c.entry);
    EXPECT_EQ(MenuBglPathFor(c.vis_path), c.bgl);
  }
}

TEST(MenuPathsTest, BuildMenuPathsMakesTheFolderOfTheMenuBgl) {
  testing::TempDir dir;
  testing::TestSession t;
  t.set.vis_path = testing::WindowsPath(dir.path() / "My.Set.vis");

  BuildMenuPaths(t.session);

  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Menus" / "Scenery"));
  EXPECT_EQ(t.set.menu_bgl_path, testing::WindowsPath(dir.path() / "Menus/Scenery/My_MENU.bgl"));
  EXPECT_EQ(t.set.menu_entry_path, testing::WindowsPath(dir.path() / "Menus/My_MENU.bgl"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Menus" / "Scenery" / "My_MENU.bgl"));
}

}  // namespace
}  // namespace tarnwick
