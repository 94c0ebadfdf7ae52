// The small modal list that asks which Area the selected Area is merged into.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/ui/dialog_frame.h"
#include "platform/win32/ui/modal_questions.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

constexpr const char* kMergeIntoBox = "MergeIntoBox";

class MergeIntoDialog {
 public:
  // Lists `labels` over `main_window` with the first one chosen; returns the index chosen with OK
  // or a double click, or -1 when cancelled.
  static int Choose(ModalQuestions& questions, HWND main_window,
                    const std::vector<std::string>& labels);

  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  MergeIntoDialog(HWND main_window, const std::vector<std::string>& labels)
      : main_window_(main_window), labels_(labels) {}
  void Finish(HWND dialog, bool ok);

  HWND main_window_;
  const std::vector<std::string>& labels_;
  int chosen_ = -1;
  DialogFrame frame_;
};

}  // namespace tarnwick::win32
