// The modeless "Cancel Printing" box shown while pages go to the printer.
#pragma once

#include <functional>

#include "platform/win32/ui/dialog_frame.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

constexpr const char* kPrintCancelBox = "PrintDlgBox";

class PrintCancelBox {
 public:
  PrintCancelBox() = default;
  PrintCancelBox(const PrintCancelBox&) = delete;
  PrintCancelBox& operator=(const PrintCancelBox&) = delete;
  ~PrintCancelBox() { Close(); }

  // Shows the box over `main_window`; `on_cancel` runs when its Cancel button is pressed, after
  // which the main window is enabled again and the box goes.
  void Open(HINSTANCE instance, HWND main_window, std::function<void()> on_cancel);
  void Close();
  HWND Window() const { return window_; }
  // Whether the box went by its Cancel button.
  bool ClosedByCancel() const { return closed_by_cancel_; }

  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  HWND main_window_ = nullptr;
  HWND window_ = nullptr;
  std::function<void()> on_cancel_;
  bool closed_by_cancel_ = false;
  DialogFrame frame_;
};

}  // namespace tarnwick::win32
