// The modeless box of a long operation: a message, three lines the operation fills as it goes,
// and a Cancel button.
#pragma once

#include <functional>
#include <string_view>

#include "platform/win32/ui/dialog_frame.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class ProgressBox {
 public:
  ProgressBox() = default;
  ProgressBox(const ProgressBox&) = delete;
  ProgressBox& operator=(const ProgressBox&) = delete;
  ~ProgressBox() { Close(); }

  // `on_cancel` runs when Cancel is pressed; `on_destroy` when the box goes.
  void Open(HINSTANCE instance, HWND main_window, std::string_view message,
            std::function<void()> on_cancel, std::function<void()> on_destroy);
  void Close();
  HWND Window() const { return window_; }
  void SetLine(int control, std::string_view text);
  void DisableCancel();

  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND main_window_ = nullptr;
  HWND window_ = nullptr;
  DialogFrame frame_;
  std::function<void()> on_cancel_;
  std::function<void()> on_destroy_;
};

}  // namespace tarnwick::win32
