// The main window driven by messages: start-up, menus, status bar, toolbar, layout, busy state,
// closing and the settings it keeps.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "resource.h"
#include "shell/layout.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

TEST_F(MainWindowTest, FirstStartShowsEmptyPanesBarsAndZeroCounts) {
  Start();
  ASSERT_TRUE(created);
  char title[64] = {};
  GetWindowTextA(Main(), title, sizeof title);
  EXPECT_STREQ(title, "Tarnwick");
  for (int id : {1003, 1004, 1005, 1006, 1007}) EXPECT_NE(GetDlgItem(Main(), id), nullptr) << id;
  char class_name[64] = {};
  GetClassNameA(GetDlgItem(Main(), 1003), class_name, sizeof class_name);
  EXPECT_STREQ(class_name, WC_TREEVIEWA);
  EXPECT_EQ(SendMessageA(GetDlgItem(Main(), 1003), TVM_GETCOUNT, 0, 0), 0);

  const char* expected[] = {"Areas: 0", "Locns: 0", "Menus: 0", "BGLs:  0", " VIS:  0"};
  for (int part = 0; part < 5; ++part) EXPECT_EQ(StatusText(part), expected[part]);
  EXPECT_TRUE(Checked(IDM_TOOL_BAR));
  EXPECT_TRUE(Checked(IDM_STATUS_BAR));
  EXPECT_TRUE(Checked(IDM_MINUTES_SECONDS));
  EXPECT_FALSE(Checked(IDM_FRACTIONAL_MINUTES));
}

TEST_F(MainWindowTest, BeforeASetIsOpenOnlyTheSetIndependentItemsAreEnabled) {
  Start();
  const UINT enabled[] = {101, 105, 109, 110, 143, 144, 161, 162, 164, 165, 182, 183, 184};
  const UINT greyed[] = {102, 103, 104, 106, 107, 108, 111, 121, 122, 123, 124,
                         125, 126, 127, 129, 130, 131, 132, 135, 141, 142};
  for (UINT command : enabled) EXPECT_TRUE(Enabled(command)) << command;
  for (UINT command : greyed) EXPECT_FALSE(Enabled(command)) << command;
}

