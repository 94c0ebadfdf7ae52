// tarnwick-bench-window: the real window's figures on a generated set beside their floors, all
// measured in one run under Wine.
//
//   tarnwick-bench-window generate DIR E F A L   writes a set (E entries of F files of A Areas of
//                                               L Locations, or "varied" LOCATIONS BIG F) and
//                                               prints its VIS path
//   tarnwick-bench-window measure VIS PROGRAM CLI [COPY]
//                                               COPY: the same set once more, for the saving
//                                               floor (tarnwick-cli save writes into its set)
//
// The floors: the scan and the save without a window (tarnwick-cli, a process of its own, its
// output written to a file), a bare tree-view control in a visible window of the program's size
// receiving, expanding, sorting and destroying the same items, and the memory tree's own sort
// and expansion. The program reports its own steps through the file named by TARNWICK_TIMING:
// each action is timed from the program taking its input to the first moment its queue is empty.
#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "floors.h"
#include "program_run.h"
#include "scan_set_generator.h"

namespace bench {

namespace {

constexpr int kOpen = 101, kSave = 102, kClose = 103, kMenusOn = 109, kMenusOff = 110,
              kRestore = 111, kDeleteArea = 123, kDeleteLocation = 124, kSortLocations = 126,
              kEditDetails = 127, kFind = 130, kFindNext = 131, kUndo = 132, kCut = 138,
              kPaste = 139, kExpandAll = 141, kCollapseAll = 142, kToggleVis = 301, kKeepVis = 302;
constexpr int kSearchText = 1008;
// The goal of every action, from the input to the answer.
constexpr double kActionGoal = 50;

void Settle() {
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

// Each figure beside its floor, printed as it comes, and the summary rows the run script gathers
// into one table (one column per set).
class Report {
 public:
  // A figure and the floor it is held against (`goal`: the ratio wanted, or 0).
  void Ratio(const std::string& name, double ms, const std::string& floor_name, double floor,
             double goal, const char* unit = "ms") {
    if (ms < 0 || floor <= 0) return Missing(name, ms < 0 ? "not measured" : "no floor");
    double ratio = ms / floor;
    std::printf("%-46s %9.1f %s   %s %.1f %s: %.2fx%s\n", name.c_str(), ms, unit,
                floor_name.c_str(), floor, unit, ratio, Verdict(ratio <= goal, goal > 0));
    // Small ratios keep two digits: 0.0× would hide which is the smaller.
    char times[32];
    std::snprintf(times, sizeof times, ratio < 0.1 ? "%.2f×" : "%.1f×", ratio);
    Row(name, Format((std::string("%s ") + unit + " / %s " + unit + " (").c_str(), ms, floor) +
                  times + ")");
  }
  // An action: its time and its longest stretch without a drain, against its goal (0: none).
  void Action(const std::string& name, const Span& span, double goal = kActionGoal) {
    if (span.ms < 0) return Missing(name, span.note.empty() ? "not measured" : span.note);
    char stretch[48] = "";
    if (span.stretch >= 0) std::snprintf(stretch, sizeof stretch, "stretch %.1f ms", span.stretch);
    std::printf("%-46s %9.1f ms   %s%s\n", name.c_str(), span.ms, stretch,
                Verdict(span.ms <= goal, goal > 0));
    if (!span.note.empty()) std::printf("%-46s (%s)\n", "", span.note.c_str());
    Row(name, Format("%s ms", span.ms) +
                  (span.stretch >= 0 ? Format(" (stretch %s ms)", span.stretch) : ""));
  }
  void Plain(const std::string& name, double value, const char* unit) {
    std::printf("%-46s %9.1f %s\n", name.c_str(), value, unit);
    Row(name, Format("%s ", value) + unit);
  }
  void Missing(const std::string& name, const std::string& why) {
    std::printf("%-46s %9s      %s\n", name.c_str(), "-", why.c_str());
    Row(name, "not measured");
  }
  void Flush() { std::fflush(stdout); }

 private:
  static const char* Verdict(bool met, bool has_goal) {
    return !has_goal ? "" : met ? "" : "   (over the goal)";
  }
  // The pattern with each "%s" replaced by the next whole number, thousands separated as the
  // README writes them.
  static std::string Format(const char* pattern, double a, double b = 0) {
    auto whole = [](double v) {
      std::string digits = std::to_string(static_cast<long long>(v + 0.5));
      for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<size_t>(at), ",");
      }
      return digits;
    };
    std::string out;
    int index = 0;
    for (const char* p = pattern; *p; ++p) {
      if (p[0] == '%' && p[1] == 's') {
        out += whole(index++ == 0 ? a : b);
        ++p;
      } else {
        out += *p;
      }
    }
    return out;
  }
  void Row(const std::string& name, const std::string& cell) {
    // A floor's line is indented under its figure on screen, not in the table.
    std::printf("@row %s\t%s\n", name.c_str() + name.find_first_not_of(' '), cell.c_str());
    std::fflush(stdout);
  }
};

// Presses the left button on an item and moves away, as a person starting a drag; true once the
// program holds the mouse for the drag.
bool StartDrag(ProgramRun& run, HTREEITEM item) {
  POINT at;
  if (!run.LabelCentre(item, at)) return false;
  PostMessageA(run.Tree(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageA(run.Tree(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + 24, at.y + 24));
  DWORD thread = GetWindowThreadProcessId(run.Main(), nullptr);
  for (int tries = 0; tries < 200; ++tries) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(thread, &info) && info.hwndCapture == run.Main()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Moves over `target` and lets go there.
Span Drop(ProgramRun& run, HTREEITEM target, bool shift) {
  POINT at;
  if (!run.LabelCentre(target, at)) return Span{-1, -1, -1, false, "the target is not shown"};
  MapWindowPoints(run.Tree(), run.Main(), &at, 1);
  LPARAM where = MAKELPARAM(at.x, at.y);
  return run.Measure([&] {
    PostMessageA(run.Main(), WM_MOUSEMOVE, MK_LBUTTON, where);
    PostMessageA(run.Main(), WM_LBUTTONUP, shift ? MK_SHIFT : 0, where);
  });
}

// The same move by Cut and Paste, the drop's equivalent by the keyboard.
Span CutPaste(ProgramRun& run, HTREEITEM item, HTREEITEM target) {
  run.Select(item);
  Span cut = run.Measure([&] { run.PostCommand(kCut); });
  run.Select(target);
  Span paste = run.Measure([&] { run.PostCommand(kPaste); });
  paste.note = "Cut and Paste in place of the drag";
  if (cut.ms < 0 || paste.ms < 0) paste.ms = -1;
  return paste;
}

// Waits for a window of the program that `wanted` takes.
HWND AwaitProgramWindow(ProgramRun& run, const std::function<HWND()>& find, double timeout_ms) {
  double start = CounterMs();
  while (CounterMs() - start < timeout_ms) {
    if (HWND found = find()) return found;
    run.AnswerBoxes();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return nullptr;
}

HWND ProgramDialog(ProgramRun& run, const char* caption) {
  HWND found = nullptr;
  while ((found = FindWindowExA(nullptr, found, "#32770", caption)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    if (owner == run.Id() && IsWindowVisible(found)) return found;
  }
  return nullptr;
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The Areas of the tree, in order.
std::vector<HTREEITEM> Areas(ProgramRun& run) {
  return run.Children(run.Item(TVGN_ROOT, nullptr));
}

// A Location of an Area: the Area opened first, since its Locations may wait for that.
HTREEITEM LocationOf(ProgramRun& run, HTREEITEM area, bool last = false) {
  run.Expand(area, true);
  std::vector<HTREEITEM> children = run.Children(area);
  if (children.empty()) return nullptr;
  return last ? children.back() : children.front();
}

// Shows the top of the tree with its first Areas closed, so that they stand on screen.
void ShowTop(ProgramRun& run, size_t areas) {
  std::vector<HTREEITEM> all = Areas(run);
  for (size_t i = 0; i < std::min(areas, all.size()); ++i) run.Expand(all[i], false);
  run.Select(run.Item(TVGN_ROOT, nullptr));
  Settle();
}

// The labels of the first Areas, to see that a drop moved one.
std::vector<std::string> FirstAreaLabels(ProgramRun& run, size_t count) {
  std::vector<std::string> labels;
  for (HTREEITEM area : Areas(run)) {
    if (labels.size() == count) break;
    labels.push_back(run.Label(area));
  }
  return labels;
}

void MeasureDrops(ProgramRun& run, Report& report) {
  // A Location of the second Area onto the first, which stays closed.
  std::vector<HTREEITEM> areas = Areas(run);
  run.Expand(areas[0], true);
  size_t held = run.Children(areas[0]).size();
  ShowTop(run, 8);
  HTREEITEM locn = LocationOf(run, areas[1]);
  Settle();
  Span span;
  if (locn != nullptr && StartDrag(run, locn)) {
    span = Drop(run, areas[0], false);
  } else {
    span = CutPaste(run, locn, areas[0]);
  }
  areas = Areas(run);
  run.Expand(areas[0], true);
  if (span.ms >= 0 && run.Children(areas[0]).size() != held + 1) {
    span = Span{-1, -1, -1, false, "the Location did not reach the Area"};
  }
  report.Action("drop: Location onto a closed Area", span);

  ShowTop(run, 8);
  areas = Areas(run);
  std::vector<std::string> order = FirstAreaLabels(run, 8);
  span = StartDrag(run, areas[2]) ? Drop(run, areas[4], false) : CutPaste(run, areas[2], areas[4]);
  if (span.ms >= 0 && FirstAreaLabels(run, 8) == order) {
    span = Span{-1, -1, -1, false, "the Area did not move"};
  }
  report.Action("drop: Area onto Area", span);

  ShowTop(run, 8);
  areas = Areas(run);
  size_t before = areas.size();
  if (StartDrag(run, areas[5])) {
    span = Drop(run, areas[6], true);
    if (span.ms >= 0 && Areas(run).size() != before - 1) {
      span = Span{-1, -1, -1, false, "the Shift drop did not merge the Areas"};
    }
  } else {
    span = Span{-1, -1, -1, false, "the drag could not be started from outside"};
  }
  report.Action("drop: Area onto Area with Shift (merge)", span);
}

void MeasureDetailsEdit(ProgramRun& run, Report& report) {
  std::vector<HTREEITEM> areas = Areas(run);
  HTREEITEM locn = LocationOf(run, areas[areas.size() / 2]);
  run.Select(locn);
  Settle();
  run.PostCommand(kEditDetails);
  HWND edit = AwaitProgramWindow(
      run, [&] { return FindWindowExA(run.Details(), nullptr, "Edit", nullptr); }, 3000);
  if (edit == nullptr) return report.Missing("edit applied in the details pane", "no edit box");
  std::string text = WindowText(edit);
  // Another value of the same form: its last digit changed.
  size_t digit = text.find_last_of("0123456789");
  if (digit != std::string::npos) text[digit] = text[digit] == '1' ? '2' : '1';
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  report.Action("edit applied in the details pane",
                run.Measure([&] { run.PostKey(edit, VK_RETURN); }));
  report.Action("undo (the edit)", run.Measure([&] { run.PostCommand(kUndo); }));
}

void MeasureLabelEdits(ProgramRun& run, Report& report) {
  std::vector<HTREEITEM> areas = Areas(run);
  run.Select(LocationOf(run, areas[areas.size() / 3]));
  Settle();
  report.Action("Insert (a new Location)",
                run.Measure([&] { run.PostKey(run.Tree(), VK_INSERT); }));
  // The new item's name is being typed: left as it is offered.
  if (HWND edit = reinterpret_cast<HWND>(SendMessageA(run.Tree(), TVM_GETEDITCONTROL, 0, 0))) {
    run.Measure([&] { run.PostKey(edit, VK_RETURN); });
  }

  run.Select(LocationOf(run, areas[areas.size() / 4]));
  Settle();
  run.PostKey(run.Tree(), VK_F2);
  HWND edit = AwaitProgramWindow(
      run,
      [&] { return reinterpret_cast<HWND>(SendMessageA(run.Tree(), TVM_GETEDITCONTROL, 0, 0)); },
      3000);
  if (edit == nullptr) return report.Missing("in-place rename", "no edit box over the label");
  std::string text = WindowText(edit) + " renamed";
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  report.Action("in-place rename", run.Measure([&] { run.PostKey(edit, VK_RETURN); }));
}

void MeasureFind(ProgramRun& run, Report& report) {
  // A Location deep in a closed Area, searched for from the top.
  std::vector<HTREEITEM> areas = Areas(run);
  HTREEITEM far_area = areas[areas.size() * 2 / 3];
  std::string wanted = run.Label(LocationOf(run, far_area, true));
  run.Expand(far_area, false);
  run.Select(run.Item(TVGN_ROOT, nullptr));
  Settle();
  run.PostCommand(kFind);
  HWND dialog = AwaitProgramWindow(
      run,
      [&] {
        return GetParent(GetDlgItem(ProgramDialog(run, "Search scenery list text"), kSearchText));
      },
      3000);
  if (dialog == nullptr || wanted.empty()) {
    return report.Missing("Find next", "no search dialog");
  }
  SetDlgItemTextA(dialog, kSearchText, wanted.c_str());
  report.Action("Find (the dialog's Search, into a closed Area)",
                run.Measure([&] { PostMessageA(dialog, WM_COMMAND, IDOK, 0); }));
  if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  run.Select(run.Item(TVGN_ROOT, nullptr));
  Settle();
  Span next = run.Measure([&] { run.PostCommand(kFindNext); });
  HTREEITEM found = run.Item(TVGN_CARET, nullptr);
  if (next.ms >= 0 && run.Label(found) != wanted) next.note = "found another item";
  report.Action("Find next (into a closed Area)", next);
}

void MeasureMark(ProgramRun& run, Report& report) {
  std::vector<HTREEITEM> areas = Areas(run);
  HTREEITEM locn = LocationOf(run, areas[areas.size() / 5]);
  run.Select(locn);
  Settle();
  HTREEITEM other = run.Item(TVGN_NEXT, locn);
  POINT at;
  if (other == nullptr || !run.LabelCentre(other, at)) {
    return report.Missing("mark (Ctrl+click)", "no second Location shown");
  }
  // Ctrl is held the way a keyboard holds it, so that the program reads it as pressed.
  INPUT key = {};
  key.type = INPUT_KEYBOARD;
  key.ki.wVk = VK_CONTROL;
  SendInput(1, &key, sizeof key);
  Settle();
  LPARAM where = MAKELPARAM(at.x, at.y);
  Span span = run.Measure([&] {
    PostMessageA(run.Tree(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, where);
    PostMessageA(run.Tree(), WM_LBUTTONUP, MK_CONTROL, where);
  });
  key.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &key, sizeof key);
  if (span.ms >= 0 && !run.Marked(other)) {
    span = Span{-1, -1, -1, false, "Ctrl could not be held from outside: the click marked nothing"};
  }
  report.Action("mark (Ctrl+click)", span);
}

// A re-read: the action's own figure and its cost beside the first open.
void Reread(Report& report, const std::string& name, const Span& span, double first_open,
            bool scan_only = false) {
  Span shown = span;
  if (shown.ms >= 0 && !shown.reread) shown.note += "the set was not read again";
  report.Action(name, shown, 0);
  double ms = scan_only ? span.scan : span.ms;
  report.Ratio("  " + name + (scan_only ? " (scan to idle)" : "") + " vs first open", ms,
               "first open", first_open, 1.2);
}

int Measure(const std::string& vis, const std::string& program, const std::string& cli,
            const std::string& copy) {
  Report report;
  Floors f = MeasureFloors(vis, cli);
  std::printf("set: %s, %zu tree items, %zu Areas\n", vis.c_str(), f.items, f.areas);
  if (f.areas < 12) {
    std::fprintf(stderr, "the set needs a dozen Areas at least\n");
    return 1;
  }

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  ProgramRun run(program, vis, std::string(temp) + "tarnwick-bench-window.txt");
  if (!run.Started()) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    return 1;
  }
  TimingFile& file = run.Timing();
  TimingLine scan_start = file.Await("scan-start", 600000);
  TimingLine frames = file.Await("scan-frames", 600000);
  TimingLine drains = file.Await("scan-drains", 600000);
  TimingLine scan_end = file.Await("scan-end", 600000);
  TimingLine shown = file.Await("idle", 600000);
  if (scan_start.time < 0 || shown.time < 0 || !run.AwaitWindow(10000) || run.Tree() == nullptr) {
    std::fprintf(stderr, "the program did not show the set\n");
    return 1;
  }
  double open = shown.time - scan_start.time;
  report.Ratio("open: scan start to idle, every count shown", open, "scan without window",
               f.scan.ms, 1.2);
  report.Ratio("  beside the former floor", open, "scan + bare insertion", f.scan.ms + f.insertion,
               0);
  std::printf("%-46s %9.1f ms   drawing frames %.1f ms, draining %.1f ms\n",
              "  of which the scan's own loop", scan_end.time - scan_start.time, frames.figure,
              drains.figure);
  std::printf("%-46s %9.1f ms\n", "  the same scan inside the benchmark", f.scan_in_process);
  std::printf("%-46s %s | %s | %s\n", "  status bar", run.StatusText(1).c_str(),
              run.StatusText(2).c_str(), run.StatusText(3).c_str());
  report.Plain("open: longest stretch without a drain", scan_end.figure, "ms");
  double window_mb = run.PeakPrivateMb();
  report.Ratio("memory: peak private bytes, set open", window_mb, "tarnwick-cli's", f.scan.peak_mb,
               2.0, "MB");
  report.Flush();

  // Selecting: the next Location by the arrow key, the last item and the root.
  std::vector<HTREEITEM> areas = Areas(run);
  run.Select(LocationOf(run, areas[0]));
  Settle();
  Span worst;
  for (WORD key : {VK_DOWN, VK_END, VK_HOME, VK_DOWN}) {
    Span span = run.Measure([&] { run.PostKey(run.Tree(), key); });
    if (span.ms < 0 || span.ms > worst.ms) worst = span;
    if (span.ms < 0) break;
  }
  report.Action("select an item (details filled), slowest of 4", worst);

  MeasureDrops(run, report);
  MeasureDetailsEdit(run, report);

  areas = Areas(run);
  run.Select(LocationOf(run, areas[areas.size() / 2 + 1]));
  Settle();
  report.Action("Delete Location", run.Measure([&] { run.PostCommand(kDeleteLocation); }));
  run.Select(areas[areas.size() / 2 + 2]);
  Settle();
  report.Action("Delete Area", run.Measure([&] { run.PostCommand(kDeleteArea); }));
  report.Action("undo (Delete Area)", run.Measure([&] { run.PostCommand(kUndo); }));

  MeasureLabelEdits(run, report);
  MeasureFind(run, report);
  MeasureMark(run, report);

  // The VIS pane: the last entry switched off and kept, then the one before it.
  HWND vis_list = run.VisList();
  // Every setup step that goes through the queue is waited for like a measured one.
  run.Measure([&] { run.PostKey(vis_list, VK_END); });
  report.Action("mark a VIS entry", run.Measure([&] { run.PostCommand(kToggleVis); }));
  Reread(report, "keep VIS changes (one entry off)",
         run.Measure([&] { run.PostCommand(kKeepVis); }), open);
  run.Measure([&] { run.PostKey(vis_list, VK_END); });
  run.Measure([&] { run.PostKey(vis_list, VK_UP); });
  run.Measure([&] { run.PostCommand(kToggleVis); });
  Span again = run.Measure([&] { run.PostCommand(kKeepVis); });
  if (!again.reread) again = Span{-1, -1, -1, false, "the entry could not be switched"};
  Reread(report, "keep VIS changes (another entry off)", again, open);

  Span sort = run.Measure([&] { run.PostCommand(kSortLocations); });
  report.Action("Sort Locations", sort, 0);
  report.Ratio("  Sort Locations vs its floors", sort.ms, "control's + memory tree's",
               f.sort_control + f.sort_memory, 0);
  report.Action("Collapse all", run.Measure([&] { run.PostCommand(kCollapseAll); }), 0);
  Span expand = run.Measure([&] { run.PostCommand(kExpandAll); });
  report.Action("Expand all", expand, 0);
  report.Ratio("  Expand all vs the bare control", expand.ms, "insertion + expansion",
               f.insertion + f.expand_control, 2.0);
  run.Measure([&] { run.PostCommand(kCollapseAll); });

  Reread(report, "Disable original menus", run.Measure([&] { run.PostCommand(kMenusOff); }), open);
  Reread(report, "Enable original menus", run.Measure([&] { run.PostCommand(kMenusOn); }), open);

  Span save = run.Measure([&] { run.PostCommand(kSave); });
  report.Action("Save", save, 0);
  if (!copy.empty()) {
    ProcessCost cli_save = RunProcess("\"" + cli + "\" save \"" + copy + "\" --yes");
    report.Ratio("  Save vs tarnwick-cli save of a copy", save.ms, "tarnwick-cli save", cli_save.ms,
                 1.5);
  }
  Reread(report, "Restore previous results", run.Measure([&] { run.PostCommand(kRestore); }), open);

  // Reopening the same set through File > Open, its dialog answered with the set's path.
  Span reopen = run.Measure([&] {
    run.PostCommand(kOpen);
    HWND dialog = AwaitProgramWindow(
        run, [&] { return ProgramDialog(run, "Open Scenery Control File (VIS)"); }, 20000);
    if (dialog == nullptr) return;
    HWND name = GetDlgItem(dialog, 0x47C);  // the file name box
    if (name == nullptr) name = GetDlgItem(dialog, 0x480);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(vis.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  if (reopen.scan < 0) reopen = Span{-1, -1, -1, false, "the set was not read again"};
  Reread(report, "reopen the set (File > Open)", reopen, open, /*scan_only=*/true);

  Span close = run.Measure([&] { run.PostCommand(kClose); });
  report.Action("close", close, 100);
  report.Ratio("  close vs the bare control destroyed + 100 ms", close.ms, "destruction + 100",
               f.destruction + 100, 1.0);
  return 0;
}

}  // namespace

}  // namespace bench

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "generate" && argc > 6) {
    auto set = tarnwick::bench::GenerateSet(argv[2], tarnwick::bench::ShapeFromWords(argv + 3));
    std::printf("%s\n", set.vis_file.string().c_str());
    std::printf("%d BGLs, %d with menus, %d Areas, %d Locations, %d records dropped\n",
                static_cast<int>(set.bgls.size()), set.menu_bgls, set.areas, set.locations,
                set.dropped);
    return 0;
  }
  if (command == "measure" && argc > 4) {
    return bench::Measure(argv[2], argv[3], argv[4], argc > 5 ? argv[5] : "");
  }
  std::fprintf(stderr,
               "usage: tarnwick-bench-window generate DIR E F A L | DIR varied LOCATIONS BIG F\n"
               "       tarnwick-bench-window measure VIS PROGRAM CLI [COPY]\n");
  return 2;
}
