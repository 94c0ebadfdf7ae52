// File > Export menu... and Import menu... in the main window, through its file dialogs.
#include <gtest/gtest.h>

#include <string>

#include "resource.h"
#include "support/scenery_on_disk.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

class MenuTextWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    disk.AddFolder(
        "Alps",
        {{"alps.bgl", MenuFile({{"Alps", {"Innsbruck", "Salzburg"}}, {"Geneva", {"Cointrin"}}})}});
    disk.WriteVis();
    Start();
    questions.chosen_files = {disk.vis_path};
    Command(IDM_OPEN);
    ASSERT_TRUE(window->GetSession().set.loaded);
  }

  // The labels of the tree control's items: the root's children and, indented, theirs.
  std::string ControlMenu() {
    HWND tree = GetDlgItem(Main(), 1003);
    auto label = [tree](HTREEITEM item) {
      char text[300] = {};
      TVITEMA tv = {};
      tv.mask = TVIF_TEXT;
      tv.hItem = item;
      tv.pszText = text;
      tv.cchTextMax = sizeof text;
      SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
      return std::string(text);
    };
    std::string menu;
    HTREEITEM root = TreeView_GetRoot(tree);
    for (HTREEITEM area = TreeView_GetChild(tree, root); area;
         area = TreeView_GetNextSibling(tree, area)) {
      menu += label(area) + "\n";
      // A closed Area's Locations enter the control when it is opened, as a click would.
      if (TreeView_GetChild(tree, area) == nullptr) {
        TreeView_Expand(tree, area, TVE_EXPAND);
        TreeView_Expand(tree, area, TVE_COLLAPSE);
      }
      for (HTREEITEM item = TreeView_GetChild(tree, area); item;
           item = TreeView_GetNextSibling(tree, item)) {
        menu += "  " + label(item) + "\n";
      }
    }
    return menu;
  }

  std::string Read(const char* name) {
    std::vector<uint8_t> bytes = dir.Read(name);
    return std::string(bytes.begin(), bytes.end());
  }

  SceneryOnDisk disk;
};

TEST_F(MenuTextWindowTest, ExportThenImportAnEditedFileReplacesTheTree) {
  EXPECT_TRUE(Enabled(IDM_EXPORT_MENU));
  EXPECT_TRUE(Enabled(IDM_IMPORT_MENU));
  questions.chosen_files = {Path("menu.csv")};
  Command(IDM_EXPORT_MENU);
  ASSERT_EQ(questions.file_dialogs.size(), 2u);
  const auto& save_dialog = questions.file_dialogs.back();
  EXPECT_TRUE(save_dialog.save);
  EXPECT_EQ(save_dialog.filter, "CSV files (*.csv)|*.csv|");
  EXPECT_EQ(save_dialog.offered, "World.csv");
  std::string csv = Read("menu.csv");
  ASSERT_EQ(csv.substr(0, 11),
            "\xEF\xBB\xBF"
            "Area,Loc");
  EXPECT_NE(csv.find("\r\nAlps,Salzburg,"), std::string::npos) << csv;

  // Geneva moves first and Alps becomes Tyrol.
  size_t geneva = csv.find("\r\nGeneva,") + 2;
  std::string edited = csv.substr(0, csv.find("\r\n") + 2) + csv.substr(geneva) +
                       csv.substr(csv.find("\r\n") + 2, geneva - csv.find("\r\n") - 2);
  for (size_t at; (at = edited.find("\r\nAlps,")) != std::string::npos;) {
    edited.replace(at, 7, "\r\nTyrol,");
  }
  dir.Write("edited.csv", edited);
  window->GetSession().set.results_saved = true;
  questions.chosen_files = {Path("edited.csv")};
  Command(IDM_IMPORT_MENU);
  EXPECT_FALSE(questions.file_dialogs.back().save);
  EXPECT_EQ(questions.file_dialogs.back().filter,
            "CSV files (*.csv)|*.csv|Menu JSON (*.json)|*.json|All files (*.*)|*.*|");
  EXPECT_EQ(ControlMenu(), "Geneva\n  Cointrin\nTyrol\n  Innsbruck\n  Salzburg\n");
  EXPECT_FALSE(window->GetSession().set.results_saved);
  EXPECT_EQ(StatusText(0), "Areas: 2");
  EXPECT_EQ(StatusText(1), "Locns: 3");
  ASSERT_FALSE(questions.boxes.empty());
  EXPECT_EQ(questions.boxes.back().text, "Replace the menu with the one in 'edited.csv'?");

  // A title longer than the saved menu keeps is imported, and said afterwards.
  std::string long_title = edited;
  for (size_t at; (at = long_title.find("\r\nTyrol,")) != std::string::npos;) {
    long_title.replace(at, 8, "\r\nA title beyond twenty,");
  }
  dir.Write("long.csv", long_title);
  questions.chosen_files = {Path("long.csv")};
  Command(IDM_IMPORT_MENU);
  EXPECT_EQ(ControlMenu(), "Geneva\n  Cointrin\nA title beyond twenty\n  Innsbruck\n  Salzburg\n");
  EXPECT_EQ(questions.boxes.back().caption, "Tarnwick Warning");
  EXPECT_EQ(questions.boxes.back().text.substr(0, 48),
            "long.csv:3:1: warning: the saved menu keeps only");

  // Each import is one step of the history: undone, the menu before it comes back whole, and
  // redone, the import again.
  Command(IDM_UNDO);
  EXPECT_EQ(ControlMenu(), "Geneva\n  Cointrin\nTyrol\n  Innsbruck\n  Salzburg\n");
  Command(IDM_UNDO);
  EXPECT_EQ(ControlMenu(), "Alps\n  Innsbruck\n  Salzburg\nGeneva\n  Cointrin\n");
  EXPECT_EQ(StatusText(0), "Areas: 2");
  Command(IDM_REDO);
  EXPECT_EQ(ControlMenu(), "Geneva\n  Cointrin\nTyrol\n  Innsbruck\n  Salzburg\n");
}

TEST_F(MenuTextWindowTest, ABadFileIsReportedAndChangesNothing) {
  const std::string before = ControlMenu();
  dir.Write("bad.csv",
            "Area,Location,Latitude,Longitude,Altitude (feet),Heading (degrees),COM1,"
            "NAV1,OBI1,NAV2,OBI2,Source\r\nA,B,N91:00,E000:00,0,360,0,0,0,0,0,\r\n");
  questions.chosen_files = {Path("bad.csv")};
  Command(IDM_IMPORT_MENU);
  ASSERT_FALSE(questions.boxes.empty());
  EXPECT_EQ(questions.boxes.back().text,
            "bad.csv:2:5: Latitude 'N91:00' lies beyond 90 degrees\n\nNothing was imported.");
  EXPECT_EQ(questions.boxes.back().caption, "Tarnwick Error");
  EXPECT_EQ(ControlMenu(), before);

  // A cancelled dialog does nothing at all.
  const size_t boxes = questions.boxes.size();
  questions.chosen_files = {std::nullopt};
  Command(IDM_IMPORT_MENU);
  EXPECT_EQ(questions.boxes.size(), boxes);
  EXPECT_EQ(ControlMenu(), before);
}

}  // namespace
}  // namespace tarnwick::testing
