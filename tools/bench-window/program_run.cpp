#include "program_run.h"

// clang-format off
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace bench {

namespace {

constexpr int kTreeId = 1003;
constexpr int kDetailsId = 1004;
constexpr int kVisId = 1005;
// The dialogs of the program that are no question to answer (the wait box has no button).
constexpr int kProgressCancel = 201;
constexpr int kSearchText = 1008;
constexpr int kCheckList = 1012;

void Nap() {
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace

double CounterMs() {
  LARGE_INTEGER value, frequency;
  QueryPerformanceCounter(&value);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(value.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool TimingFile::ReadNext(TimingLine& out) {
  if (unread_.empty()) {
    std::ifstream in(path_);
    std::string text;
    size_t index = 0;
    while (std::getline(in, text)) {
      // A line still being written has no end yet.
      if (in.eof()) break;
      if (index++ < seen_) continue;
      std::istringstream words(text);
      TimingLine line;
      words >> line.time >> line.step;
      if (!(words >> line.figure)) line.figure = -1;
      unread_.push_back(line);
      seen_ = index;
    }
    std::reverse(unread_.begin(), unread_.end());
  }
  if (unread_.empty()) return false;
  out = unread_.back();
  unread_.pop_back();
  return true;
}

TimingLine TimingFile::Await(const std::string& step, double timeout_ms,
                             const std::function<void()>& poll,
                             const std::function<void(const TimingLine&)>& seen) {
  double start = CounterMs();
  TimingLine line;
  while (CounterMs() - start < timeout_ms) {
    while (ReadNext(line)) {
      if (line.step == step) return line;
      if (seen) seen(line);
    }
    if (poll) poll();
    Nap();
  }
  return TimingLine{};
}

void TimingFile::SkipAll() {
  TimingLine line;
  while (ReadNext(line)) {
  }
}

ProgramRun::ProgramRun(const std::string& program, const std::string& vis,
                       const std::string& timing)
    : timing_(timing) {
  DeleteFileA(timing.c_str());
  SetEnvironmentVariableA("TARNWICK_TIMING", timing.c_str());
  std::string command = "\"" + program + "\" \"" + vis + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process_)) {
    process_ = {};
  }
  SetEnvironmentVariableA("TARNWICK_TIMING", nullptr);
}

ProgramRun::~ProgramRun() {
  if (process_.hProcess == nullptr) return;
  TerminateProcess(process_.hProcess, 0);
  WaitForSingleObject(process_.hProcess, 10000);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

bool ProgramRun::AwaitWindow(double timeout_ms) {
  double start = CounterMs();
  while (CounterMs() - start < timeout_ms) {
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, "Tarnwick", nullptr)) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (owner == process_.dwProcessId) {
        main_ = found;
        return true;
      }
    }
    Nap();
  }
  return false;
}

HWND ProgramRun::Tree() const {
  return GetDlgItem(main_, kTreeId);
}
HWND ProgramRun::Details() const {
  return GetDlgItem(main_, kDetailsId);
}
HWND ProgramRun::VisList() const {
  return GetDlgItem(main_, kVisId);
}

double ProgramRun::PeakPrivateMb() const {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process_.hProcess,
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters)) {
    return -1;
  }
  SIZE_T bytes =
      std::max({counters.PeakPagefileUsage, counters.PagefileUsage, counters.PrivateUsage});
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

