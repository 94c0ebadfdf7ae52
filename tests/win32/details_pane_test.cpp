// The details pane in the main window: its rows for the tree's selection and the editing of a
// Location's values through the real edit box, on a scenery set written to disk.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "details/detail_rows.h"
#include "details/value_formats.h"
#include "platform/win32/ui/list_view.h"
#include "resource.h"
#include "support/menu_builder.h"
#include "support/scenery_on_disk.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

class DetailsPaneTest : public MainWindowTest {
 protected:
  void SetUp() override {
    BglFile file = MenuFile({{"Alps", {"Innsbruck", "Salzburg"}}, {"Geneva", {"Cointrin"}}});
    file.areas[0].locations[0].fields = Locn(47.26, 11.34, 581, 260, 0x1890, 0x0960, 80, 0, 0);
    disk.AddFolder("Alps", {{"alps.bgl", file}});
    disk.WriteVis();
    Start();
    ShowWindow(Main(), SW_SHOW);
    questions.chosen_files = {disk.vis_path};
    Command(IDM_OPEN);
    ASSERT_TRUE(window->GetSession().set.loaded);
    list = GetDlgItem(Main(), 1004);
  }

  MenuTree& Tree() { return window->GetSession().tree; }
  void Select(std::string_view label) {
    Tree().Select(label.empty() ? Tree().Root() : FindLabel(Tree(), label));
    DrainMessages();
  }
  int Rows() { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }
  std::string Text(int row, int column = 2) { return win32::ListItemText(list, row, column); }
  std::vector<std::string> Values() {
    std::vector<std::string> values;
    for (int row = 0; row < Rows(); ++row) values.push_back(Text(row));
    return values;
  }
  int SelectedRow() {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  }
  HWND EditBox() { return FindWindowExA(list, nullptr, "Edit", nullptr); }
  std::string BoxText() {
    char text[300] = {};
    GetWindowTextA(EditBox(), text, sizeof text);
    return text;
  }
  // Types into the open edit box as the keyboard would, after emptying it.
  void Type(const std::string& text) {
    HWND box = EditBox();
    ASSERT_NE(box, nullptr);
    SendMessageA(box, EM_SETSEL, 0, -1);
    SendMessageA(box, WM_CHAR, VK_BACK, 0);
    for (char c : text) SendMessageA(box, WM_CHAR, static_cast<unsigned char>(c), 0);
  }
  void Key(HWND target, WPARAM key) {
    SendMessageA(target, WM_KEYDOWN, key, 0);
    DrainMessages();
  }
  LocnFields& Fields(std::string_view label) {
    auto& s = window->GetSession();
    return s.set.Location(RecordOf(Tree().Data(FindLabel(Tree(), label))))->fields;
  }

  SceneryOnDisk disk;
  HWND list = nullptr;
};

TEST_F(DetailsPaneTest, TheRowsFollowTheSelection) {
  const std::string vis = window->GetSession().set.vis_path;
  const std::string path = "=:\\=\\Scenery\\Alps\\*.bgl";
  Tree().Select(nullptr);
  DrainMessages();
  EXPECT_EQ(Rows(), 0) << "nothing selected";

  Select("");
  EXPECT_EQ(Values(), std::vector<std::string>{vis});
  EXPECT_EQ(SelectedRow(), 0);

  Select("Geneva");
  EXPECT_EQ(Values(), (std::vector<std::string>{vis, "Alps", path, "Geneva"}));
  EXPECT_EQ(SelectedRow(), 0);

  Select("Innsbruck");
  ASSERT_EQ(Rows(), 10);
  std::vector<std::string> values = Values();
  EXPECT_EQ(values[3], "Alps");
  EXPECT_EQ(values[4], window->GetSession().set.Bgl(1)->path);
  EXPECT_EQ(values[5], "Innsbruck");
  EXPECT_EQ(values[6].substr(0, 6), "N47:15");
  EXPECT_EQ(values[7].substr(0, 7), "E011:20");
  EXPECT_EQ(values[9], "260");
  EXPECT_EQ(SelectedRow(), 5);
  // Labels, pictures and the tree item's data on each row.
  LVITEMA item = {};
  item.mask = LVIF_IMAGE | LVIF_PARAM;
  for (int row = 0; row < 10; ++row) {
    item.iItem = row;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, row <= 1 ? 0 : row < 5 ? 1 : 2) << row;
    EXPECT_EQ(static_cast<TreeItemData>(item.lParam), Tree().Data(FindLabel(Tree(), "Innsbruck")));
    EXPECT_EQ(Text(row, 1), std::string(kDetailRowLabels[row]));
  }

  // The angle style and the additional fields fill the pane again.
  Command(IDM_FRACTIONAL_MINUTES);
  EXPECT_EQ(Text(6).size(), std::string("N47:15.6000").size());
  EXPECT_EQ(Text(6).substr(0, 7), "N47:15.");
  Command(IDM_MINUTES_SECONDS);
  EXPECT_EQ(Text(6), values[6]);
  Command(IDM_SHOW_ALL_FIELDS);
  ASSERT_EQ(Rows(), 15);
  EXPECT_EQ(Text(10), "118.90");
  EXPECT_EQ(Text(11), "109.60");
  EXPECT_EQ(Text(12), "080");
  EXPECT_EQ(Text(13), "000.00");
  Command(IDM_SHOW_ALL_FIELDS);
  EXPECT_EQ(Rows(), 10);

  // Another Location keeps the rows; an Area rebuilds them.
  Select("Salzburg");
  EXPECT_EQ(Text(5), "Salzburg");
  Select("Alps");
  EXPECT_EQ(Rows(), 4);
}

