// The dialog boxes, the questions, the open-VIS dialog, help, and the progress box with its pump.
#include <gtest/gtest.h>

#include <fstream>

#include "resource.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(MainWindowTest, AboutBoxShowsTheProgramAndItsVersionCentredOverTheMainWindow) {
  Start();
  SetWindowPos(Main(), nullptr, 100, 50, 600, 500, SWP_NOZORDER | SWP_NOACTIVATE);
  Command(IDM_ABOUT);
  ASSERT_EQ(questions.dialogs.size(), 1u);
  const auto& about = questions.dialogs[0];
  EXPECT_EQ(about.name, "AboutBox");
  EXPECT_EQ(about.caption, "Tarnwick");
  EXPECT_TRUE(Contains(about.texts, "Version 1.10, 8th April 1999"));
  EXPECT_TRUE(Contains(about.texts, std::string("Program version ") + TARNWICK_VERSION));
  EXPECT_TRUE(Contains(about.texts, "OK"));
  int width = about.rect.right - about.rect.left;
  int height = about.rect.bottom - about.rect.top;
  EXPECT_EQ(about.rect.left, 100 + 300 - width / 2);
  EXPECT_EQ(about.rect.top, 50 + 250 - height / 2);
}

TEST_F(MainWindowTest, WithoutTheGuideEveryHelpCommandShowsTheNoHelpBox) {
  Start();
  for (UINT command : {IDM_HELP_INDEX, IDM_HELP_FINDER, IDM_HELP_ON_HELP}) Command(command);
  SendMessageA(Main(), WM_KEYDOWN, VK_F1, 0);
  ASSERT_EQ(questions.dialogs.size(), 4u);
  for (const auto& shown : questions.dialogs) {
    EXPECT_EQ(shown.name, "NoHelpBox");
    EXPECT_TRUE(Contains(shown.texts,
                         "Sorry, the guide (guide.html) was not found beside the program, or no "
                         "program could show it."));
  }
  EXPECT_TRUE(questions.opened_documents.empty());
}

TEST_F(MainWindowTest, EveryHelpCommandAndF1FromAnyPaneOpenTheGuide) {
  dir.Write("guide.html", "<html></html>");
  SetFileAttributesA(Path("guide.html").c_str(), FILE_ATTRIBUTE_READONLY);  // as installed
  Start();
  for (UINT command : {IDM_HELP_INDEX, IDM_HELP_FINDER, IDM_HELP_ON_HELP}) Command(command);
  // F1 with the focus in the tree: the message loop takes it before the control.
  MSG f1 = {GetDlgItem(Main(), 1003), WM_KEYDOWN, VK_F1, 0, 0, {}};
  EXPECT_TRUE(window->PreTranslate(f1));
  ASSERT_EQ(questions.opened_documents.size(), 4u);
  for (const std::string& opened : questions.opened_documents) {
    EXPECT_EQ(opened, Path("guide.html"));
  }
  EXPECT_TRUE(questions.dialogs.empty());
  questions.open_document_answer = false;
  Command(IDM_HELP_FINDER);
  ASSERT_EQ(questions.dialogs.size(), 1u);
  EXPECT_EQ(questions.dialogs[0].name, "NoHelpBox");
  SetFileAttributesA(Path("guide.html").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(MainWindowTest, WarningBoxAnswersYesOrNo) {
  Start();
  EXPECT_TRUE(window->GetHost().AskWarning());
  questions.dialog_answers["WarningBox"] = IDCANCEL;
  EXPECT_FALSE(window->GetHost().AskWarning());
  ASSERT_EQ(questions.dialogs.size(), 2u);
  EXPECT_EQ(questions.dialogs[0].caption, "Tarnwick");
  EXPECT_TRUE(
      Contains(questions.dialogs[0].texts, "WARNING: Possible loss of previous work on menus!"));
  EXPECT_TRUE(Contains(questions.dialogs[0].texts, "Yes"));
  EXPECT_TRUE(Contains(questions.dialogs[0].texts, "No"));
}

TEST_F(MainWindowTest, ErrorsAndQuestionsUseTheProgramsBoxes) {
  Start();
  window->GetHost().ShowMessage(5, "opening VIS file!");
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].text, "Error 5 reported whilst opening VIS file!");
  EXPECT_EQ(questions.boxes[0].caption, "Tarnwick Error");
  EXPECT_EQ(questions.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));

  questions.answers = {IDNO};
  EXPECT_FALSE(window->GetHost().Confirm("Close this Scenery Set without saving?"));
  EXPECT_TRUE(window->GetHost().Confirm("Close this Scenery Set without saving?"));
  Command(IDM_CONFIRMATIONS);
  questions.answers = {IDNO};
  EXPECT_TRUE(window->GetHost().Confirm("Close this Scenery Set without saving?"))
      << "with Confirmations off every question is answered yes";
  EXPECT_EQ(questions.boxes.size(), 3u);
}

TEST_F(MainWindowTest, TheOpenDialogStartsInTheSimulatorsSceneryFolder) {
  registry.values["SOFTWARE\\Microsoft\\Games\\Flight Simulator\\6.0|InstalledTo"] = "D:\\FS98";
  Start();
  questions.chosen_files = {std::nullopt};
  EXPECT_EQ(window->GetHost().ChooseVisFile("World.vis"), std::nullopt);
  ASSERT_EQ(questions.file_dialogs.size(), 1u);
  const auto& dialog = questions.file_dialogs[0];
  EXPECT_EQ(dialog.filter, "FlightSim Scenery Control Files (*.VIS)|*.VIS|");
  EXPECT_EQ(dialog.title, "Open Scenery Control File (VIS)");
  EXPECT_EQ(dialog.default_extension, "vis");
  EXPECT_EQ(dialog.initial_folder, "D:\\FS98\\Scenery");
  EXPECT_EQ(dialog.offered, "World.vis");
  EXPECT_EQ(dialog.owner, Main());
  EXPECT_TRUE(dialog.flags & OFN_FILEMUSTEXIST);
  EXPECT_TRUE(questions.boxes.empty()) << "a plain cancel reports nothing";
}

