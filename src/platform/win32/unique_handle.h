// Owners of kernel handles: a file handle is closed with CloseHandle, a directory search with
// FindClose. Neither can be copied, so a handle is closed exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace tarnwick {

template <BOOL(WINAPI* Close)(HANDLE)>
class BasicUniqueHandle {
 public:
  BasicUniqueHandle() = default;
  explicit BasicUniqueHandle(HANDLE handle) : handle_(handle) {}
  ~BasicUniqueHandle() { Reset(); }
  BasicUniqueHandle(const BasicUniqueHandle&) = delete;
  BasicUniqueHandle& operator=(const BasicUniqueHandle&) = delete;
  BasicUniqueHandle(BasicUniqueHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  BasicUniqueHandle& operator=(BasicUniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }

  HANDLE Get() const { return handle_; }
  // Both null and INVALID_HANDLE_VALUE mean "no handle": the APIs use one or the other.
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  explicit operator bool() const { return Valid(); }
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (Valid()) Close(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

using UniqueHandle = BasicUniqueHandle<&CloseHandle>;
using UniqueFindHandle = BasicUniqueHandle<&FindClose>;

}  // namespace tarnwick