TEST_F(DetailsPaneTest, TheEditBoxOpensOverTheValue) {
  Select("Innsbruck");
  SetFocus(list);
  Key(list, VK_RETURN);  // row 5 is selected after the fill
  HWND box = EditBox();
  ASSERT_NE(box, nullptr);
  // (The edit control takes WS_BORDER out of its style and draws the border itself.)
  DWORD style = static_cast<DWORD>(GetWindowLongA(box, GWL_STYLE));
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL), 0x50000080u);
  EXPECT_EQ(GetWindowLongPtrA(box, GWLP_ID), -1);
  EXPECT_EQ(GetFocus(), box);
  EXPECT_EQ(BoxText(), "Innsbruck");
  DWORD start = 0, end = 0;
  SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 9u);
  EXPECT_EQ(end, 9u);
  EXPECT_EQ(SendMessageA(box, EM_GETLIMITTEXT, 0, 0), 259);
  RECT row = {LVIR_BOUNDS, 0, 0, 0};
  SendMessageA(list, LVM_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&row));
  RECT placed = {};
  GetWindowRect(box, &placed);
  MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&placed), 2);
  int col0 = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0));
  int col1 = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0));
  EXPECT_EQ(placed.left, row.left + col0 + col1);
  EXPECT_EQ(placed.top, row.top);
  EXPECT_EQ(placed.bottom - placed.top, row.bottom - row.top);
  EXPECT_EQ(placed.right - placed.left, SendMessageA(list, LVM_GETCOLUMNWIDTH, 2, 0));

  // Rows 0 to 4 open nothing with Enter; 127 and 128 start at row 5.
  Key(box, VK_ESCAPE);
  EXPECT_EQ(EditBox(), nullptr);
  LVITEMA state = {};
  state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
  Key(list, VK_RETURN);
  EXPECT_EQ(EditBox(), nullptr);
  Command(IDM_EDIT_DETAILS_ROW);
  EXPECT_EQ(BoxText(), "Innsbruck");
  Key(EditBox(), VK_ESCAPE);
  Command(IDM_EDIT_DETAILS);
  EXPECT_EQ(BoxText(), "Innsbruck");
  Key(EditBox(), VK_ESCAPE);
  // On an Area nothing is edited.
  Select("Alps");
  Command(IDM_EDIT_DETAILS);
  EXPECT_EQ(EditBox(), nullptr);
  EXPECT_EQ(GetFocus(), list);
}

TEST_F(DetailsPaneTest, EnterUpAndDownApplyWhatIsTyped) {
  Command(IDM_SHOW_ALL_FIELDS);
  Select("Innsbruck");
  SetFocus(list);
  // Every editable row, top to bottom, each ended with Down.
  const char* typed[] = {"Innsbruck Kranebitten",
                         "N51:28:38",
                         "W000:27:41",
                         "1000",
                         "90",
                         "123.46",
                         "110.30",
                         "40",
                         "113.9",
                         "360"};
  const char* shown[] = {"Innsbruck Kranebitten",
                         "N51:28:37.9999",
                         "W000:27:40.9999",
                         "1000",
                         "090",
                         "123.45",
                         "110.30",
                         "040",
                         "113.07",
                         "360"};
  Command(IDM_EDIT_DETAILS);
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    ASSERT_NE(EditBox(), nullptr);
    Type(typed[i]);
    Key(EditBox(), VK_DOWN);
    EXPECT_EQ(Text(5 + i), shown[i]);
  }
  // Down on the last row applies and reopens the last row.
  ASSERT_NE(EditBox(), nullptr);
  EXPECT_EQ(BoxText(), "360");
  EXPECT_EQ(SelectedRow(), 14);
  Key(EditBox(), VK_ESCAPE);
  EXPECT_EQ(Tree().Label(FindLabel(Tree(), "Innsbruck Kranebitten")), "Innsbruck Kranebitten");
  LocnFields& f = Fields("Innsbruck Kranebitten");
  EXPECT_EQ(f.latitude, 732248614);
  EXPECT_EQ(f.longitude, -5504583);
  EXPECT_EQ(f.com1, 0x2345);
  EXPECT_EQ(f.obi2, 360);
  EXPECT_FALSE(window->GetSession().set.results_saved);

  // Up on row 5 applies and reopens row 5; Enter applies and closes.
  Command(IDM_EDIT_DETAILS);
  Type("Kranebitten");
  Key(EditBox(), VK_UP);
  EXPECT_EQ(Text(5), "Kranebitten");
  ASSERT_NE(EditBox(), nullptr);
  EXPECT_EQ(SelectedRow(), 5);
  Key(EditBox(), VK_DOWN);  // unchanged text, to row 6
  Type("S33:56:46");
  Key(EditBox(), VK_RETURN);
  EXPECT_EQ(EditBox(), nullptr);
  EXPECT_EQ(Text(6), "S33:56:45.9999");
  EXPECT_EQ(SelectedRow(), 6);
  EXPECT_EQ(GetFocus(), list);
}

