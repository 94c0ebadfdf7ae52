// The VIS selections pane in the main window: its rows from a VIS file read for its selections.
#include <gtest/gtest.h>

#include "platform/win32/ui/list_view.h"
#include "resource.h"
#include "scenery/vis_file.h"
#include "support/scenery_on_disk.h"
#include "support/vis_builder.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

using win32::ListItemText;

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
  EXPECT_EQ(ListItemText(list, 0, 1), "Area One");
  EXPECT_EQ(ListItemText(list, 1, 1), "Addon");
  EXPECT_EQ(ListItemText(list, 1, 2),
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

class VisSelectionsTest : public MainWindowTest {
 protected:
  // Entries: active, inactive, protected and active; read for their selections only.
  void StartWithVisFile() {
    dir.Write("FS98/Scenery/World.vis", VisBuilder()
                                            .Entry(1, "=:\\=\\Scenery\\one\\*.bgl", "One")
                                            .Entry(0, "=:\\=\\Scenery\\two\\*.bgl", "Two")
                                            .Entry(3, "=:\\=\\Scenery\\three\\*.bgl", "Three")
                                            .Build());
    Start();
    ShowWindow(Main(), SW_SHOW);
    questions.chosen_files = {Path("FS98\\Scenery\\World.vis")};
    Command(IDM_CHANGE_VIS);
    list = GetDlgItem(Main(), 1005);
  }
  void Select(int row) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  }
  void PressEnter() {
    NMLVKEYDOWN key = {};
    key.hdr.hwndFrom = list;
    key.hdr.idFrom = 1005;
    key.hdr.code = LVN_KEYDOWN;
    key.wVKey = VK_RETURN;
    SendMessageA(Main(), WM_NOTIFY, 1005, reinterpret_cast<LPARAM>(&key));
  }
  int Picture(int row) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
  }
  std::vector<uint8_t> StoredFlags() {
    std::vector<uint8_t> flags;
    for (const auto& entry : ReadVisEntries(dir.Read("FS98/Scenery/World.vis"))) {
      flags.push_back(entry.flags);
    }
    return flags;
  }

  HWND list = nullptr;
};

TEST_F(VisSelectionsTest, EnterSwitchesAnEntryAndProtectedEntriesRefuse) {
  StartWithVisFile();
  Select(1);
  PressEnter();
  EXPECT_EQ(Picture(1), 1);
  Select(2);
  PressEnter();
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].text, "This VIS entry is protected");
  EXPECT_EQ(questions.boxes[0].caption, "Tarnwick");
  EXPECT_EQ(Picture(2), 1) << "a protected entry keeps its state";
  EXPECT_EQ(StoredFlags(), (std::vector<uint8_t>{1, 0, 3})) << "nothing is written yet";
}

TEST_F(VisSelectionsTest, SwitchingTwiceAsksNothingWhenLeaving) {
  StartWithVisFile();
  Select(0);
  PressEnter();
  PressEnter();
  SendMessageA(Main(), win32::kVisCommitMessage, 0, 0);
  EXPECT_TRUE(questions.boxes.empty());
}

TEST_F(VisSelectionsTest, TheCommitQuestionWritesRevertsOrKeepsTheSwitches) {
  StartWithVisFile();
  Select(0);
  PressEnter();
  questions.answers = {IDCANCEL, IDNO};
  SendMessageA(Main(), win32::kVisCommitMessage, 0, 0);
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].text, "Do you want to save the VIS file changes?");
  EXPECT_EQ(questions.boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONWARNING));
  EXPECT_EQ(Picture(0), 0) << "Cancel keeps the switch pending";
  SendMessageA(Main(), win32::kVisCommitMessage, 0, 0);
  EXPECT_EQ(Picture(0), 1) << "No puts the picture back";
  EXPECT_EQ(StoredFlags(), (std::vector<uint8_t>{1, 0, 3}));

  Select(1);
  PressEnter();
  questions.answers = {IDYES};
  Command(IDM_UPDATE_VIS);
  EXPECT_EQ(StoredFlags(), (std::vector<uint8_t>{1, 1, 3}));
  EXPECT_EQ(GetFocus(), list);
  DrainMessages();  // the focus moved while the menus were switched
  SendMessageA(Main(), win32::kVisCommitMessage, 0, 0);
  EXPECT_EQ(questions.boxes.size(), 3u) << "asked once, and nothing is pending after the write";
}

TEST_F(VisSelectionsTest, TheProtectedBoxIsNoLeavingOfThePane) {
  StartWithVisFile();
  Select(0);
  PressEnter();  // a switch is pending
  SetFocus(list);
  HWND elsewhere = Main();
  questions.while_asking = [elsewhere] { SetFocus(elsewhere); };
  Select(2);
  PressEnter();
  DrainMessages();
  ASSERT_EQ(questions.boxes.size(), 1u) << "no commit question on top of the box";
  EXPECT_EQ(questions.boxes[0].text, "This VIS entry is protected");
  EXPECT_EQ(GetFocus(), list);
  EXPECT_EQ(Picture(0), 0) << "the pending switch stays";
}

TEST_F(VisSelectionsTest, AClickOnATitleOrPathSelectsTheRow) {
  StartWithVisFile();
  SetFocus(list);
  for (int column : {1, 2}) {
    RECT cell = {};
    cell.top = column;
    cell.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&cell));
    LPARAM at = MAKELPARAM(cell.left + 10, (cell.top + cell.bottom) / 2);
    Select(0);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    DrainMessages();
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 1) << column;
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 1) << column;
  }
  // Enter then switches the row clicked.
  PressEnter();
  EXPECT_EQ(Picture(1), 1);
}

}  // namespace
}  // namespace tarnwick::testing
