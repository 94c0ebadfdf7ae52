// tarnwick-bench-window: the real window's figures on a generated set beside their floors, all
// measured in one run under Wine.
//
//   tarnwick-bench-window generate DIR E F A L   writes a set (E entries of F files of A Areas of
//                                               L Locations) and prints its VIS path
//   tarnwick-bench-window measure VIS PROGRAM CLI
//
// The floors: the scan without a window (tarnwick-cli menu --summary, a process of its own, its
// output written to a file), a bare tree-view control in a visible window of the program's size
// receiving, expanding, sorting and destroying the same items, and the memory tree's own sort
// and expansion. The program reports its own steps through the file named by TARNWICK_TIMING.
#include <windows.h>
// The controls' declarations need the platform's first.
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/scenery_job.h"
#include "scan_set_generator.h"
#include "tree/tree_edits.h"
#include "tree/tree_expansion.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Milliseconds on the clock the program's timing file uses.
double CounterMs() {
  LARGE_INTEGER value, frequency;
  QueryPerformanceCounter(&value);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(value.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Figure(const char* name, double value, const char* unit = "ms") {
  std::printf("%-44s %10.1f %s\n", name, value, unit);
  std::fflush(stdout);
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Runs a program and waits for it; the wall time in milliseconds, negative when it failed.
double RunProcess(std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  // A file, not the NUL device: the C runtime writes to a character device unbuffered.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string output_path = std::string(temp) + "tarnwick-bench-window-cli.txt";
  HANDLE output = CreateFileA(output_path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, &inherit,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
  startup.hStdOutput = startup.hStdError = output;
  PROCESS_INFORMATION process = {};
  auto start = Clock::now();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    CloseHandle(output);
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  double ms = MsSince(start);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(output);
  return code == 0 ? ms : -1;
}

// The bare control: a visible window of the program's size with a tree-view of its styles.
struct BareTree {
  HWND frame = nullptr;
  HWND control = nullptr;
  BareTree() {
    frame = CreateWindowExA(0, "STATIC", "floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 768, 576,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    control =
        CreateWindowExA(0, WC_TREEVIEWA, "",
                        WS_CHILD | WS_VISIBLE | WS_THICKFRAME | TVS_HASBUTTONS | TVS_HASLINES |
                            TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                        0, 28, 384, 480, frame, nullptr, GetModuleHandleA(nullptr), nullptr);
    Pump();
  }
  ~BareTree() {
    if (frame) DestroyWindow(frame);
  }
  HTREEITEM Add(HTREEITEM parent, const std::string& label) {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(label.c_str());
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(control, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }
};

struct Floors {
  double scan = 0;
  double scan_in_process = 0;
  double insertion = 0;
  double destruction = 0;
  double expand_control = 0;
  double sort_control = 0;
  double expand_memory = 0;
  double sort_memory = 0;
  size_t items = 0;
};

Floors MeasureFloors(const std::string& vis, const std::string& cli) {
  Floors f;
  f.scan = RunProcess("\"" + cli + "\" menu --summary \"" + vis + "\"");

  tarnwick::cli::JobLine line;
  line.file = vis;
  tarnwick::cli::SceneryJob job(line, tarnwick::cli::CliHost::Answer::kNo);
  auto start_scan = Clock::now();
  if (!job.Locate("menu") || !job.Scan()) {
    std::fprintf(stderr, "the set could not be scanned\n");
    std::exit(1);
  }
  f.scan_in_process = MsSince(start_scan);
  tarnwick::MenuTree& tree = job.tree();
  f.items = tree.Count();

  {
    BareTree bare;
    auto start = Clock::now();
    tarnwick::TreeNode root = tree.Root();
    HTREEITEM root_item = bare.Add(TVI_ROOT, tree.Label(root));
    std::vector<HTREEITEM> areas;
    for (auto area = tree.FirstChild(root); area; area = tree.Next(area)) {
      HTREEITEM area_item = bare.Add(root_item, tree.Label(area));
      areas.push_back(area_item);
      for (auto locn = tree.FirstChild(area); locn; locn = tree.Next(locn)) {
        bare.Add(area_item, tree.Label(locn));
      }
    }
    SendMessageA(bare.control, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root_item));
    UpdateWindow(bare.control);
    Pump();
    f.insertion = MsSince(start);

    // One message to every Area, and the tree drawn afterwards.
    auto each_area = [&](UINT message, WPARAM wparam) {
      auto begun = Clock::now();
      for (HTREEITEM area : areas) {
        SendMessageA(bare.control, message, wparam, reinterpret_cast<LPARAM>(area));
      }
      UpdateWindow(bare.control);
      Pump();
      return MsSince(begun);
    };
    f.expand_control = each_area(TVM_EXPAND, TVE_EXPAND);
    f.sort_control = each_area(TVM_SORTCHILDREN, FALSE);

    start = Clock::now();
    DestroyWindow(bare.control);
    bare.control = nullptr;
    f.destruction = MsSince(start);
  }

  tarnwick::Session& s = job.session();
  auto start = Clock::now();
  tarnwick::ExpandAll(s, true);
  f.expand_memory = MsSince(start);
  start = Clock::now();
  tarnwick::SortEntries(s, tarnwick::SortWhich::kLocations);
  f.sort_memory = MsSince(start);
  return f;
}

// The program's timing file, read while it runs.
class TimingFile {
 public:
  explicit TimingFile(std::string path) : path_(std::move(path)) {}
  // Waits for `step` after line `from` (and, with `then_idle`, for the idle that follows it).
  // Returns the line's time, or -1 after the time limit.
  double Await(const std::string& step, double timeout_ms = 600000) {
    auto start = Clock::now();
    while (MsSince(start) < timeout_ms) {
      std::ifstream in(path_);
      std::string line;
      size_t index = 0;
      while (std::getline(in, line)) {
        if (index++ < seen_) continue;
        std::istringstream words(line);
        double time = 0;
        std::string name;
        double figure = -1;
        words >> time >> name;
        if (!(words >> figure)) figure = -1;
        seen_ = index;
        if (name == step) {
          last_figure_ = figure;
          return time;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
  }
  double LastFigure() const { return last_figure_; }

 private:
  std::string path_;
  size_t seen_ = 0;
  double last_figure_ = -1;
};

HWND FindTree(HWND main) {
  return FindWindowExA(main, nullptr, WC_TREEVIEWA, nullptr);
}

// Answers the program's confirmation box, when one comes, with Yes.
void AnswerYes(DWORD process_id) {
  for (int tries = 0; tries < 200; ++tries) {
    HWND box = FindWindowA("#32770", "Tarnwick Confirmation");
    DWORD owner = 0;
    if (box) GetWindowThreadProcessId(box, &owner);
    if (box && owner == process_id) {
      PostMessageA(box, WM_COMMAND, IDYES, 0);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

int Measure(const std::string& vis, const std::string& program, const std::string& cli) {
  Floors f = MeasureFloors(vis, cli);
  std::printf("set: %s, %zu tree items\n", vis.c_str(), f.items);

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string timing = std::string(temp) + "tarnwick-bench-window.txt";
  DeleteFileA(timing.c_str());
  SetEnvironmentVariableA("TARNWICK_TIMING", timing.c_str());
  std::string command = "\"" + program + "\" \"" + vis + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", program.c_str());
    return 1;
  }
  TimingFile file(timing);
  double scan_start = file.Await("scan-start");
  double frames = (file.Await("scan-frames"), file.LastFigure());
  double drains = (file.Await("scan-drains"), file.LastFigure());
  double scan_end = file.Await("scan-end");
  double longest_pump = file.LastFigure();
  double shown = file.Await("idle");
  if (scan_start < 0 || shown < 0) {
    std::fprintf(stderr, "the program did not show the set\n");
    TerminateProcess(process.hProcess, 1);
    return 1;
  }
  double floor_open = f.scan + f.insertion;
  Figure("open: scan start to last item shown", shown - scan_start);
  Figure("  of which the scan's own loop", scan_end - scan_start);
  Figure("    drawing frames", frames);
  Figure("    draining the queue between frames", drains);
  Figure("  floor: scan without window (cli)", f.scan);
  Figure("  floor: bare tree-view insertion", f.insertion);
  Figure("  (the same scan inside this process)", f.scan_in_process);
  Figure("  ratio to floor", (shown - scan_start) / floor_open, "x");
  Figure("longest time between two drains (Cancel)", longest_pump);

  HWND main = FindWindowA("Tarnwick", nullptr);
  HWND control = FindTree(main);
  if (control == nullptr) {
    std::fprintf(stderr, "no tree pane\n");
    TerminateProcess(process.hProcess, 1);
    return 1;
  }
  // Selection changes: a Location of the first Area, then the last item of the tree.
  auto item = [&](UINT relation, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(control, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
  };
  HTREEITEM root = item(TVGN_ROOT, nullptr);
  HTREEITEM first_locn = item(TVGN_CHILD, item(TVGN_CHILD, root));
  HTREEITEM last = item(TVGN_LASTVISIBLE, nullptr);
  double worst_select = 0;
  for (HTREEITEM target : {first_locn, last, first_locn}) {
    double start = CounterMs();
    SendMessageA(control, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(target));
    worst_select = std::max(worst_select, CounterMs() - start);
  }
  Figure("selection change, slowest of three", worst_select);

  auto command_time = [&](UINT id, const char* name, double control_floor, double memory_floor) {
    double start = CounterMs();
    PostMessageA(main, WM_COMMAND, id, 0);
    file.Await("command-end");
    double idle = file.Await("idle");
    Figure(name, idle - start);
    Figure("  floor: control's own", control_floor);
    Figure("  floor: memory tree", memory_floor);
    Figure("  ratio to floor", (idle - start) / (control_floor + memory_floor), "x");
  };
  command_time(126, "Sort Locations", f.sort_control, f.sort_memory);
  command_time(142, "Collapse all", f.expand_control, f.expand_memory);
  command_time(141, "Expand all", f.expand_control, f.expand_memory);

  // Closing: the confirmation answered, from the close's start to the window idle again.
  PostMessageA(main, WM_COMMAND, 103, 0);
  AnswerYes(process.dwProcessId);
  double close_start = file.Await("close-start");
  double close_end = file.Await("close-end");
  double close_idle = file.Await("idle");
  Figure("close: tree destroyed", close_end - close_start);
  Figure("close: until the window is idle", close_idle - close_start);
  Figure("  floor: bare control destroyed", f.destruction);
  Figure("  ratio to floor (+100 ms)", (close_idle - close_start) / (f.destruction + 100), "x");

  TerminateProcess(process.hProcess, 0);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "generate" && argc > 6) {
    auto set = tarnwick::bench::GenerateSet(argv[2], tarnwick::bench::ShapeFromWords(argv + 3));
    std::printf("%s\n", set.vis_file.string().c_str());
    return 0;
  }
  if (command == "measure" && argc > 4) return Measure(argv[2], argv[3], argv[4]);
  std::fprintf(stderr,
               "usage: tarnwick-bench-window generate DIR E F A L\n"
               "       tarnwick-bench-window measure VIS PROGRAM CLI\n");
  return 2;
}