TEST_F(DetailsPaneTest, EscapeAndLosingTheFocusApplyNothingAndUndoPutsTheValueBack) {
  Select("Innsbruck");
  const int32_t latitude = Fields("Innsbruck").latitude;
  const std::string shown = Text(6);
  SetFocus(list);
  Command(IDM_EDIT_DETAILS);
  Key(EditBox(), VK_DOWN);  // to row 6, nothing changed
  Type("N10:00:00");
  Key(EditBox(), VK_ESCAPE);
  EXPECT_EQ(Fields("Innsbruck").latitude, latitude);
  Command(IDM_EDIT_DETAILS_ROW);
  Type("N10:00:00");
  SetFocus(GetDlgItem(Main(), 1003));
  DrainMessages();
  EXPECT_EQ(EditBox(), nullptr);
  EXPECT_EQ(Fields("Innsbruck").latitude, latitude);

  // An applied edit, then 132 with the focus in the pane.
  SetFocus(list);
  Command(IDM_EDIT_DETAILS_ROW);
  Type("N10:00:00");
  Key(EditBox(), VK_RETURN);
  EXPECT_NE(Fields("Innsbruck").latitude, latitude);
  SetFocus(list);
  EXPECT_TRUE(Enabled(IDM_UNDO));
  Command(IDM_UNDO);
  DrainMessages();
  // The previous text parsed again: the same to the ten-thousandth of a second.
  EXPECT_EQ(Text(6), shown);
  EXPECT_EQ(Fields("Innsbruck").latitude, latitude);
  EXPECT_FALSE(Enabled(IDM_UNDO));
  EXPECT_TRUE(Enabled(IDM_REDO));

  // The history keeps an edit across a new selection, and its undo selects the Location again.
  Command(IDM_EDIT_DETAILS);
  Type("Elsewhere");
  Key(EditBox(), VK_RETURN);
  Select("Salzburg");
  SetFocus(GetDlgItem(Main(), 1003));
  EXPECT_TRUE(Enabled(IDM_UNDO));
  Command(IDM_UNDO);
  DrainMessages();
  EXPECT_EQ(Text(5), "Innsbruck");
  EXPECT_EQ(Tree().Label(Tree().Selected()), "Innsbruck");
}

TEST_F(DetailsPaneTest, SteppingThroughUnchangedRowsStoresNothing) {
  Command(IDM_FRACTIONAL_MINUTES);
  Select("Innsbruck");
  // Values that their rounded texts do not give back.
  LocnFields& f = Fields("Innsbruck");
  f.latitude = 1033485359;
  f.longitude = 2053827588;
  f.altitude = 723502;
  f.heading = 40657;
  const LocnFields before = f;
  window->GetSession().set.results_saved = true;
  SetFocus(list);
  Command(IDM_EDIT_DETAILS);
  for (int row = 5; row <= 9; ++row) {
    ASSERT_NE(EditBox(), nullptr);
    EXPECT_EQ(SelectedRow(), row);
    Key(EditBox(), VK_DOWN);
  }
  Key(EditBox(), VK_RETURN);
  EXPECT_EQ(EditBox(), nullptr);
  EXPECT_EQ(f.latitude, before.latitude);
  EXPECT_EQ(f.longitude, before.longitude);
  EXPECT_EQ(f.altitude, before.altitude);
  EXPECT_EQ(f.heading, before.heading);
  EXPECT_TRUE(window->GetSession().set.results_saved);
  SetFocus(list);
  EXPECT_FALSE(Enabled(IDM_UNDO));

  // A changed row among them is stored, and only that one.
  Command(IDM_EDIT_DETAILS);
  Key(EditBox(), VK_DOWN);
  Type("N12:30.5");
  Key(EditBox(), VK_DOWN);
  Key(EditBox(), VK_DOWN);
  Key(EditBox(), VK_ESCAPE);
  EXPECT_EQ(f.latitude, ParseAngle("N12:30.5", AngleAxis::kLatitude));
  EXPECT_EQ(f.longitude, before.longitude);
  EXPECT_FALSE(window->GetSession().set.results_saved);
}