TEST_F(MainWindowTest, TheOpenDialogOffersTheLastVisFileAndReportsItsErrors) {
  WriteSetting("VISfile", "Other.vis");
  Start();
  questions.chosen_files = {std::nullopt, std::string("C:\\FS98\\Scenery\\World.vis")};
  questions.file_dialog_error = 0x3002;  // FNERR_INVALIDFILENAME
  EXPECT_EQ(window->GetHost().ChooseVisFile("World.vis"), std::nullopt);
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].text, "Error 12290 reported whilst opening VIS dialogue");
  EXPECT_EQ(window->GetHost().ChooseVisFile("World.vis"), "C:\\FS98\\Scenery\\World.vis");
  EXPECT_EQ(questions.file_dialogs[0].offered, "Other.vis");
  EXPECT_EQ(questions.file_dialogs[0].initial_folder, "") << "no simulator in the registry";
  EXPECT_EQ(window->GetSession().set.vis_path, "C:\\FS98\\Scenery\\World.vis");
  // The set's own path, as the open command passes it; the stored name replaces it meanwhile.
  std::string& vis_path = window->GetSession().set.vis_path;
  vis_path = "E:\\Sets\\Test\\World.vis";
  window->GetHost().ChooseVisFile(vis_path);
  EXPECT_EQ(questions.file_dialogs[2].initial_folder, "E:\\Sets\\Test")
      << "without a simulator the folder of the last VIS file";
  EXPECT_EQ(vis_path, "E:\\Sets\\Test\\World.vis")
      << "cancelled, the dialog leaves the set's own path, not the bare stored name";
}

TEST_F(MainWindowTest, ProgressBoxShowsItsLinesAndCancelClosesTheSet) {
  Start();
  auto& host = window->GetHost();
  host.OpenProgressBox("Please wait whilst VIS file 'C:\\World.vis' is being processed.");
  EXPECT_EQ(host.GetBusyState(), BusyState::kBusy);
  HWND box = host.ProgressWindow();
  ASSERT_NE(box, nullptr);
  host.SetProgressLine(ProgressLine::kTotals, "1 VIS entry, 0 Areas, 0 Locations");
  host.SetStatusCount(StatusPart::kBgls, 12);
  // The texts of a long operation reach the window with its next frame, the first drain.
  EXPECT_TRUE(host.PumpMessages());
  EXPECT_EQ(StatusText(3), "BGLs:  12");
  char text[256] = {};
  GetDlgItemTextA(box, 202, text, sizeof text);
  EXPECT_STREQ(text, "Please wait whilst VIS file 'C:\\World.vis' is being processed.");
  GetDlgItemTextA(box, 205, text, sizeof text);
  EXPECT_STREQ(text, "1 VIS entry, 0 Areas, 0 Locations");
  GetDlgItemTextA(box, 203, text, sizeof text);
  EXPECT_STREQ(text, "");
  GetWindowTextA(box, text, sizeof text);
  EXPECT_STREQ(text, "Tarnwick");

  window->GetSession().set.loaded = true;
  SendMessageA(box, WM_COMMAND, MAKEWPARAM(201, BN_CLICKED), 0);
  EXPECT_EQ(host.GetBusyState(), BusyState::kCancelled);
  EXPECT_FALSE(window->GetSession().set.loaded);
  EXPECT_FALSE(KeepGoing(host)) << "the operation stops";
  host.CloseProgressBox();
  EXPECT_EQ(host.GetBusyState(), BusyState::kIdle);
  EXPECT_EQ(host.ProgressWindow(), nullptr);
  EXPECT_FALSE(IsWindow(box));
}

TEST_F(MainWindowTest, PumpMessagesStopsAtAQuitRequestAndPassesItOn) {
  Start();
  auto& host = window->GetHost();
  host.OpenProgressBox("Working");
  EXPECT_TRUE(KeepGoing(host));
  PostQuitMessage(7);
  // The queue is looked into every few milliseconds, not at every call.
  bool go_on = true;
  for (int tries = 0; go_on && tries < 1000; ++tries) {
    go_on = host.PumpMessages();
    if (go_on) Sleep(1);
  }
  EXPECT_FALSE(go_on);
  MSG message = {};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
  host.CloseProgressBox();
}

TEST_F(MainWindowTest, StatusCountsSurviveAHiddenStatusBar) {
  Start();
  auto& host = window->GetHost();
  host.SetStatusCount(StatusPart::kAreas, 12);
  host.SetStatusCount(StatusPart::kVis, 3);
  EXPECT_EQ(StatusText(0), "Areas: 12");
  EXPECT_EQ(StatusText(4), " VIS:  3");
  Command(IDM_STATUS_BAR);
  host.SetStatusCount(StatusPart::kBgls, 40);
  Command(IDM_STATUS_BAR);
  EXPECT_EQ(StatusText(0), "Areas: 12");
  EXPECT_EQ(StatusText(3), "BGLs:  40");
  host.ResetStatusCounts();
  EXPECT_EQ(StatusText(3), "BGLs:  0");
}

}  // namespace
}  // namespace tarnwick::testing
