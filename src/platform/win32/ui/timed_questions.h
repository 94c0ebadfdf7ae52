// The program's boxes and dialogs as the timing file sees them: while one is shown its own loop
// answers input, so the time on screen is no stretch of the program's without a drain.
#pragma once

#include <string>

#include "platform/win32/ui/modal_questions.h"
#include "platform/win32/ui/timing_log.h"

namespace tarnwick::win32 {

class TimedQuestions : public ModalQuestions {
 public:
  TimedQuestions(ModalQuestions& inner, TimingLog& timing) : inner_(inner), timing_(timing) {}

  // Behind `public` for the overrides below, which deduce its type from its body.
  template <typename Call>
  auto Timed(Call call) {
    timing_.ModalStarted();
    auto result = call();
    timing_.ModalEnded();
    return result;
  }

  int Ask(HWND owner, const std::string& text, const char* caption, UINT type) override {
    return Timed([&] { return inner_.Ask(owner, text, caption, type); });
  }
  bool OpenFileName(OPENFILENAMEA& dialog, DWORD& error) override {
    return Timed([&] { return inner_.OpenFileName(dialog, error); });
  }
  bool SaveFileName(OPENFILENAMEA& dialog, DWORD& error) override {
    return Timed([&] { return inner_.SaveFileName(dialog, error); });
  }
  INT_PTR RunDialog(HWND owner, const char* template_name, DLGPROC procedure,
                    LPARAM parameter) override {
    return Timed([&] { return inner_.RunDialog(owner, template_name, procedure, parameter); });
  }
  bool PrintDialog(PRINTDLGA& dialog, DWORD& error) override {
    return Timed([&] { return inner_.PrintDialog(dialog, error); });
  }
  bool OpenDocument(HWND owner, const std::string& path) override {
    return Timed([&] { return inner_.OpenDocument(owner, path); });
  }
  void Beep(UINT type) override { inner_.Beep(type); }

 private:
  ModalQuestions& inner_;
  TimingLog& timing_;
};

}  // namespace tarnwick::win32