// The latitude typed into an open edit box, and a way for the tree's selection to move while the
// box keeps the focus.
TEST_F(DetailsPaneTest, AnyChangeOfTheSelectionClosesTheEditBoxUnapplied) {
  Command(IDM_CONFIRMATIONS);  // nothing takes the focus to ask
  ASSERT_FALSE(window->GetOptions().confirmations);
  struct Route {
    const char* name;
    std::function<void()> move;
  };
  const Route routes[] = {
      {"Delete Location (menu or toolbar)", [&] { Command(IDM_DELETE_LOCATION); }},
      {"Delete This Entry", [&] { Command(IDM_DELETE_ENTRY); }},
      {"New Location", [&] { Command(IDM_NEW_LOCATION); }},
      {"F3 through the message loop",
       [&] {
         window->GetSession().tree_state.search.text = "Salzburg";
         MSG message = {};
         message.hwnd = EditBox();
         message.message = WM_KEYDOWN;
         message.wParam = VK_F3;
         EXPECT_TRUE(window->PreTranslate(message));
       }},
      // (The tree-view's own mouse handling is met by the gestures under X; here the click's
      // effects: the tree takes the focus and selects.)
      {"a click in the tree",
       [&] {
         SetFocus(GetDlgItem(Main(), 1003));  // the pane is made anew with each set
         Tree().Select(FindLabel(Tree(), "Cointrin"));
       }},
      {"a selection made by the program (search, drop, undo)",
       [&] { Tree().Select(FindLabel(Tree(), "Salzburg")); }},
      {"Enable original menus", [&] { Command(IDM_MENUS_ON); }},
      {"Close Scenery Set", [&] { Command(IDM_CLOSE_SET); }},
  };
  const int32_t typed = ParseAngle("S12:34:55.9999", AngleAxis::kLatitude);
  for (const Route& route : routes) {
    SCOPED_TRACE(route.name);
    questions.chosen_files = {disk.vis_path};
    Command(IDM_OPEN);
    Tree().Expand(FindLabel(Tree(), "Alps"), true);
    Tree().Expand(FindLabel(Tree(), "Geneva"), true);
    Select("Innsbruck");
    SetFocus(list);
    Command(IDM_EDIT_DETAILS);
    Key(EditBox(), VK_DOWN);
    Type("S12:34:55.9999");
    ASSERT_EQ(GetFocus(), EditBox());

    route.move();
    DrainMessages();
    if (TreeNode innsbruck = FindLabel(Tree(), "Innsbruck")) {
      ASSERT_NE(Tree().Selected(), innsbruck) << "the route moves the selection";
    }
    EXPECT_EQ(EditBox(), nullptr);
    // Enter now reaches no box; had one stayed, it would store the text here.
    if (EditBox() != nullptr) Key(EditBox(), VK_RETURN);
    for (const char* label : {"Innsbruck", "Salzburg", "Cointrin", "NEW ENTRY"}) {
      TreeNode node = FindLabel(Tree(), label);
      if (node == nullptr || KindOf(Tree().Data(node)) != NodeKind::kLocation) continue;
      EXPECT_NE(Fields(label).latitude, typed) << label;
    }
  }
}

TEST_F(DetailsPaneTest, ADoubleClickOnAValueEditsItAndTheSavedMenuHoldsTheEdit) {
  Select("Cointrin");
  RECT row = {LVIR_BOUNDS, 0, 0, 0};
  SendMessageA(list, LVM_GETITEMRECT, 8, reinterpret_cast<LPARAM>(&row));
  LPARAM at = MAKELPARAM(row.right - 20, (row.top + row.bottom) / 2);  // on the value
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  DrainMessages();
  EXPECT_EQ(SelectedRow(), 8) << "a click on the value selects the row";
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  DrainMessages();
  ASSERT_NE(EditBox(), nullptr);
  EXPECT_EQ(GetFocus(), EditBox());
  Type("1234");
  Key(EditBox(), VK_RETURN);
  EXPECT_EQ(Text(8), "1234");

  Command(IDM_SAVE);
  ASSERT_TRUE(window->GetSession().set.results_saved);
  // The sources are off now: opening the set again reads the generated menu.
  questions.chosen_files = {disk.vis_path};
  Command(IDM_OPEN);
  Select("Cointrin");
  EXPECT_EQ(Text(8), "1234");
  EXPECT_EQ(Text(4).substr(Text(4).rfind('\\')), "\\World_MENU.bgl");
}

}  // namespace
}  // namespace tarnwick::testing
