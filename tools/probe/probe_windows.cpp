#include "probe_windows.h"

#include <cstdio>

namespace probe {

RemoteBlock::RemoteBlock(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
  if (process_ != nullptr) {
    base_ = static_cast<char*>(
        VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  }
}

RemoteBlock::~RemoteBlock() {
  if (base_ != nullptr) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
  if (process_ != nullptr) CloseHandle(process_);
}

bool RemoteBlock::Write(size_t offset, const void* data, size_t size) const {
  return WriteProcessMemory(process_, base_ + offset, data, size, nullptr) != 0;
}

bool RemoteBlock::Read(size_t offset, void* data, size_t size) const {
  return ReadProcessMemory(process_, base_ + offset, data, size, nullptr) != 0;
}

std::string RemoteBlock::ReadText(size_t offset, size_t max) const {
  std::string text(max, '\0');
  if (!Read(offset, text.data(), max)) return "";
  text.resize(text.find('\0') == std::string::npos ? max : text.find('\0'));
  return text;
}

HWND MainWindow() {
  return FindWindowA("Tarnwick", nullptr);
}

int Fail(const char* what) {
  std::fprintf(stderr, "window-probe: %s\n", what);
  return 1;
}

HWND FindProgramWindow(const std::function<bool(HWND)>& wanted) {
  struct Search {
    const std::function<bool(HWND)>& wanted;
    DWORD program;
    HWND found;
  } search = {wanted, 0, nullptr};
  GetWindowThreadProcessId(MainWindow(), &search.program);
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->program && IsWindowVisible(window) && s->wanted(window)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PrintMiddle(const RECT& rect) {
  std::printf("%ld %ld\n", static_cast<long>((rect.left + rect.right) / 2),
              static_cast<long>((rect.top + rect.bottom) / 2));
}

}  // namespace probe