double ProgramRun::AnswerBoxes(std::string* notes) {
  struct Search {
    DWORD program;
    std::vector<HWND> boxes;
  } search = {process_.dwProcessId, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (owner == s->program && IsWindowVisible(window) && std::strcmp(name, "#32770") == 0 &&
            GetDlgItem(window, kProgressCancel) == nullptr &&
            GetDlgItem(window, kSearchText) == nullptr &&
            GetDlgItem(window, kCheckList) == nullptr &&
            (GetDlgItem(window, IDOK) != nullptr || GetDlgItem(window, IDYES) != nullptr)) {
          s->boxes.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  double stood = 0;
  for (HWND box : search.boxes) {
    char caption[128] = {};
    GetWindowTextA(box, caption, sizeof caption);
    // The file dialog is answered by whoever opened it.
    if (std::strncmp(caption, "Tarnwick", 8) != 0) continue;
    double seen = CounterMs();
    char text[512] = {};
    // A message box's text (Wine numbers it 100), or a dialog's first text.
    if (GetDlgItemTextA(box, 100, text, sizeof text) == 0) {
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    }
    if (notes != nullptr && std::strcmp(caption, "Tarnwick Confirmation") != 0) {
      *notes += std::string(notes->empty() ? "" : "; ") + caption + ": " + text;
    }
    bool question = std::strcmp(caption, "Tarnwick Confirmation") == 0;
    PostMessageA(box, WM_COMMAND, question ? IDYES : IDOK, 0);
    // A box stands from its first frame; the benchmark sees it within a poll.
    stood += CounterMs() - seen + 5;
  }
  return stood;
}

Span ProgramRun::Measure(const std::function<void()>& act, double timeout_ms) {
  Span span;
  timing_.SkipAll();
  act();
  double boxes = 0;
  auto poll = [&] { boxes += AnswerBoxes(&span.note); };
  double scan_start = -1;
  auto seen = [&](const TimingLine& line) {
    if (line.step == "stretch") span.stretch = std::max(span.stretch, line.figure);
    if (line.step == "scan-start") scan_start = line.time;
    if (line.step == "scan-start" || line.step == "close-start") span.reread = true;
  };
  TimingLine input = timing_.Await("input", timeout_ms, poll, seen);
  if (input.time < 0) {
    span.note = "the program took no input";
    return span;
  }
  TimingLine idle = timing_.Await("idle", timeout_ms, poll, seen);
  if (idle.time < 0) {
    span.note = "the program did not come back to idle";
    return span;
  }
  span.ms = idle.time - input.time - boxes;
  if (scan_start >= 0) span.scan = idle.time - scan_start;
  return span;
}

HTREEITEM ProgramRun::Item(UINT relation, HTREEITEM from) const {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(Tree(), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

std::string ProgramRun::Label(HTREEITEM handle) const {
  probe::RemoteBlock block(main_);
  constexpr size_t kText = 256;
  TVITEMA item = {};
  item.mask = TVIF_TEXT | TVIF_HANDLE;
  item.hItem = handle;
  item.pszText = block.at(kText);
  item.cchTextMax = static_cast<int>(probe::RemoteBlock::kSize - kText);
  if (!block.ok() || !block.Write(0, &item, sizeof item) ||
      !SendMessageA(Tree(), TVM_GETITEMA, 0, block.lparam())) {
    return "";
  }
  return block.ReadText(kText, probe::RemoteBlock::kSize - kText);
}

bool ProgramRun::LabelCentre(HTREEITEM handle, POINT& centre) const {
  probe::RemoteBlock block(main_);
  RECT rect = {};
  std::memcpy(&rect, &handle, sizeof handle);
  if (!block.ok() || !block.Write(0, &rect, sizeof rect) ||
      !SendMessageA(Tree(), TVM_GETITEMRECT, TRUE, block.lparam()) ||
      !block.Read(0, &rect, sizeof rect)) {
    return false;
  }
  centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  return true;
}

int ProgramRun::ChildCount(HTREEITEM parent) const {
  int count = 0;
  for (HTREEITEM child = Item(TVGN_CHILD, parent); child; child = Item(TVGN_NEXT, child)) {
    ++count;
  }
  return count;
}

std::vector<HTREEITEM> ProgramRun::Children(HTREEITEM parent) const {
  std::vector<HTREEITEM> children;
  for (HTREEITEM child = Item(TVGN_CHILD, parent); child; child = Item(TVGN_NEXT, child)) {
    children.push_back(child);
  }
  return children;
}

bool ProgramRun::Marked(HTREEITEM handle) const {
  // The picture of a marked item is its kind's moved on by three; the kind is in the item data.
  probe::RemoteBlock block(main_);
  TVITEMA item = {};
  item.mask = TVIF_IMAGE | TVIF_PARAM | TVIF_HANDLE;
  item.hItem = handle;
  if (!block.ok() || !block.Write(0, &item, sizeof item) ||
      !SendMessageA(Tree(), TVM_GETITEMA, 0, block.lparam()) ||
      !block.Read(0, &item, sizeof item)) {
    return false;
  }
  int kind = static_cast<int>((static_cast<unsigned long long>(item.lParam) >> 16) & 0xFFFF);
  return item.iImage == kind + 3;
}

std::string ProgramRun::StatusText(int part) const {
  probe::RemoteBlock block(main_);
  if (!block.ok()) return "";
  SendMessageA(GetDlgItem(main_, 1006), SB_GETTEXTA, static_cast<WPARAM>(part), block.lparam());
  return block.ReadText(0, 255);
}

void ProgramRun::Expand(HTREEITEM area, bool open) const {
  SendMessageA(Tree(), TVM_EXPAND, open ? TVE_EXPAND : TVE_COLLAPSE,
               reinterpret_cast<LPARAM>(area));
}

void ProgramRun::Select(HTREEITEM item) const {
  SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void ProgramRun::PostKey(HWND window, WORD key) const {
  UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
  PostMessageA(window, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageA(window, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
}

}  // namespace bench
