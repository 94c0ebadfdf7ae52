// Owners of Win32 handles: each frees its handle when it goes, none can be copied, and a moved-from
// owner holds nothing. Nothing leaks on an early return.
#pragma once

#include <utility>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

// Owns one handle of type H, freed by Free::operator().
template <typename H, typename Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H handle) : handle_(handle) {}
  ~Owned() { Reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, H{}));
    return *this;
  }

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != H{}; }
  // Frees the handle held and takes `handle` instead.
  void Reset(H handle = H{}) {
    if (handle_ != H{}) Free()(handle_);
    handle_ = handle;
  }
  // Gives the handle up without freeing it.
  H Release() { return std::exchange(handle_, H{}); }

 private:
  H handle_{};
};

struct FreeGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct FreeMenu {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct FreeImageList {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
struct FreeWindow {
  void operator()(HWND window) const { DestroyWindow(window); }
};
struct FreeRegistryKey {
  void operator()(HKEY key) const { RegCloseKey(key); }
};

template <typename T>
using GdiObject = Owned<T, FreeGdiObject>;
using MenuHandle = Owned<HMENU, FreeMenu>;
using ImageListHandle = Owned<HIMAGELIST, FreeImageList>;
// A window this object destroys; for child windows that go before their parent does.
using WindowHandle = Owned<HWND, FreeWindow>;
using RegistryKey = Owned<HKEY, FreeRegistryKey>;

// Selects an object into a device context and puts the previous one back.
class SelectObjectGuard {
 public:
  SelectObjectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectObjectGuard() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectObjectGuard(const SelectObjectGuard&) = delete;
  SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The display context of a window, released when the object goes.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context like `reference`'s, deleted when the object goes.
class MemoryDC {
 public:
  explicit MemoryDC(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
  ~MemoryDC() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace tarnwick::win32
