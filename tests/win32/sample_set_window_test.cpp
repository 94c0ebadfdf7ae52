// The bundled sample scenery set, opened through the window as a user opens it: what the README's
// run command shows must be what the program makes of that set.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "resource.h"
#include "sample_set.h"
#include "support/temp_dir.h"
#include "support/test_session.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

TEST_F(MainWindowTest, TheSampleSetOpensWithItsMenuItsCountsAndItsVisEntries) {
  TempDir sample;
  std::string folder = WindowsPath(sample.path());
  std::unique_ptr<FileSystem> fs = MakeNativeFileSystem(DriveMap{});
  std::string error;
  ASSERT_TRUE(sample::WriteSampleSet(*fs, folder, folder, error)) << error;

  Start();
  questions.chosen_files = {folder + "\\Scenery\\World.vis"};
  Command(IDM_OPEN);

  Session& s = window->GetSession();
  ASSERT_TRUE(s.set.loaded);
  EXPECT_EQ(StatusText(0), "Areas: 12");
  EXPECT_EQ(StatusText(1), "Locns: 36");
  EXPECT_EQ(StatusText(2), "Menus: 11");
  EXPECT_EQ(StatusText(3), "BGLs:  18");
  EXPECT_EQ(StatusText(4), " VIS:  14");

  // The root is the VIS file; the Areas follow the VIS order.
  TreeNode root = s.tree.Root();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(s.tree.Label(root), "World.vis");
  std::vector<std::string> areas;
  for (TreeNode n = s.tree.FirstChild(root); n; n = s.tree.Next(n))
    areas.push_back(s.tree.Label(n));
  ASSERT_EQ(areas.size(), 12u);
  // The two Seattle files may come in either order: the folder is listed in the platform's order.
  EXPECT_EQ(std::count(areas.begin(), areas.begin() + 2, "Seattle"), 1);
  EXPECT_EQ(areas.back(), "Hawaii");

  HWND vis_pane = GetDlgItem(Main(), 1005);
  EXPECT_EQ(SendMessageA(vis_pane, LVM_GETITEMCOUNT, 0, 0), 14);
  EXPECT_TRUE(Enabled(IDM_SAVE));

  // Saving the sample set gives the menu BGL, as the user's first save does.
  Command(IDM_SAVE);
  EXPECT_TRUE(s.set.results_saved);
  EXPECT_TRUE(fs->Exists(folder + "\\Scenery\\Menus\\Scenery\\World_MENU.bgl"));
}

}  // namespace
}  // namespace tarnwick::testing
