// Opening, saving, cancelling and closing a scenery set through the main window, on a scenery
// set written to disk.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/win32/unique_handle.h"
#include "resource.h"
#include "support/menu_builder.h"
#include "support/scenery_on_disk.h"
#include "tree/tree_edits.h"
#include "tree/win32/vis_pane.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

// Posts a message to each dialog box made on this thread while it lives, and one to a window
// of choice: what a user would do while a long operation runs.
class WhileBusy {
 public:
  WhileBusy(UINT message, WPARAM wparam, HWND also = nullptr, UINT also_message = 0) {
    message_ = message;
    wparam_ = wparam;
    also_ = also;
    also_message_ = also_message;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~WhileBusy() { UnhookWindowsHookEx(hook_); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND &&
        reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs->lpszClass == WC_DIALOG) {
      if (message_ != 0) PostMessageA(reinterpret_cast<HWND>(wparam), message_, wparam_, 0);
      if (also_ != nullptr) PostMessageA(also_, also_message_, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  static inline UINT message_ = 0;
  static inline WPARAM wparam_ = 0;
  static inline HWND also_ = nullptr;
  static inline UINT also_message_ = 0;
  HHOOK hook_;
};

class SceneryWindowTest : public MainWindowTest {
 protected:
  void WriteSet(bool with_menus = true) {
    if (with_menus) {
      disk.AddFolder("Alps", {{"alps.bgl", MenuFile({{"Alps", {"Innsbruck", "Salzburg"}},
                                                     {"Geneva", {"Cointrin"}}})}});
    }
    disk.AddFolder("Empty", std::vector<std::pair<std::string, std::vector<uint8_t>>>{});
    disk.WriteVis();
  }
  void Open() {
    questions.chosen_files = {disk.vis_path};
    Command(IDM_OPEN);
  }
  HWND TreeWindow() { return GetDlgItem(Main(), 1003); }
  std::vector<std::string> Labels(TreeNode parent) {
    MenuTree& tree = window->GetSession().tree;
    std::vector<std::string> labels;
    for (TreeNode n = parent ? tree.FirstChild(parent) : tree.Root(); n; n = tree.Next(n)) {
      labels.push_back(tree.Label(n));
    }
    return labels;
  }

  SceneryOnDisk disk;
};

TEST_F(SceneryWindowTest, OpeningASetFillsTheTreeTheStatusBarAndTheVisPane) {
  WriteSet();
  Start();
  Open();
  ASSERT_EQ(questions.file_dialogs.size(), 1u);
  auto& s = window->GetSession();
  EXPECT_TRUE(s.set.loaded);
  EXPECT_FALSE(s.set.results_saved);
  EXPECT_EQ(window->GetHost().GetBusyState(), BusyState::kIdle);
  EXPECT_EQ(window->GetHost().ProgressWindow(), nullptr);

  ASSERT_EQ(Labels(nullptr).size(), 1u);
  TreeNode root = s.tree.Root();
  EXPECT_EQ(Labels(root), (std::vector<std::string>{"Alps", "Geneva"}));
  EXPECT_EQ(Labels(s.tree.FirstChild(root)), (std::vector<std::string>{"Innsbruck", "Salzburg"}));
  // The control holds the root and the closed Areas; an Area's Locations enter it when opened.
  EXPECT_EQ(SendMessageA(TreeWindow(), TVM_GETCOUNT, 0, 0), 3);
  TreeView_Expand(TreeWindow(), ItemOf(s.tree.FirstChild(root)), TVE_EXPAND);
  EXPECT_EQ(SendMessageA(TreeWindow(), TVM_GETCOUNT, 0, 0), 5);
  EXPECT_TRUE(s.tree.Expanded(s.tree.FirstChild(root)));

  EXPECT_EQ(StatusText(0), "Areas: 2");
  EXPECT_EQ(StatusText(1), "Locns: 3");
  EXPECT_EQ(StatusText(2), "Menus: 1");
  EXPECT_EQ(StatusText(3), "BGLs:  1");
  EXPECT_EQ(StatusText(4), " VIS:  2");
  EXPECT_EQ(SendMessageA(GetDlgItem(Main(), 1005), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(Setting("VISfile"), "World.vis");
  for (UINT command : {102, 103, 104, 106, 107, 108, 121, 125, 130, 141}) {
    EXPECT_TRUE(Enabled(command)) << command;
  }
}

TEST_F(SceneryWindowTest, ASetWithoutAreasEnablesOnlyTheSetCommands) {
  WriteSet(/*with_menus=*/false);
  Start();
  Open();
  EXPECT_TRUE(window->GetSession().set.loaded);
  for (UINT command : {102, 103, 106, 107, 129}) EXPECT_TRUE(Enabled(command)) << command;
  for (UINT command : {104, 108, 121, 122, 123, 124, 125, 126, 127, 130, 131, 141, 142}) {
    EXPECT_FALSE(Enabled(command)) << command;
  }
  EXPECT_EQ(StatusText(0), "Areas: 0");
  EXPECT_EQ(StatusText(4), " VIS:  1");
}

TEST_F(SceneryWindowTest, AVisFileOnTheCommandLineOpensWithoutTheDialog) {
  WriteSet();
  Start();
  window->OpenScenerySet(disk.vis_path);
  EXPECT_TRUE(questions.file_dialogs.empty());
  EXPECT_TRUE(window->GetSession().set.loaded);
  EXPECT_EQ(StatusText(0), "Areas: 2");
  EXPECT_TRUE(Enabled(IDM_SAVE));
}

TEST_F(SceneryWindowTest, SaveWritesTheMenuAndSwitchesTheSourcesOff) {
  WriteSet();
  Start();
  Open();
  Command(IDM_SAVE);
  EXPECT_TRUE(std::filesystem::exists(disk.MenuBgl()));
  EXPECT_EQ(disk.SwitchByte(disk.Bgl("Alps", "alps.bgl")), 0);
  EXPECT_TRUE(window->GetSession().set.results_saved);
  EXPECT_EQ(window->GetHost().GetBusyState(), BusyState::kIdle);

  // Saved: closing asks nothing.
  SendMessageA(Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(questions.boxes.empty());
  EXPECT_EQ(window->Window(), nullptr);
}

TEST_F(SceneryWindowTest, ASetWithNothingChangedClosesWithoutAQuestion) {
  WriteSet();
  Start();
  Open();
  Open();
  Command(IDM_CLOSE_SET);
  EXPECT_TRUE(questions.boxes.empty());
  EXPECT_FALSE(window->GetSession().set.loaded);
}

TEST_F(SceneryWindowTest, OpeningAnotherSetAsksAboutUnsavedResults) {
  WriteSet();
  Start();
  Open();
  Session& s = window->GetSession();
  EndRename(s, FindLabel(s.tree, "Geneva"), "Geneve");
  questions.answers = {IDNO};
  Open();
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].text,
            "Load a Scenery Set without saving any results from this one?");
  EXPECT_EQ(questions.file_dialogs.size(), 1u) << "No keeps the set without asking for a file";

  questions.answers = {IDNO};
  Command(IDM_CLOSE_SET);
  EXPECT_EQ(questions.boxes.back().text, "Close this Scenery Set without saving?");
  EXPECT_TRUE(window->GetSession().set.loaded);
  questions.answers = {IDYES};
  Command(IDM_CLOSE_SET);
  EXPECT_FALSE(window->GetSession().set.loaded);
  EXPECT_EQ(SendMessageA(TreeWindow(), TVM_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(StatusText(0), "Areas: 0");
}

TEST_F(SceneryWindowTest, SwitchingOriginalMenusAsksBeforeDroppingUnsavedWork) {
  WriteSet();
  Start();
  Open();
  MenuTree& tree = window->GetSession().tree;
  const std::filesystem::path alps = disk.Bgl("Alps", "alps.bgl");
  // The work a re-read would drop.
  EndRename(window->GetSession(), FindLabel(tree, "Geneva"), "Geneve");
  ASSERT_FALSE(window->GetSession().set.results_saved);

  questions.answers = {IDNO, IDNO};
  for (UINT command : {IDM_MENUS_OFF, IDM_MENUS_ON}) Command(command);
  ASSERT_EQ(questions.boxes.size(), 2u);
  for (const auto& box : questions.boxes) {
    EXPECT_EQ(box.text, "Re-read this Scenery Set without saving any results?");
    EXPECT_EQ(box.caption, "Tarnwick Confirmation");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
  }
  EXPECT_EQ(disk.SwitchByte(alps), 1) << "No switches nothing";
  EXPECT_NE(FindLabel(tree, "Geneve"), nullptr) << "and keeps the work";

  questions.answers = {IDYES};
  Command(IDM_MENUS_OFF);
  EXPECT_EQ(questions.boxes.size(), 3u);
  EXPECT_EQ(disk.SwitchByte(alps), 0);
  EXPECT_EQ(FindLabel(tree, "Geneve"), nullptr);

  // With Confirmations off nothing is asked, as when closing the set.
  Command(IDM_CONFIRMATIONS);
  Command(IDM_MENUS_ON);
  EXPECT_EQ(questions.boxes.size(), 3u);
  EXPECT_EQ(disk.SwitchByte(alps), 1);
  EXPECT_NE(FindLabel(tree, "Geneva"), nullptr);

  // Saved results are nothing to lose.
  Command(IDM_CONFIRMATIONS);
  Command(IDM_SAVE);
  ASSERT_TRUE(window->GetSession().set.results_saved);
  Command(IDM_MENUS_ON);
  EXPECT_EQ(questions.boxes.size(), 3u);
  EXPECT_EQ(disk.SwitchByte(alps), 1);
}

TEST_F(SceneryWindowTest, TheVisCommitQuestionSaysWhatLeavesTheMenu) {
  WriteSet();
  Start();
  Open();
  MenuTree& tree = window->GetSession().tree;
  Command(IDM_TOGGLE_VIS);  // the first row, Alps, goes off
  questions.answers = {IDCANCEL, IDNO};
  SendMessageA(Main(), win32::kVisCommitMessage, 0, 0);
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].text,
            "The scenery areas switched off take 3 Locations out of the menu. Switching an area "
            "on again later brings back its original menu, not the edited one.\n\n"
            "Do you want to save current VIS and Menu data?");
  EXPECT_EQ(questions.boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONWARNING));
  // Cancel keeps the switch pending, No drops it: the menu stays either way.
  SendMessageA(Main(), win32::kVisCommitMessage, 0, 0);
  EXPECT_EQ(questions.boxes.size(), 2u);
  EXPECT_TRUE(window->GetVisPane()->Unchanged());
  EXPECT_NE(FindLabel(tree, "Cointrin"), nullptr);
  EXPECT_EQ(disk.SwitchByte(disk.Bgl("Alps", "alps.bgl")), 1);

  // Yes commits: the Locations leave the menu as announced.
  Command(IDM_TOGGLE_VIS);
  questions.answers = {IDYES};
  SendMessageA(Main(), win32::kVisCommitMessage, 0, 0);
  EXPECT_EQ(questions.boxes.size(), 3u);
  EXPECT_EQ(questions.boxes[2].text, questions.boxes[0].text);
  EXPECT_EQ(FindLabel(tree, "Cointrin"), nullptr);
  EXPECT_EQ(FindLabel(tree, "Innsbruck"), nullptr);
}

TEST_F(SceneryWindowTest, CancelDuringAScanLeavesNoSet) {
  WriteSet();
  Start();
  {
    WhileBusy cancel(WM_COMMAND, MAKEWPARAM(201, BN_CLICKED));
    Open();
  }
  auto& s = window->GetSession();
  EXPECT_FALSE(s.set.loaded);
  EXPECT_EQ(SendMessageA(TreeWindow(), TVM_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(StatusText(0), "Areas: 0");
  EXPECT_EQ(window->GetHost().GetBusyState(), BusyState::kIdle);
  EXPECT_EQ(window->GetHost().ProgressWindow(), nullptr);
  EXPECT_FALSE(Enabled(IDM_SAVE));
}

TEST_F(SceneryWindowTest, ACloseRequestDuringAScanBeepsAndTheScanGoesOn) {
  WriteSet();
  Start();
  {
    WhileBusy close(0, 0, Main(), WM_CLOSE);
    Open();
  }
  EXPECT_NE(window->Window(), nullptr);
  EXPECT_EQ(questions.beeps.size(), 1u);
  EXPECT_TRUE(window->GetSession().set.loaded);
  EXPECT_EQ(StatusText(0), "Areas: 2");
}

TEST_F(SceneryWindowTest, ExitAfterSavingEndsOnlyWhenTheSaveWentAhead) {
  WriteSet();
  Start();
  Open();
  auto& s = window->GetSession();
  // A generated menu seen and switched off makes the save ask first.
  s.set.generated_menu_seen = true;
  s.set.generated_menu_off = true;
  questions.dialog_answers["WarningBox"] = IDCANCEL;
  Command(IDM_EXIT_AFTER_SAVING);
  EXPECT_NE(window->Window(), nullptr);
  EXPECT_FALSE(std::filesystem::exists(disk.MenuBgl()));

  questions.dialog_answers["WarningBox"] = IDOK;
  Command(IDM_EXIT_AFTER_SAVING);
  EXPECT_EQ(window->Window(), nullptr);
  EXPECT_TRUE(std::filesystem::exists(disk.MenuBgl()));
  EXPECT_TRUE(questions.boxes.empty()) << "no question of a plain exit";
}

// A file another program holds (a running simulator) cannot be switched: the window names it
// through its message box, and no menu changes, so the simulator never shows a menu twice.
TEST_F(SceneryWindowTest, AFileAnotherProgramHoldsIsNamedAndNoMenuChanges) {
  WriteSet();
  Start();
  Open();
  const std::string alps =
      disk.vis_path.substr(0, disk.vis_path.rfind('\\')) + "\\Alps\\Scenery\\alps.bgl";
  {
    // Held for reading, others may read too: the save reads its switch but cannot write it.
    UniqueHandle held(CreateFileA(alps.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.Valid());
    Command(IDM_SAVE);
  }
  // Paths are compared as the file system does, without regard to case.
  auto lower = [](std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
  };
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].caption, "Tarnwick Error");
  EXPECT_EQ(lower(questions.boxes[0].text),
            lower("Error 32 reported whilst switching off the menu of " + alps +
                  "! No menu was switched. Nothing was saved."));
  EXPECT_EQ(disk.SwitchByte(disk.Bgl("Alps", "alps.bgl")), 1);
  EXPECT_FALSE(std::filesystem::exists(disk.MenuBgl()));
  EXPECT_FALSE(window->GetSession().set.results_saved);

  Command(IDM_SAVE);
  ASSERT_EQ(questions.boxes.size(), 1u);
  ASSERT_EQ(disk.SwitchByte(disk.Bgl("Alps", "alps.bgl")), 0);
  {
    // The generated menu held without sharing: Enable original menus stops before any source.
    UniqueHandle held(CreateFileA(window->GetSession().set.menu_bgl_path.c_str(), GENERIC_READ, 0,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.Valid());
    Command(IDM_MENUS_ON);
  }
  ASSERT_EQ(questions.boxes.size(), 2u);
  EXPECT_EQ(lower(questions.boxes[1].text),
            lower("Error 32 reported whilst reading the menu switch of " +
                  window->GetSession().set.menu_bgl_path + "! No menu was switched."));
  EXPECT_EQ(disk.SwitchByte(disk.Bgl("Alps", "alps.bgl")), 0);
  EXPECT_EQ(disk.SwitchByte(disk.MenuBgl()), 1);
  EXPECT_TRUE(window->GetSession().set.loaded);
  EXPECT_EQ(window->GetHost().GetBusyState(), BusyState::kIdle);
}

}  // namespace
}  // namespace tarnwick::testing
