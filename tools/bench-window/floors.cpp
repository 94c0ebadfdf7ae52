#include "floors.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cli/scenery_job.h"
#include "tree/tree_edits.h"
#include "tree/tree_expansion.h"

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

double PrivateMb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters)) {
    return -1;
  }
  SIZE_T bytes =
      std::max({counters.PeakPagefileUsage, counters.PagefileUsage, counters.PrivateUsage});
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
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
  BareTree(const BareTree&) = delete;
  BareTree& operator=(const BareTree&) = delete;
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

}  // namespace

ProcessCost RunProcess(std::string command) {
  ProcessCost cost;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
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
    return cost;
  }
  // Wine reads a process's counters from the living process only: sampled while it runs.
  while (WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT) {
    cost.peak_mb = std::max(cost.peak_mb, PrivateMb(process.hProcess));
  }
  double ms = MsSince(start);
  cost.peak_mb = std::max(cost.peak_mb, PrivateMb(process.hProcess));
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  CloseHandle(output);
  if (code == 0) cost.ms = ms;
  return cost;
}

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
    f.areas = areas.size();

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

}  // namespace bench
