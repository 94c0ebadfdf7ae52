// The modeless box shown while a large tree is cleared away.
#pragma once

#include "platform/win32/ui/modeless_dialog.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class WaitBox final : public ModelessDialog {
 public:
  WaitBox() = default;

  void Open(HINSTANCE instance, HWND main_window);

 private:
  INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace tarnwick::win32
