// The VIS selections pane in the main window: its rows from a VIS file read for its selections.
#include <gtest/gtest.h>

#include "resource.h"
#include "scenery/vis_file.h"
#include "support/vis_builder.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

std::string ItemText(HWND list, int row, int column) {
  char text[300] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

TEST_F(MainWindowTest, ChangeVisSelectionsReadsTheFileWithoutLoadingASet) {
  dir.Write("FS98/Scenery/World.vis", VisBuilder()
                                          .Entry(1, "=:\\=\\Scenery\\area1\\*.bgl", "Area One")
                                          .Entry(0, "D:\\Addon\\scenery\\*.BGL", "Addon")
                                          .Build());
  Start();
  ShowWindow(Main(), SW_SHOW);
  questions.chosen_files = {Path("FS98\\Scenery\\World.vis")};
  Command(IDM_CHANGE_VIS);

  HWND list = GetDlgItem(Main(), 1005);
  ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(ItemText(list, 0, 1), "Area One");
  EXPECT_EQ(ItemText(list, 1, 1), "Addon");
  EXPECT_EQ(ItemText(list, 1, 2),
            ExpandVisPath(HostRoot(Path("FS98\\Scenery\\World.vis")), "D:\\Addon\\scenery\\*.BGL"));
  LVITEMA item = {};
  item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
  item.stateMask = LVIS_SELECTED;
  for (int row = 0; row < 2; ++row) {
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, row == 0 ? 1 : 0) << "a green tick for an active entry";
    EXPECT_EQ(item.lParam, row + 1) << "rows carry their entry's number";
    EXPECT_EQ((item.state & LVIS_SELECTED) != 0, row == 0);
  }
  EXPECT_EQ(GetFocus(), list);
  EXPECT_FALSE(window->GetSession().set.loaded);
  EXPECT_FALSE(Enabled(IDM_SAVE));
  EXPECT_EQ(Setting("VISfile"), "World.vis");

  // A cancelled choice closes what was read.
  Command(IDM_CLOSE_SET);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
  questions.chosen_files = {std::nullopt};
  Command(IDM_CHANGE_VIS);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

}  // namespace
}  // namespace tarnwick::testing
