// The modeless "Cancel Printing" box shown while pages go to the printer.
#pragma once

#include <functional>

#include "platform/win32/ui/modeless_dialog.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

constexpr const char* kPrintCancelBox = "PrintDlgBox";

class PrintCancelBox final : public ModelessDialog {
 public:
  PrintCancelBox() = default;

  // Shows the box over `main_window`; `on_cancel` runs when its Cancel button is pressed, after
  // which the main window is enabled again and the box goes.
  void Open(HINSTANCE instance, HWND main_window, std::function<void()> on_cancel);
  // Whether the box went by its Cancel button.
  bool ClosedByCancel() const { return closed_by_cancel_; }

 private:
  INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) override;

  std::function<void()> on_cancel_;
  bool closed_by_cancel_ = false;
};

}  // namespace tarnwick::win32
