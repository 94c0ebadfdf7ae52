// The modal boxes that only say something: the About box and the box shown when there is no
// help file.
#pragma once

#include "platform/win32/ui/dialog_frame.h"
#include "platform/win32/ui/modal_questions.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

constexpr const char* kAboutBox = "AboutBox";
constexpr const char* kNoHelpBox = "NoHelpBox";

class InfoBox {
 public:
  // Shows the box of `template_name` over `main_window` until OK is pressed.
  static void Show(ModalQuestions& questions, HWND main_window, const char* template_name);

  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  explicit InfoBox(HWND main_window) : main_window_(main_window) {}

  HWND main_window_;
  DialogFrame frame_;
};

}  // namespace tarnwick::win32
