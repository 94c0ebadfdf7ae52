// The menu check's list in the real main window, on a scenery set written to disk.
#include <gtest/gtest.h>

#include "platform/win32/ui/list_view.h"
#include "resource.h"
#include "support/menu_builder.h"
#include "support/scenery_on_disk.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

BglArea MakeArea(const std::string& title, std::vector<BglLocn> locations) {
  BglArea area;
  area.title = title;
  area.locations = std::move(locations);
  return area;
}

BglLocn At(const std::string& description, double latitude, double longitude, double heading) {
  BglLocn locn;
  locn.description = description;
  locn.fields = Locn(latitude, longitude, 100, heading);
  return locn;
}

class CheckDialogTest : public MainWindowTest {
 protected:
  void SetUp() override {
    BglFile first;
    first.areas = {MakeArea("Chicago", {At("Rwy 27", 41.98, -87.90, 270)}),
                   MakeArea("Chicago O'Hare International", {At("Gate", 41.97, -87.90, 90)})};
    BglFile second;
    second.areas = {MakeArea("CHICAGO", {At("Runway 27", 41.98, -87.9005, 272)})};
    disk.AddFolder("First", {{"first.bgl", first}});
    disk.AddFolder("Second", {{"second.bgl", second}});
    disk.WriteVis();
    Start();
    questions.chosen_files = {disk.vis_path};
    Command(IDM_OPEN);
    DrainMessages();
  }

  // "kind|Area|Location" per row.
  std::vector<std::string> Rows(HWND list) const {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
      rows.push_back(win32::ListItemText(list, row, 0) + "|" + win32::ListItemText(list, row, 1) +
                     "|" + win32::ListItemText(list, row, 2));
    }
    return rows;
  }
  std::string Summary() const {
    char text[200] = {};
    GetDlgItemTextA(window->CheckWindow(), IDC_CHECK_SUMMARY, text, sizeof text);
    return text;
  }

  SceneryOnDisk disk;
};

TEST_F(CheckDialogTest, ListsEveryItemAndADoubleClickSelectsItInTheTree) {
  ASSERT_TRUE(Enabled(IDM_CHECK_MENU));
  Command(IDM_CHECK_MENU);
  ASSERT_NE(window->GetCheckDialog(), nullptr);
  HWND list = window->GetCheckDialog()->List();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Rows(list), (std::vector<std::string>{
                            "duplicate-area|Chicago|",
                            "duplicate-area|CHICAGO|",
                            "duplicate-location|Chicago|Rwy 27",
                            "duplicate-location|CHICAGO|Runway 27",
                            "long-title|Chicago O'Hare International|",
                        }));
  EXPECT_EQ(win32::ListItemText(list, 4, 3), "saved as \"Chicago O'Hare Inter\" (28 characters)");
  EXPECT_EQ(Summary(), "3 problems found. Double-click a row to show its item in the tree.");
  // The main window stays usable beside the list.
  EXPECT_TRUE(IsWindowEnabled(Main()));

  // A double click on the fourth row: the second add-on's runway, in its folded Area.
  RECT rect = {};
  rect.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rect)));
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON,
               MAKELPARAM(rect.left + 20, (rect.top + rect.bottom) / 2));
  DrainMessages();
  win32::TreeViewMenuTree& tree = window->Tree();
  ASSERT_NE(tree.Selected(), nullptr);
  EXPECT_EQ(tree.Label(tree.Selected()), "Runway 27");
  EXPECT_EQ(tree.Label(tree.Parent(tree.Selected())), "CHICAGO");
  EXPECT_TRUE(tree.IsShown(tree.Selected()));

  // Mark all: both Chicago Areas with their Locations and the long title's Area with its Gate.
  SendMessageA(window->CheckWindow(), WM_COMMAND, IDC_CHECK_MARK_ALL, 0);
  std::string marked;
  for (TreeNode a = tree.FirstChild(tree.Root()); a != nullptr; a = tree.Next(a)) {
    if (tree.Marked(a)) marked += tree.Label(a) + ";";
    for (TreeNode l = tree.FirstChild(a); l != nullptr; l = tree.Next(l)) {
      if (tree.Marked(l)) marked += tree.Label(l) + ";";
    }
  }
  EXPECT_EQ(marked, "Chicago;Rwy 27;Chicago O'Hare International;Gate;CHICAGO;Runway 27;");
}

TEST_F(CheckDialogTest, FollowsEditsAndSaysWhenNothingIsFound) {
  Command(IDM_CHECK_MENU);
  ASSERT_NE(window->GetCheckDialog(), nullptr);
  HWND list = window->GetCheckDialog()->List();
  win32::TreeViewMenuTree& tree = window->Tree();

  // Renames as the tree pane makes them; the list's timer looks again.
  tree.SetLabel(FindLabel(tree, "Chicago O'Hare International"), "O'Hare");
  SendMessageA(window->CheckWindow(), WM_TIMER, 1, 0);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);
  tree.SetLabel(FindLabel(tree, "CHICAGO"), "Midway");
  tree.Remove(FindLabel(tree, "Runway 27"));
  SendMessageA(window->CheckWindow(), WM_TIMER, 1, 0);
  // Midway is now empty, which the saved menu would leave out.
  EXPECT_EQ(Rows(list), std::vector<std::string>{"empty-area|Midway|"});
  tree.Remove(FindLabel(tree, "Midway"));
  SendMessageA(window->CheckWindow(), WM_TIMER, 1, 0);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(Summary(), "No problems found in the menu.");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window->CheckWindow(), IDC_CHECK_MARK_ALL)));

  // Close ends the dialog.
  SendMessageA(window->CheckWindow(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(window->GetCheckDialog(), nullptr);
}

}  // namespace
}  // namespace tarnwick::testing
