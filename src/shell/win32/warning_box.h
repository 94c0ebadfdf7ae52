// The box that warns before a save may replace earlier work: Yes or No.
#pragma once

#include "platform/win32/ui/dialog_frame.h"
#include "platform/win32/ui/modal_questions.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

constexpr const char* kWarningBox = "WarningBox";

class WarningBox {
 public:
  // True when the user answers Yes.
  static bool Ask(ModalQuestions& questions, HWND main_window);

  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  explicit WarningBox(HWND main_window) : main_window_(main_window) {}

  HWND main_window_;
  DialogFrame frame_;
};

}  // namespace tarnwick::win32
