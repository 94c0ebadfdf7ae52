// What every command of the window probe shares: the Win32 headers, the program's windows as seen
// from another process, and a block of memory inside that process for the controls' messages
// that carry pointers.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstddef>
#include <functional>
#include <string>

namespace probe {

// The program's child windows.
constexpr int kTreeId = 1003;
constexpr int kDetailsId = 1004;
constexpr int kStatusBarId = 1006;

// A block allocated in the process of `window`, freed with it: a control fills its messages'
// structures and texts there, and the probe copies them back.
class RemoteBlock {
 public:
  static constexpr size_t kSize = 4096;

  explicit RemoteBlock(HWND window);
  ~RemoteBlock();
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool ok() const { return base_ != nullptr; }
  // The address, in the program's process, of the byte at `offset`.
  char* at(size_t offset) const { return base_ + offset; }
  LPARAM lparam(size_t offset = 0) const { return reinterpret_cast<LPARAM>(base_ + offset); }
  bool Write(size_t offset, const void* data, size_t size) const;
  bool Read(size_t offset, void* data, size_t size) const;
  // The NUL-terminated text at `offset`, at most `max` bytes; empty when it cannot be read.
  std::string ReadText(size_t offset, size_t max) const;

 private:
  HANDLE process_ = nullptr;
  char* base_ = nullptr;
};

HWND MainWindow();

// Writes "window-probe: WHAT" to stderr; 1, the exit code of a failed command.
int Fail(const char* what);

// The first shown top-level window of the program's process that `wanted` takes.
HWND FindProgramWindow(const std::function<bool(HWND)>& wanted);

// "x y" of the middle of a rectangle, one line.
void PrintMiddle(const RECT& rect);

}  // namespace probe
