#include "platform/win32/ui/modal_questions.h"

namespace tarnwick::win32 {

int PlatformQuestions::Ask(HWND owner, const std::string& text, const char* caption, UINT type) {
  return MessageBoxA(owner, text.c_str(), caption, type);
}

bool PlatformQuestions::OpenFileName(OPENFILENAMEA& dialog, DWORD& error) {
  if (GetOpenFileNameA(&dialog)) {
    error = 0;
    return true;
  }
  error = CommDlgExtendedError();
  return false;
}

bool PlatformQuestions::SaveFileName(OPENFILENAMEA& dialog, DWORD& error) {
  if (GetSaveFileNameA(&dialog)) {
    error = 0;
    return true;
  }
  error = CommDlgExtendedError();
  return false;
}

INT_PTR PlatformQuestions::RunDialog(HWND owner, const char* template_name, DLGPROC procedure,
                                     LPARAM parameter) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), template_name, owner, procedure, parameter);
}

bool PlatformQuestions::PrintDialog(PRINTDLGA& dialog, DWORD& error) {
  if (PrintDlgA(&dialog)) {
    error = 0;
    return true;
  }
  error = CommDlgExtendedError();
  return false;
}

bool PlatformQuestions::OpenDocument(HWND owner, const std::string& path) {
  // Values above 32 mean success.
  auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

void PlatformQuestions::Beep(UINT type) {
  MessageBeep(type);
}

}  // namespace tarnwick::win32
