// Reads a running Tarnwick from outside, as a test or a check that drives it with the real mouse
// or through the shell needs: the tree pane's items, their places on the screen, the selection
// and marks, the status bar, the details pane, the program's boxes and menus. The controls'
// memory belongs to the other process, so what they fill in is read into a block allocated there
// (VirtualAllocEx) and copied back (ReadProcessMemory).
//
//   window-probe [SECONDS]           waits up to SECONDS (default 60) for a main window whose scan
//                                    has ended: "root: LABEL" of the tree's root item and
//                                    "status: ..." of the five status bar parts joined by three
//                                    blanks (fails when none settles in time)
//   window-probe sample FOLDER       writes the sample scenery set into FOLDER
//   window-probe generate FOLDER E F A L   writes a generated set (E entries of F files of A Areas
//                                    of L Locations) into FOLDER and prints its VIS path
//   window-probe wait-count N        waits until the tree holds N items (the control, or the
//                                    status bar once no progress box is up)
//   window-probe areas               the Areas' labels, one a line
//   window-probe children LABEL      the labels of an Area's Locations, one a line
//   window-probe held-children LABEL the labels of the items the control holds under an item,
//                                    opening nothing (empty for an Area never filled)
//   window-probe held-count          how many items the control holds
//   window-probe expanded LABEL      whether an item the control holds is open ("yes" or "no")
//   window-probe where LABEL         "x y": the middle of the label on the screen (fails unless
//                                    shown)
//   window-probe button-where LABEL  "x y": the middle of an item's +/- button on the screen
//   window-probe selected | marked   the selected label ("<none>") | the marked labels
//   window-probe first-visible       the label of the first item shown
//   window-probe shown               the labels of the items in view, one a line
//   window-probe tree-edges          "left top right bottom": the tree's client area on the screen
//   window-probe drop-highlight      the label of the item a drop would go to ("<none>")
//   window-probe status PART         a status bar text
//   window-probe enabled             whether the main window takes input ("yes" or "no")
//   window-probe box CAPTION         the text of a box with this caption (fails when none is shown)
//   window-probe button CAPTION TEXT "x y": the middle of that box's button
//   window-probe detail ROW          the value text of a row of the details pane
//   window-probe detail-where ROW    "x y": the middle of that row's value on the screen
//   window-probe edit-box            the text of the edit box open over a value (fails when none)
//   window-probe cancel-printing     waits for the "Cancel Printing" box: "x y" of its Cancel
//   button window-probe menu-where EXE TITLE        "x y": the middle of a title of the menu bar
//   window-probe menu-item-offset EXE TITLE ITEM   "dx dy": the middle of a drop-down menu's item
//                                    from the drop-down's top left (shows a copy for a moment)
//   window-probe menu-open           "x y": the top left of the drop-down menu open in the program
//   window-probe post-command N      posts command N to the main window, as its menu item does
//   window-probe metrics             the controls' sizes at the window's dpi: "dpi", "font" (the
//                                    message font's height), "tree-item", "tool-button W H",
//                                    "status-bar", "details-row", each list's "-columns" widths
//                                    and its "-cut" headings (or "none"), "client", "tree-width"
//   window-probe check-rows          the rows of the menu check's list: "kind|Area|Location|what"
//   window-probe check-where ROW     "x y": a point on that row of the list on the screen
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "probe_commands.h"
#include "probe_windows.h"
#include "sample_set.h"
#include "scan_set_generator.h"

namespace {

bool IsNumber(const char* text) {
  if (*text == '\0') return false;
  for (; *text != '\0'; ++text) {
    if (*text < '0' || *text > '9') return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace probe;
  // Screen coordinates as the X display has them, whatever the dpi.
  SetProcessDPIAware();
  if (argc < 2 || IsNumber(argv[1])) return RunSettled(argc > 1 ? std::atoi(argv[1]) : 60);
  std::string command = argv[1];
  if (command == "sample" && argc > 2) {
    std::unique_ptr<tarnwick::FileSystem> fs = tarnwick::MakeNativeFileSystem(tarnwick::DriveMap{});
    std::string error;
    if (!tarnwick::sample::WriteSampleSet(*fs, argv[2], argv[2], error)) return Fail(error.c_str());
    std::printf("%s\\Scenery\\World.vis\n", argv[2]);
    return 0;
  }
  if (command == "generate" && argc > 6) {
    const auto set =
        tarnwick::bench::GenerateSet(argv[2], tarnwick::bench::ShapeFromWords(argv + 3));
    std::printf("%s\n", set.vis_file.string().c_str());
    return 0;
  }
  if (command == "metrics") return RunMetrics();
  if (command == "tree-edges" || command == "shown" || command == "drop-highlight") {
    return RunDrag(command);
  }
  if (command == "post-command" && argc > 2) {
    // As a menu item would send it, without waiting for the command to end.
    return PostMessageA(MainWindow(), WM_COMMAND, std::atoi(argv[2]), 0) ? 0 : Fail("no window");
  }
  if (command == "cancel-printing") return RunCancelPrinting();
  if (command == "enabled") return RunEnabled();
  if (command == "status" && argc > 2) return RunStatus(std::atoi(argv[2]));
  if (command == "menu-where" && argc > 3) return RunMenuWhere(argv[2], argv[3]);
  if (command == "menu-item-offset" && argc > 4) {
    return RunMenuItemOffset(argv[2], argv[3], argv[4]);
  }
  if (command == "menu-open") return RunMenuOpen();
  if (command == "box" && argc > 2) return RunBox(argv[2], nullptr);
  if (command == "button" && argc > 3) return RunBox(argv[2], argv[3]);
  if (command == "edit-box") return RunDetail(command, 0);
  if (command == "check-rows") return RunCheckList(command, 0);
  if (command == "check-where" && argc > 2) return RunCheckList(command, std::atoi(argv[2]));
  if ((command == "detail" || command == "detail-where") && argc > 2) {
    return RunDetail(command, std::atoi(argv[2]));
  }
  if (command == "wait-count") {
    // The first start in a prefix takes a while.
    for (int tries = 0; tries < 1200 && GetDlgItem(MainWindow(), kTreeId) == nullptr; ++tries) {
      Sleep(100);
    }
  }
  return RunTree(command, argc, argv);
}
