// The tree pane in the main window: its pictures and marks, its commands and notifications, the
// search dialog, and the check marks of automatic expansion.
#include "tree/win32/tree_pane.h"

#include <gtest/gtest.h>

#include "resource.h"
#include "scenery/insert_tree_item.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

class TreePaneTest : public MainWindowTest {
 protected:
  // World.vis with Area "Alpha" (Locations "Heathrow", "Gatwick") and Area "Bravo" ("Cabot").
  void StartWithMenu() {
    Start();
    ShowWindow(Main(), SW_SHOW);
    Session& s = window->GetSession();
    root = InsertTreeItem(s, nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
    alpha = InsertTreeItem(s, root, nullptr, "Alpha", NodeKind::kArea, 1);
    heathrow = InsertTreeItem(s, alpha, nullptr, "Heathrow", NodeKind::kLocation, 1);
    gatwick = InsertTreeItem(s, alpha, heathrow, "Gatwick", NodeKind::kLocation, 2);
    bravo = InsertTreeItem(s, root, alpha, "Bravo", NodeKind::kArea, 2);
    cabot = InsertTreeItem(s, bravo, nullptr, "Cabot", NodeKind::kLocation, 3);
    s.set.tree_root = root;
    s.set.last_area = bravo;
    s.set.loaded = true;
    s.set.results_saved = true;
    window->UpdateMenuState();
  }
  MenuTree& Tree() { return window->GetSession().tree; }
  HWND TreeWindow() { return GetDlgItem(Main(), 1003); }
  std::vector<std::string> Labels(TreeNode parent) {
    std::vector<std::string> labels;
    for (TreeNode n = Tree().FirstChild(parent); n; n = Tree().Next(n)) {
      labels.push_back(Tree().Label(n));
    }
    return labels;
  }
  bool PopupChecked(HMENU menu, UINT command) {
    return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }

  TreeNode root = nullptr, alpha = nullptr, heathrow = nullptr, gatwick = nullptr, bravo = nullptr,
           cabot = nullptr;
};

TEST_F(TreePaneTest, PicturesComeFromTheSixBitmaps) {
  StartWithMenu();
  auto list =
      reinterpret_cast<HIMAGELIST>(SendMessageA(TreeWindow(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list), 6);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list, &cx, &cy);
  EXPECT_EQ(cx, 16);
  EXPECT_EQ(cy, 16);
}

// The colour of one pixel of a picture of the tree's image list, as the control draws it.
COLORREF PicturePixel(HIMAGELIST list, int index, int x, int y) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = -16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
  GdiFlush();
  DWORD pixel = static_cast<DWORD*>(bits)[y * 16 + x];
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

TEST_F(TreePaneTest, AMarkedLocationShowsRedRunwaysOnYellow) {
  StartWithMenu();
  auto list =
      reinterpret_cast<HIMAGELIST>(SendMessageA(TreeWindow(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
  ASSERT_NE(list, nullptr);
  // (7, 7) lies where the runways cross, (7, 0) beside them.
  EXPECT_EQ(PicturePixel(list, 2, 7, 7), RGB(0, 0, 0)) << "a Location: black runways";
  EXPECT_EQ(PicturePixel(list, 2, 7, 0), RGB(255, 255, 255));
  COLORREF runway = PicturePixel(list, 5, 7, 7);
  EXPECT_GT(GetRValue(runway), 180) << "a marked Location: red runways";
  EXPECT_LT(GetGValue(runway), 60);
  EXPECT_LT(GetBValue(runway), 60);
  EXPECT_EQ(PicturePixel(list, 5, 7, 0), RGB(255, 255, 0)) << "on yellow";
}

TEST_F(TreePaneTest, WithAMenuTheEditItemsAreEnabled) {
  StartWithMenu();
  for (UINT command :
       {102, 103, 104, 106, 107, 108, 121, 122, 123, 124, 125, 126, 127, 129, 130, 141, 142}) {
    EXPECT_TRUE(Enabled(command)) << command;
  }
  EXPECT_FALSE(Enabled(IDM_FIND_NEXT)) << "no search yet";
  EXPECT_FALSE(Enabled(IDM_RESTORE));
}

TEST_F(TreePaneTest, SelectingAnAreaMarksItWithItsLocations) {
  StartWithMenu();
  Tree().Select(heathrow);
  Tree().Select(alpha);
  for (TreeNode n : {alpha, heathrow, gatwick}) EXPECT_TRUE(Tree().Marked(n));
  for (TreeNode n : {root, bravo, cabot}) EXPECT_FALSE(Tree().Marked(n));
  Tree().Select(cabot);
  EXPECT_TRUE(Tree().Marked(cabot));
  EXPECT_FALSE(Tree().Marked(alpha));
}

TEST_F(TreePaneTest, CommandsEditTheTree) {
  StartWithMenu();
  Tree().Select(alpha);
  Command(IDM_SORT_LOCATIONS);
  EXPECT_EQ(Labels(alpha), (std::vector<std::string>{"Gatwick", "Heathrow"}));

  questions.answers = {IDYES};
  Tree().Select(cabot);
  Command(IDM_DELETE_ENTRY);
  EXPECT_EQ(Labels(bravo), std::vector<std::string>{});
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].text, "Proceed to delete item and any attachments?");
  EXPECT_FALSE(window->GetSession().set.results_saved);

  Tree().Select(bravo);
  Command(IDM_NEW_AREA);
  std::vector<std::string> areas = Labels(root);
  EXPECT_EQ(areas.size(), 3u);
  EXPECT_NE(std::find(areas.begin(), areas.end(), "NEW ENTRY"), areas.end());
  EXPECT_EQ(Tree().Label(Tree().Selected()), "NEW ENTRY") << "the new entry is selected";
}

TEST_F(TreePaneTest, ARenameKeepsTheKindsLengthAndCanBeUndone) {
  StartWithMenu();
  Tree().Select(heathrow);
  NMTVDISPINFOA edit = {};
  edit.hdr.hwndFrom = TreeWindow();
  edit.hdr.idFrom = 1003;
  edit.hdr.code = TVN_BEGINLABELEDITA;
  edit.item.hItem = ItemOf(heathrow);
  EXPECT_EQ(SendMessageA(Main(), WM_NOTIFY, 1003, reinterpret_cast<LPARAM>(&edit)), FALSE);
  std::string typed(50, 'x');
  edit.hdr.code = TVN_ENDLABELEDITA;
  edit.item.pszText = typed.data();
  EXPECT_EQ(SendMessageA(Main(), WM_NOTIFY, 1003, reinterpret_cast<LPARAM>(&edit)), FALSE);
  EXPECT_EQ(Tree().Label(heathrow), std::string(40, 'x'));
  EXPECT_FALSE(window->GetSession().set.results_saved);

  // The root cannot be renamed.
  edit.hdr.code = TVN_BEGINLABELEDITA;
  edit.item.hItem = ItemOf(root);
  EXPECT_EQ(SendMessageA(Main(), WM_NOTIFY, 1003, reinterpret_cast<LPARAM>(&edit)), TRUE);

  SetFocus(TreeWindow());
  EXPECT_TRUE(Enabled(IDM_UNDO));
  Command(IDM_UNDO);
  EXPECT_EQ(Tree().Label(heathrow), "Heathrow");
}

TEST_F(TreePaneTest, ExpansionCommandsKeepTheAutoExpandMarksInEveryMenu) {
  StartWithMenu();
  auto* pane = window->GetTreePane();
  ASSERT_NE(pane, nullptr);
  Command(IDM_AUTO_EXPAND);
  EXPECT_TRUE(Checked(IDM_AUTO_EXPAND));
  EXPECT_TRUE(PopupChecked(pane->ItemMenu(), IDM_AUTO_EXPAND));
  EXPECT_TRUE(PopupChecked(pane->SpaceMenu(), IDM_AUTO_EXPAND));
  Command(IDM_EXPAND_ALL);
  EXPECT_FALSE(Checked(IDM_AUTO_EXPAND));
  EXPECT_FALSE(PopupChecked(pane->ItemMenu(), IDM_AUTO_EXPAND));
  EXPECT_FALSE(PopupChecked(pane->SpaceMenu(), IDM_AUTO_EXPAND));
  EXPECT_TRUE(window->GetOptions().expand_initially);
  EXPECT_TRUE(Tree().Expanded(alpha));
  EXPECT_TRUE(Tree().Expanded(bravo));
  Tree().Select(gatwick);
  Command(IDM_COLLAPSE_ALL);
  EXPECT_FALSE(Tree().Expanded(alpha));
  EXPECT_EQ(Tree().Selected(), alpha);
}

TEST_F(TreePaneTest, ASelectionMovedByCollapsingGetsItsMarks) {
  StartWithMenu();
  // The control moves its selection from a Location to its collapsing Area without a word.
  Command(IDM_EXPAND_ALL);
  Tree().Select(gatwick);
  ASSERT_TRUE(Tree().Marked(gatwick));
  ASSERT_FALSE(Tree().Marked(heathrow));
  Command(IDM_COLLAPSE_ALL);
  EXPECT_EQ(Tree().Selected(), alpha);
  for (TreeNode n : {alpha, heathrow, gatwick}) EXPECT_TRUE(Tree().Marked(n));
  for (TreeNode n : {root, bravo, cabot}) EXPECT_FALSE(Tree().Marked(n));

  Command(IDM_EXPAND_ALL);
  Tree().Select(cabot);
  Command(IDM_AUTO_EXPAND);
  EXPECT_EQ(Tree().Selected(), bravo);
  for (TreeNode n : {bravo, cabot}) EXPECT_TRUE(Tree().Marked(n));
  for (TreeNode n : {root, alpha, heathrow, gatwick}) EXPECT_FALSE(Tree().Marked(n));
  EXPECT_TRUE(Tree().Expanded(bravo));
  EXPECT_FALSE(Tree().Expanded(alpha));
}

TEST_F(TreePaneTest, CtrlFOpensTheSearchDialogAndSearchSelectsTheFind) {
  StartWithMenu();
  Tree().Select(root);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG message = {TreeWindow(), WM_KEYDOWN, 'F', 0, 0, {}};
  EXPECT_TRUE(window->PreTranslate(message));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);

  HWND dialog = window->SearchWindow();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowEnabled(Main()));
  char caption[64] = {};
  GetWindowTextA(dialog, caption, sizeof caption);
  EXPECT_STREQ(caption, "Search scenery list text");
  EXPECT_EQ(IsDlgButtonChecked(dialog, 1009), BST_CHECKED);
  SetDlgItemTextA(dialog, 1008, "ab");
  CheckDlgButton(dialog, 1011, BST_UNCHECKED);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(window->SearchWindow(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(Main()));
  EXPECT_FALSE(window->GetOptions().search_partial) << "the dialog's options are kept";
  DrainMessages();  // the posted Find next
  EXPECT_EQ(Tree().Selected(), cabot);
  EXPECT_TRUE(Enabled(IDM_FIND_NEXT));
}

TEST_F(TreePaneTest, CancelInTheSearchDialogKeepsItsOptionsAndSearchesNothing) {
  StartWithMenu();
  Tree().Select(root);
  Command(IDM_FIND);
  HWND dialog = window->SearchWindow();
  ASSERT_NE(dialog, nullptr);
  SetDlgItemTextA(dialog, 1008, "Cabot");
  CheckDlgButton(dialog, 1009, BST_UNCHECKED);
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  DrainMessages();
  EXPECT_EQ(window->SearchWindow(), nullptr);
  EXPECT_FALSE(window->GetOptions().search_wrap);
  EXPECT_EQ(Tree().Selected(), root);
  EXPECT_FALSE(Enabled(IDM_FIND_NEXT));
}

TEST_F(TreePaneTest, MergeIntoListsTheOtherAreasAndMergesIntoTheOneChosen) {
  StartWithMenu();
  Session& s = window->GetSession();
  TreeNode charlie = InsertTreeItem(s, root, bravo, "Charlie", NodeKind::kArea, 3);
  std::vector<std::string> listed;
  questions.on_dialog = [&](HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_MERGE_LIST);
    listed.clear();
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[64] = {};
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      listed.emplace_back(text);
    }
    SendMessageA(list, LB_SETCURSEL, 1, 0);
  };

  Tree().Select(cabot);
  Command(IDM_MERGE_INTO);
  EXPECT_TRUE(questions.dialogs.empty()) << "a Location is not merged";
  EXPECT_EQ(questions.beeps.size(), 1u);

  Tree().Select(alpha);
  questions.dialog_answers["MergeIntoBox"] = IDCANCEL;
  Command(IDM_MERGE_INTO);
  EXPECT_EQ(listed, (std::vector<std::string>{"Bravo", "Charlie"}));
  EXPECT_EQ(Labels(root), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
  EXPECT_TRUE(questions.boxes.empty());

  questions.dialog_answers.erase("MergeIntoBox");
  questions.answers = {IDYES};
  Command(IDM_MERGE_INTO);
  EXPECT_EQ(Labels(root), (std::vector<std::string>{"Bravo", "Charlie"}));
  EXPECT_EQ(Labels(charlie), (std::vector<std::string>{"Heathrow", "Gatwick"}));
  EXPECT_EQ(Tree().Selected(), charlie);
  EXPECT_FALSE(s.set.results_saved);

  Command(IDM_UNDO);
  EXPECT_EQ(Labels(root), (std::vector<std::string>{"Alpha", "Bravo", "Charlie"}));
}

TEST_F(TreePaneTest, CtrlXAndCtrlVMoveTheMarkedItemsAfterTheSelection) {
  StartWithMenu();
  Tree().Select(heathrow);
  SetFocus(TreeWindow());
  auto ctrl_key = [&](WPARAM key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG message = {};
    message.hwnd = TreeWindow();
    message.message = WM_KEYDOWN;
    message.wParam = key;
    EXPECT_TRUE(window->PreTranslate(message));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  };
  ctrl_key('X');
  EXPECT_EQ(Labels(alpha), (std::vector<std::string>{"Heathrow", "Gatwick"}));
  Tree().Select(cabot);
  ctrl_key('V');
  EXPECT_EQ(Labels(alpha), std::vector<std::string>{"Gatwick"});
  EXPECT_EQ(Labels(bravo), (std::vector<std::string>{"Cabot", "Heathrow"}));
  EXPECT_EQ(Tree().Label(Tree().Selected()), "Heathrow");
  Command(IDM_UNDO);
  EXPECT_EQ(Labels(alpha), (std::vector<std::string>{"Heathrow", "Gatwick"}));
  EXPECT_EQ(Labels(bravo), std::vector<std::string>{"Cabot"});
}

}  // namespace
}  // namespace tarnwick::testing
