// The main window read from outside as a whole: the status bar, whether it takes input, and the
// settled window a scan leaves behind.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "probe_commands.h"
#include "probe_windows.h"

namespace probe {
namespace {

constexpr int kStatusParts = 5;

std::string StatusText(HWND bar, const RemoteBlock& block, int part) {
  SendMessageA(bar, SB_GETTEXTA, part, block.lparam());
  return block.ReadText(0, 255);
}

std::string RootLabel(HWND tree, const RemoteBlock& block) {
  auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  if (!root) return "";
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = root;
  item.pszText = block.at(1024);
  item.cchTextMax = 1024;
  if (!block.Write(0, &item, sizeof item)) return "";
  if (!SendMessageA(tree, TVM_GETITEMA, 0, block.lparam())) return "";
  return block.ReadText(1024, 1024);
}

// The progress box is a dialog owned by the main window while a long operation runs.
bool ProgressBoxShown(HWND main) {
  return FindProgramWindow([main](HWND window) {
           char kind[16] = {};
           GetClassNameA(window, kind, sizeof kind);
           return GetWindow(window, GW_OWNER) == main && std::string(kind) == "#32770";
         }) != nullptr;
}

}  // namespace

int CountedItems(HWND main) {
  HWND bar = GetDlgItem(main, kStatusBarId);
  if (bar == nullptr || ProgressBoxShown(main)) return -1;
  RemoteBlock block(bar);
  if (!block.ok()) return -1;
  // "Areas: N" and "Locns: N", and the root above them.
  int items = 1;
  for (int part : {0, 1}) {
    std::string text = StatusText(bar, block, part);
    size_t colon = text.find(':');
    if (colon == std::string::npos) return -1;
    items += std::atoi(text.c_str() + colon + 1);
  }
  return items;
}

int RunStatus(int part) {
  HWND bar = GetDlgItem(MainWindow(), kStatusBarId);
  if (bar == nullptr) return Fail("no status bar");
  RemoteBlock block(bar);
  if (!block.ok()) return Fail("cannot reach the program's memory");
  std::printf("%s\n", StatusText(bar, block, part).c_str());
  return 0;
}

int RunEnabled() {
  std::printf("%s\n", IsWindowEnabled(MainWindow()) ? "yes" : "no");
  return 0;
}

int RunSettled(int seconds) {
  std::string last;
  int steady = 0;
  for (int tick = 0; tick < seconds * 4; ++tick, Sleep(250)) {
    HWND main = MainWindow();
    if (!main) continue;
    HWND tree = GetDlgItem(main, kTreeId);
    HWND status = GetDlgItem(main, kStatusBarId);
    if (!tree || !status || ProgressBoxShown(main)) continue;
    RemoteBlock block(main);
    if (!block.ok()) continue;
    std::string shown = "root: " + RootLabel(tree, block) + "\nstatus: ";
    for (int part = 0; part < kStatusParts; ++part) {
      shown += (part ? "   " : "") + StatusText(status, block, part);
    }
    // The same reading for a whole second: the scan has settled.
    steady = shown == last ? steady + 1 : 0;
    last = shown;
    if (steady >= 4 && shown.rfind("root: \n", 0) != 0) {
      std::printf("%s\n", shown.c_str());
      return 0;
    }
  }
  std::fprintf(stderr, "window-probe: no settled Tarnwick window within %d s\n", seconds);
  if (!last.empty()) std::fprintf(stderr, "last seen:\n%s\n", last.c_str());
  return 1;
}

}  // namespace probe
