// The modeless box shown while a large tree is cleared away.
#pragma once

#include "platform/win32/ui/dialog_frame.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class WaitBox {
 public:
  WaitBox() = default;
  WaitBox(const WaitBox&) = delete;
  WaitBox& operator=(const WaitBox&) = delete;
  ~WaitBox() { Close(); }

  void Open(HINSTANCE instance, HWND main_window);
  void Close();
  HWND Window() const { return window_; }

  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND main_window_ = nullptr;
  HWND window_ = nullptr;
  DialogFrame frame_;
};

}  // namespace tarnwick::win32