TEST_F(MainWindowTest, PanesTakeTheirIdentifiersAndStyles) {
  Start();
  struct Case {
    int id;
    LONG style;
  };
  const Case cases[] = {
      {1003, WS_CHILD | WS_VISIBLE | WS_THICKFRAME | TVS_HASBUTTONS | TVS_HASLINES |
                 TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS},
      {1004, 0x5004800D},
      {1005, WS_CHILD | WS_VISIBLE | WS_THICKFRAME | LVS_REPORT | LVS_SINGLESEL |
                 LVS_SHOWSELALWAYS | LVS_NOSORTHEADER},
  };
  for (const Case& c : cases) {
    LONG style = GetWindowLongA(GetDlgItem(Main(), c.id), GWL_STYLE);
    EXPECT_EQ(style & c.style, c.style) << c.id;
  }
  // The columns of the two lists.
  char heading[64] = {};
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT;
  column.pszText = heading;
  column.cchTextMax = sizeof heading;
  const std::pair<int, const char*> headings[] = {{1004, "item  "},
                                                  {1005, "VIS scenery selections"}};
  for (auto [id, text] : headings) {
    SendMessageA(GetDlgItem(Main(), id), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(heading, text);
  }
  SendMessageA(GetDlgItem(Main(), 1005), LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(heading, "Scenery path");
  EXPECT_EQ(SendMessageA(GetDlgItem(Main(), 1005), LVM_GETCOLUMNWIDTH, 0, 0), 20);
}

TEST_F(MainWindowTest, StatusBarPartsFollowTheClientWidth) {
  Start();
  SetClientSize(803, 500);
  int edges[5] = {};
  SendMessageA(GetDlgItem(Main(), 1006), SB_GETPARTS, 5, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[0], 160);
  EXPECT_EQ(edges[1], 320);
  EXPECT_EQ(edges[2], 480);
  EXPECT_EQ(edges[3], 640);
  EXPECT_EQ(edges[4], -1);
}

TEST_F(MainWindowTest, ToolTipsComeFromTheStringTable) {
  Start();
  struct Case {
    UINT command;
    const char* tip;
  };
  const Case cases[] = {{IDM_OPEN, "Open scenery set"},
                        {IDM_FIND, "Search for text in list ..."},
                        {IDM_UNDO, "Undo last edit or rename"},
                        {IDM_CHECK_MENU, "Check menu ..."},
                        {IDM_SHOW_ALL_FIELDS, "Show &additional fields"}};
  for (const Case& c : cases) {
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom =
        reinterpret_cast<HWND>(SendMessageA(GetDlgItem(Main(), 1007), TB_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = c.command;
    info.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(Main(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, c.tip);
  }
}

TEST_F(MainWindowTest, ToolBarHoldsItsButtonsInOrder) {
  Start();
  HWND bar = GetDlgItem(Main(), 1007);
  ASSERT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 28);
  const int commands[28] = {0,   101, 102, 0,   104, 0, 130, 131, 135, 0, 132, 0,   107, 123,
                            108, 124, 0,   125, 126, 0, 141, 142, 143, 0, 164, 165, 0,   182};
  const int images[28] = {0, 7, 8, 0, 14, 0, 16, 17, 18, 0, 15, 0,  0, 1,
                          2, 3, 0, 4, 5,  0, 6,  10, 12, 0, 9,  13, 0, 11};
  for (int i = 0; i < 28; ++i) {
    TBBUTTON button = {};
    SendMessageA(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (commands[i] == 0) {
      EXPECT_TRUE(button.fsStyle & TBSTYLE_SEP) << i;
      continue;
    }
    EXPECT_EQ(button.idCommand, commands[i]) << i;
    EXPECT_EQ(button.iBitmap, images[i]) << i;
    EXPECT_TRUE(button.fsState & TBSTATE_ENABLED) << i;
  }
}

class LayoutTest : public MainWindowTest {
 protected:
  // The layout's numbers for the details pane, from the height of one of its rows.
  DetailsHeights Heights() {
    HWND details = GetDlgItem(Main(), 1004);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<char*>("");
    int row = static_cast<int>(
        SendMessageA(details, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    RECT bounds = {};
    bounds.left = LVIR_BOUNDS;
    SendMessageA(details, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    SendMessageA(details, LVM_DELETEITEM, row, 0);
    return ComputeDetailsHeights(bounds.bottom - bounds.top);
  }
  int BarsHeight() {
    RECT tool = PaneRect(1007);
    RECT status = PaneRect(1006);
    return (tool.bottom - tool.top) + (status.bottom - status.top);
  }
};

TEST_F(LayoutTest, PanesFillTheClientAreaBetweenTheBars) {
  Start();
  RECT first = {};
  GetClientRect(Main(), &first);
  EXPECT_EQ(window->TreeWidth(), first.right / 2) << "half the width at first start";
  SetClientSize(700, 600);
  int split = window->TreeWidth();
  DetailsHeights heights = Heights();
  RECT tree = PaneRect(1003);
  RECT details = PaneRect(1004);
  RECT vis = PaneRect(1005);
  RECT tool = PaneRect(1007);
  int pane_height = 600 - BarsHeight();
  EXPECT_EQ(tree.left, 0);
  EXPECT_EQ(tree.top, tool.bottom - tool.top);
  EXPECT_EQ(tree.right, split);
  EXPECT_EQ(tree.bottom - tree.top, pane_height);
  EXPECT_EQ(details.left, split);
  EXPECT_EQ(details.right, 700);
  EXPECT_EQ(details.top, tree.top);
  EXPECT_EQ(details.bottom - details.top, heights.ten_rows);
  EXPECT_EQ(vis.top, details.bottom);
  EXPECT_EQ(vis.bottom, tree.bottom);
}

TEST_F(LayoutTest, ShortPaneHeightsShrinkTheDetailsPaneFirst) {
  Start();
  SetClientSize(700, 600);
  DetailsHeights heights = Heights();
  struct Case {
    int pane_height;
    int details_height;
  };
  const int h1 = heights.ten_rows + heights.vis_minimum - 10;
  const int h2 = heights.vis_minimum - 6;
  const Case cases[] = {{h1, h1 - heights.vis_minimum}, {h2, h2 / 2}};
  int bars = BarsHeight();
  for (const Case& c : cases) {
    SetClientSize(700, c.pane_height + bars);
    RECT details = PaneRect(1004);
    RECT vis = PaneRect(1005);
    EXPECT_EQ(details.bottom - details.top, c.details_height) << c.pane_height;
    EXPECT_EQ(vis.bottom - vis.top, c.pane_height - c.details_height) << c.pane_height;
  }
}

TEST_F(LayoutTest, ANarrowClientAreaGivesTheTreeAllOfItAndKeepsItNarrow) {
  Start();
  SetClientSize(700, 600);
  SetClientSize(200, 600);
  RECT tree = PaneRect(1003);
  RECT details = PaneRect(1004);
  EXPECT_EQ(tree.right - tree.left, 200);
  // The right-hand panes are given no width (their frames keep a few pixels).
  EXPECT_EQ(details.left, 200);
  SetClientSize(700, 600);
  tree = PaneRect(1003);
  EXPECT_EQ(tree.right - tree.left, 200) << "the tree keeps the reduced width";
  EXPECT_EQ(PaneRect(1004).left, 200);
}

TEST_F(LayoutTest, ToolBarAndStatusBarToggleTwiceAndThePanesFollow) {
  Start();
  SetClientSize(700, 600);
  int full_top = PaneRect(1003).top;
  ASSERT_GT(full_top, 0);
  struct Case {
    UINT command;
    int id;
  };
  for (Case c : {Case{IDM_TOOL_BAR, 1007}, Case{IDM_STATUS_BAR, 1006}}) {
    RECT before = PaneRect(1003);
    Command(c.command);
    EXPECT_EQ(GetDlgItem(Main(), c.id), nullptr) << c.id;
    EXPECT_FALSE(Checked(c.command));
    RECT hidden = PaneRect(1003);
    EXPECT_GT(hidden.bottom - hidden.top, before.bottom - before.top) << c.id;
    Command(c.command);
    EXPECT_NE(GetDlgItem(Main(), c.id), nullptr) << c.id;
    EXPECT_TRUE(Checked(c.command));
    RECT shown = PaneRect(1003);
    EXPECT_EQ(shown.top, before.top) << c.id;
    EXPECT_EQ(shown.bottom, before.bottom) << c.id;
  }
  EXPECT_EQ(StatusText(0), "Areas: 0") << "a re-created status bar shows the counts again";
}

TEST_F(LayoutTest, MovingToAScreenOfTwiceTheDpiScalesTheWindowAndKeepsItsState) {
  Start();
  SetClientSize(400, 280);  // twice that fits the screen
  HWND tree = GetDlgItem(Main(), 1003);
  HWND details = GetDlgItem(Main(), 1004);
  const int dpi = win32::WindowDpi(Main());
  const int item_height = static_cast<int>(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
  const DWORD button =
      static_cast<DWORD>(SendMessageA(GetDlgItem(Main(), 1007), TB_GETBUTTONSIZE, 0, 0));
  const int split = window->TreeWidth();

  RECT outer = {};
  GetWindowRect(Main(), &outer);
  RECT suggested = {outer.left, outer.top, outer.left + 2 * (outer.right - outer.left),
                    outer.top + 2 * (outer.bottom - outer.top)};
  SendMessageA(Main(), WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi),
               reinterpret_cast<LPARAM>(&suggested));
  DrainMessages();

  RECT now = {};
  GetWindowRect(Main(), &now);
  EXPECT_EQ(now.right - now.left, suggested.right - suggested.left) << "the suggested rectangle";
  EXPECT_EQ(SendMessageA(details, LVM_GETCOLUMNWIDTH, 0, 0), ScaleToDpi(20, 2 * dpi));
  EXPECT_GE(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0), 2 * item_height - 2)
      << "pictures and font of twice the size";
  const DWORD larger =
      static_cast<DWORD>(SendMessageA(GetDlgItem(Main(), 1007), TB_GETBUTTONSIZE, 0, 0));
  EXPECT_GT(LOWORD(larger), LOWORD(button));
  EXPECT_NEAR(window->TreeWidth(), 2 * split, 4) << "the split keeps its place";
  EXPECT_EQ(StatusText(4), " VIS:  0") << "a re-made status bar keeps its counts";
  EXPECT_EQ(window->Scale().Dpi(), 2 * dpi);

  // The settings file keeps 96-dpi sizes: the window written at twice the dpi reads as before.
  SendMessageA(Main(), WM_CLOSE, 0, 0);
  std::string stored = Setting("MainWindow");
  int left = 0, top = 0, right = 0, bottom = 0;
  ASSERT_EQ(sscanf(stored.c_str(), "[%d,%d,%d,%d]", &left, &top, &right, &bottom), 4) << stored;
  EXPECT_NEAR(right - left, ScaleFromDpi(now.right - now.left, 2 * dpi), 1) << stored;
}

TEST_F(MainWindowTest, ACommandWhileBusyBeepsAndDoesNothing) {
  Start();
  window->GetHost().OpenProgressBox("Working");
  Command(IDM_STATUS_BAR);
  EXPECT_NE(GetDlgItem(Main(), 1006), nullptr);
  ASSERT_EQ(questions.beeps.size(), 1u);
  EXPECT_EQ(questions.beeps[0], static_cast<UINT>(MB_ICONEXCLAMATION));
  window->GetHost().CloseProgressBox();
  Command(IDM_STATUS_BAR);
  EXPECT_EQ(GetDlgItem(Main(), 1006), nullptr);
}

TEST_F(MainWindowTest, UnknownCommandNumbersAreIgnored) {
  Start();
  for (WPARAM number : {WPARAM{100}, WPARAM{112}, WPARAM{305}, MAKEWPARAM(IDM_STATUS_BAR, 1)}) {
    SendMessageA(Main(), WM_COMMAND, number, 0);
  }
  EXPECT_NE(GetDlgItem(Main(), 1006), nullptr);
  EXPECT_TRUE(questions.beeps.empty());
}

TEST_F(MainWindowTest, CloseAsksOnlyWithUnsavedResultsAndConfirmationsOn) {
  struct Case {
    const char* confirmations;
    bool unsaved;
    int answer;
    bool asked;
    bool closed;
  };
  const Case cases[] = {
      {"Yes", true, IDNO, true, false},
      {"Yes", true, IDYES, true, true},
      {"No", true, IDNO, false, true},
      {"Yes", false, IDNO, false, true},
  };
  for (const Case& c : cases) {
    WriteSetting("Confirmations", c.confirmations);
    questions = ScriptedQuestions();
    questions.answers = {c.answer};
    Start();
    Session& s = window->GetSession();
    s.set.loaded = true;
    s.set.results_saved = !c.unsaved;
    if (c.unsaved) {
      // An edit the history keeps.
      s.tree_state.history.BeginWholeTree(s.tree, s.set, EditKind::kImport);
      s.tree_state.history.End(s.tree, s.set);
    }
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(!questions.boxes.empty(), c.asked) << c.confirmations << c.unsaved;
    if (!questions.boxes.empty()) {
      EXPECT_EQ(questions.boxes[0].text, "Terminate session without saving any results?");
      EXPECT_EQ(questions.boxes[0].caption, "Tarnwick Confirmation");
      EXPECT_EQ(questions.boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
    }
    EXPECT_EQ(window->Window() == nullptr, c.closed) << c.confirmations << c.unsaved;
    window.reset();
    DrainMessages();
  }
}

TEST_F(MainWindowTest, TheClosePathRefusesWhileBusyButNotOnceCancelled) {
  Start();
  window->GetHost().OpenProgressBox("Working");
  SendMessageA(Main(), WM_CLOSE, 0, 0);
  EXPECT_NE(window->Window(), nullptr);
  EXPECT_EQ(questions.beeps.size(), 1u);
  HWND progress = window->GetHost().ProgressWindow();
  ASSERT_NE(progress, nullptr);
  SendMessageA(progress, WM_COMMAND, MAKEWPARAM(201, BN_CLICKED), 0);
  EXPECT_EQ(window->GetHost().GetBusyState(), BusyState::kCancelled);
  SendMessageA(Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(window->Window(), nullptr);
}

TEST_F(MainWindowTest, SettingsAreWrittenOnCloseAndReadAtTheNextStart) {
  Start();
  Command(IDM_SHOW_ALL_FIELDS);
  Command(IDM_FRACTIONAL_MINUTES);
  Command(IDM_TOOL_BAR);
  SetWindowPos(Main(), nullptr, 40, 30, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
  Command(IDM_EXIT_WITHOUT_SAVING);
  EXPECT_EQ(window->Window(), nullptr);
  DrainMessages();

  EXPECT_EQ(Setting("ShowAllFields"), "Yes");
  EXPECT_EQ(Setting("FractionalMinutes"), "Yes");
  EXPECT_EQ(Setting("ToolBar"), "No");
  EXPECT_EQ(Setting("StatusBar"), "Yes");
  EXPECT_EQ(Setting("Confirmations"), "Yes");
  EXPECT_EQ(Setting("Logging"), "No");
  EXPECT_EQ(Setting("MainWindow"), "[40,30,640,480]");

  Start();
  EXPECT_TRUE(Checked(IDM_SHOW_ALL_FIELDS));
  EXPECT_TRUE(Checked(IDM_FRACTIONAL_MINUTES));
  EXPECT_FALSE(Checked(IDM_MINUTES_SECONDS));
  EXPECT_FALSE(Checked(IDM_TOOL_BAR));
  EXPECT_EQ(GetDlgItem(Main(), 1007), nullptr);
  RECT placed = {};
  GetWindowRect(Main(), &placed);
  EXPECT_EQ(placed.left, 40);
  EXPECT_EQ(placed.top, 30);
  EXPECT_EQ(placed.right - placed.left, 640);
  EXPECT_EQ(placed.bottom - placed.top, 480);
  // With the additional fields the details pane asks for five more rows.
  LVITEMA item = {};
  item.pszText = const_cast<char*>("");
  item.mask = LVIF_TEXT;
  HWND details = GetDlgItem(Main(), 1004);
  SendMessageA(details, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  RECT row = {};
  row.left = LVIR_BOUNDS;
  SendMessageA(details, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  RECT pane = PaneRect(1004);
  EXPECT_EQ(pane.bottom - pane.top, ComputeDetailsHeights(row.bottom - row.top).fifteen_rows);
}

TEST_F(MainWindowTest, AStoredTreeWidthIsClippedToTheClientArea) {
  int screen = GetSystemMetrics(SM_CXSCREEN);
  WriteSetting("MainWindow", "[0,0,400,400]");
  std::string tree = "[0,0," + std::to_string(screen - 10) + ",300]";
  WriteSetting("Tree", tree.c_str());
  Start();
  RECT client = {};
  GetClientRect(Main(), &client);
  ASSERT_LT(client.right, screen - 10);
  EXPECT_EQ(PaneRect(1003).right, client.right);
  EXPECT_EQ(window->TreeWidth(), client.right);
}

TEST_F(MainWindowTest, KeysOfTheMessageLoop) {
  Start();
  HWND tree = GetDlgItem(Main(), 1003);
  BYTE keys[256] = {};
  auto key_down = [&](HWND target, WPARAM key, bool shift, bool ctrl) {
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG message = {};
    message.hwnd = target;
    message.message = WM_KEYDOWN;
    message.wParam = key;
    return window->PreTranslate(message);
  };
  SetFocus(tree);
  EXPECT_TRUE(key_down(tree, VK_TAB, false, false));
  EXPECT_EQ(GetFocus(), GetDlgItem(Main(), 1004));
  EXPECT_TRUE(key_down(tree, VK_TAB, true, false));
  EXPECT_EQ(GetFocus(), GetDlgItem(Main(), 1005));
  EXPECT_FALSE(key_down(GetDlgItem(Main(), 1005), VK_TAB, false, false))
      << "Tab elsewhere goes to its window";
  // Without a menu F3 and Ctrl+F are swallowed; F alone reaches the focused window.
  EXPECT_TRUE(key_down(tree, VK_F3, false, false));
  EXPECT_TRUE(key_down(tree, 'F', false, true));
  EXPECT_FALSE(key_down(tree, 'F', false, false));
  key_down(tree, 'A', false, false);  // leaves the modifier keys up again
}

// Counts the dialog boxes made on this thread while it lives.
class DialogCounter {
 public:
  DialogCounter() {
    count_ = 0;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~DialogCounter() { UnhookWindowsHookEx(hook_); }
  int Count() const { return count_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
      auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lparam);
      if (create->lpcs->lpszClass == WC_DIALOG) ++count_;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  static inline int count_ = 0;
  HHOOK hook_;
};

TEST_F(MainWindowTest, ClosingASetReplacesTheTreePaneWithAWaitBoxAbove256Items) {
  for (int items : {256, 257}) {
    Start();
    auto& s = window->GetSession();
    TreeNode root = s.tree.Insert(nullptr, nullptr, "World.vis", 0);
    TreeNode after = nullptr;
    for (int i = 1; i < items; ++i) {
      after = s.tree.Insert(root, after, "Area", MakeTreeItemData(NodeKind::kArea, i));
    }
    s.set.tree_root = root;
    s.set.last_area = after;
    s.set.loaded = true;
    HWND old_pane = GetDlgItem(Main(), 1003);
    ASSERT_EQ(SendMessageA(old_pane, TVM_GETCOUNT, 0, 0), items);
    DialogCounter dialogs;
    Command(IDM_CLOSE_SET);
    EXPECT_EQ(dialogs.Count(), items > 256 ? 1 : 0) << items;
    EXPECT_FALSE(IsWindow(old_pane));
    HWND new_pane = GetDlgItem(Main(), 1003);
    ASSERT_NE(new_pane, nullptr);
    EXPECT_EQ(SendMessageA(new_pane, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(IsWindowEnabled(Main()));
    EXPECT_FALSE(s.set.loaded);
    EXPECT_FALSE(Enabled(IDM_SAVE));
    // The tree's width is kept for the next pane.
    EXPECT_EQ(Setting("Tree"), "[0,0," + std::to_string(window->TreeWidth()) + "," +
                                   std::to_string(PaneRect(1003).bottom - PaneRect(1003).top) +
                                   "]");
    window.reset();
    DrainMessages();
  }
}
}  // namespace
}  // namespace tarnwick::testing
