// window_probe.exe [SECONDS]: waits up to SECONDS (default 60) for a Tarnwick main window whose
// scan has ended, then prints what it shows, read from outside the program:
//   root: <label of the tree's root item>
//   status: <the five status bar parts, joined by three blanks>
// Exit code 0 when a window was read, 1 when none appeared in time.
//
// The tree and status bar messages carry pointers, so their buffers are allocated inside the
// program's process and read back from there.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kTreeId = 1003;
constexpr int kStatusBarId = 1006;
constexpr int kStatusParts = 5;
constexpr SIZE_T kRemoteSize = 4096;

class RemoteBuffer {
 public:
  explicit RemoteBuffer(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) {
      base_ = static_cast<char*>(
          VirtualAllocEx(process_, nullptr, kRemoteSize, MEM_COMMIT, PAGE_READWRITE));
    }
  }
  ~RemoteBuffer() {
    if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool ok() const { return base_ != nullptr; }
  char* at(SIZE_T offset) const { return base_ + offset; }
  bool Write(SIZE_T offset, const void* data, SIZE_T size) const {
    return WriteProcessMemory(process_, base_ + offset, data, size, nullptr) != 0;
  }
  std::string ReadText(SIZE_T offset, SIZE_T max) const {
    std::string text(max, '\0');
    if (!ReadProcessMemory(process_, base_ + offset, text.data(), max, nullptr)) return "";
    text.resize(text.find('\0') == std::string::npos ? max : text.find('\0'));
    return text;
  }

 private:
  HANDLE process_ = nullptr;
  char* base_ = nullptr;
};

std::string StatusPart(HWND status, const RemoteBuffer& remote, int part) {
  SendMessageA(status, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(remote.at(0)));
  return remote.ReadText(0, 512);
}

std::string RootLabel(HWND tree, const RemoteBuffer& remote) {
  auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  if (!root) return "";
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = root;
  item.pszText = remote.at(1024);
  item.cchTextMax = 1024;
  if (!remote.Write(0, &item, sizeof item)) return "";
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.at(0)))) return "";
  return remote.ReadText(1024, 1024);
}

// The progress box is a dialog owned by the main window while a long operation runs.
bool ProgressBoxShown(HWND main) {
  struct Search {
    HWND main;
    bool found;
  } search = {main, false};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        char cls[16] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (GetWindow(window, GW_OWNER) == s->main && IsWindowVisible(window) &&
            std::string(cls) == "#32770") {
          s->found = true;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  std::string last;
  int steady = 0;
  for (int tick = 0; tick < seconds * 4; ++tick, Sleep(250)) {
    HWND main = FindWindowA("Tarnwick", nullptr);
    if (!main) continue;
    HWND tree = GetDlgItem(main, kTreeId);
    HWND status = GetDlgItem(main, kStatusBarId);
    if (!tree || !status || ProgressBoxShown(main)) continue;
    RemoteBuffer remote(main);
    if (!remote.ok()) continue;
    std::string shown = "root: " + RootLabel(tree, remote) + "\nstatus: ";
    for (int part = 0; part < kStatusParts; ++part) {
      shown += (part ? "   " : "") + StatusPart(status, remote, part);
    }
    // The same reading for a whole second: the scan has settled.
    steady = shown == last ? steady + 1 : 0;
    last = shown;
    if (steady >= 4 && shown.rfind("root: \n", 0) != 0) {
      std::printf("%s\n", shown.c_str());
      return 0;
    }
  }
  std::fprintf(stderr, "window_probe: no settled Tarnwick window within %d s\n", seconds);
  if (!last.empty()) std::fprintf(stderr, "last seen:\n%s\n", last.c_str());
  return 1;
}
