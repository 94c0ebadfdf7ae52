// The window's print job as far as it runs without a printer: the two dialog calls, the printer
// kept between jobs, the failure phrases, and the cancel box. Real pages are printed under Wine
// by tests/x11/print_test.sh.
#include <cderr.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "print/win32/print_cancel_box.h"
#include "resource.h"
#include "sample_set.h"
#include "support/temp_dir.h"
#include "win32/main_window_fixture.h"

namespace tarnwick::testing {
namespace {

constexpr DWORD kChooseFlags = 0x140108;

class PrintJobTest : public MainWindowTest {
 protected:
  void OpenSampleSet() {
    std::string folder = WindowsPath(sample.path());
    std::unique_ptr<FileSystem> fs = MakeNativeFileSystem(DriveMap{});
    std::string error;
    ASSERT_TRUE(sample::WriteSampleSet(*fs, folder, folder, error)) << error;
    Start();
    questions.chosen_files = {folder + "\\Scenery\\World.vis"};
    Command(IDM_OPEN);
    ASSERT_TRUE(window->GetSession().set.loaded);
  }

  // The default printer as PrintDlgA hands it out: a device mode and a device names block.
  static bool DefaultPrinter(PRINTDLGA& dialog, DWORD&) {
    dialog.hDevMode = GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVMODEA));
    dialog.hDevNames = GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVNAMES) + 16);
    return true;
  }

  TempDir sample;
};

TEST_F(PrintJobTest, TheDefaultPrinterIsFoundOnceAndKeptUntilReleased) {
  OpenSampleSet();
  questions.print_answers.push_back(DefaultPrinter);
  // The user cancels the dialog: nothing is said.
  Command(IDM_PRINT);
  ASSERT_EQ(questions.print_dialogs.size(), 2u);
  const auto found = questions.print_dialogs[0];
  EXPECT_EQ(found.flags, static_cast<DWORD>(PD_RETURNDEFAULT));
  EXPECT_EQ(found.owner, Main());
  EXPECT_EQ(found.copies, 1);
  EXPECT_EQ(found.dev_mode, nullptr);
  const auto shown = questions.print_dialogs[1];
  EXPECT_EQ(shown.flags, kChooseFlags);
  EXPECT_NE(shown.dev_mode, nullptr);
  EXPECT_NE(shown.dev_names, nullptr);
  EXPECT_TRUE(questions.boxes.empty());
  EXPECT_TRUE(IsWindowEnabled(Main()));
  EXPECT_EQ(GetFocus(), window->TreeControl());

  // The next job opens the dialog on the same printer; a failing dialog is reported.
  questions.print_answers.push_back([](PRINTDLGA&, DWORD& error) {
    error = PDERR_PRINTERNOTFOUND;
    return false;
  });
  Command(IDM_PRINT);
  ASSERT_EQ(questions.print_dialogs.size(), 3u);
  EXPECT_EQ(questions.print_dialogs[2].flags, kChooseFlags);
  EXPECT_EQ(questions.print_dialogs[2].dev_mode, shown.dev_mode);
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].text, "Error 4107 reported whilst calling Print dialogue");
  EXPECT_EQ(questions.boxes[0].caption, "Tarnwick Error");

  // Released (as at the program's end), the printer is looked for again.
  window->Printing().Print(/*release=*/true);
  EXPECT_EQ(window->Printing().DevMode(), nullptr);
  EXPECT_EQ(window->Printing().DevNames(), nullptr);
  Command(IDM_PRINT);
  ASSERT_EQ(questions.print_dialogs.size(), 4u);
  EXPECT_EQ(questions.print_dialogs[3].flags, static_cast<DWORD>(PD_RETURNDEFAULT));

  // The program's end lets the printer go.
  questions.print_answers.push_back(DefaultPrinter);
  Command(IDM_PRINT);
  EXPECT_NE(window->Printing().DevMode(), nullptr);
  SendMessageA(Main(), win32::kCloseMessage, 0, 0);
  EXPECT_EQ(window->Printing().DevMode(), nullptr);
  EXPECT_EQ(window->Printing().DevNames(), nullptr);
}

TEST_F(PrintJobTest, NoDefaultPrinterIsReportedWithTheDialogsCode) {
  OpenSampleSet();
  questions.print_answers.push_back([](PRINTDLGA&, DWORD& error) {
    error = PDERR_NODEFAULTPRN;
    return false;
  });
  Command(IDM_PRINT);
  EXPECT_EQ(questions.print_dialogs.size(), 1u);
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].text, "Error 4104 reported whilst calling Print dialogue");
}

TEST_F(PrintJobTest, ADocumentThatCannotStartIsReportedAndTheWindowComesBack) {
  OpenSampleSet();
  questions.print_answers.push_back(DefaultPrinter);
  // A device that is no printer: StartDoc fails.
  questions.print_answers.push_back([](PRINTDLGA& dialog, DWORD&) {
    dialog.hDC = CreateCompatibleDC(nullptr);
    return true;
  });
  bool enabled_while_printing = true;
  std::string cancel_text;
  questions.while_asking = [&] {
    enabled_while_printing = IsWindowEnabled(Main()) != FALSE;
    HWND box = window->Printing().CancelBox();
    char text[64] = {};
    // The first control of the box is its static text.
    if (box != nullptr) GetWindowTextA(GetWindow(box, GW_CHILD), text, sizeof text);
    cancel_text = text;
  };
  Command(IDM_PRINT);
  ASSERT_EQ(questions.boxes.size(), 1u);
  EXPECT_EQ(questions.boxes[0].text.rfind("Error ", 0), 0u) << questions.boxes[0].text;
  EXPECT_NE(questions.boxes[0].text.find(" reported whilst in printing's StartDoc"),
            std::string::npos)
      << questions.boxes[0].text;
  EXPECT_FALSE(enabled_while_printing);
  EXPECT_EQ(cancel_text, "Cancel Printing");
  EXPECT_TRUE(IsWindowEnabled(Main()));
  EXPECT_EQ(window->Printing().CancelBox(), nullptr);
  EXPECT_EQ(GetFocus(), window->TreeControl());
}

TEST_F(PrintJobTest, WithAnEmptyTreeNothingIsPrinted) {
  Start();
  Command(IDM_PRINT);
  EXPECT_TRUE(questions.print_dialogs.empty());
}

TEST_F(PrintJobTest, CancelInTheCancelBoxGivesTheWindowBackAndEndsTheBox) {
  Start();
  EnableWindow(Main(), FALSE);
  win32::PrintCancelBox box;
  bool cancelled = false;
  box.Open(GetModuleHandleA(nullptr), Main(), [&] { cancelled = true; });
  ASSERT_NE(box.Window(), nullptr);
  char caption[32] = {};
  GetWindowTextA(box.Window(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Tarnwick");
  UINT close = GetMenuState(GetSystemMenu(box.Window(), FALSE), SC_CLOSE, MF_BYCOMMAND);
  EXPECT_NE(close & MF_GRAYED, 0u);

  SendMessageA(box.Window(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(cancelled);
  EXPECT_TRUE(box.ClosedByCancel());
  EXPECT_EQ(box.Window(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(Main()));
}

}  // namespace
}  // namespace tarnwick::testing
