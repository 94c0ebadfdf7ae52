// Everything that waits for the user or hands over to another program: message boxes, the
// file-open dialog, modal dialog boxes, the help viewer and the beep. The program uses the
// platform's own; tests script the answers and record what was asked.
#pragma once

#include <string>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class ModalQuestions {
 public:
  virtual ~ModalQuestions() = default;
  // A message box (MessageBoxA): returns the button pressed (IDOK, IDYES, IDNO, IDCANCEL).
  virtual int Ask(HWND owner, const std::string& text, const char* caption, UINT type) = 0;
  // GetOpenFileNameA: true when a file was chosen; otherwise `error` holds the dialog's error
  // code (0 for a plain cancel).
  virtual bool OpenFileName(OPENFILENAMEA& dialog, DWORD& error) = 0;
  // GetSaveFileNameA, alike.
  virtual bool SaveFileName(OPENFILENAMEA& dialog, DWORD& error) = 0;
  // DialogBoxParamA with a template of the program's resources: the dialog's result.
  virtual INT_PTR RunDialog(HWND owner, const char* template_name, DLGPROC procedure,
                            LPARAM parameter) = 0;
  // PrintDlgA: true when a printer was chosen; otherwise `error` holds the dialog's error code
  // (0 for a plain cancel).
  virtual bool PrintDialog(PRINTDLGA& dialog, DWORD& error) = 0;
  // Opens a document in the program the user has for it (ShellExecuteA): the guide in the
  // default browser. False when nothing could open it.
  virtual bool OpenDocument(HWND owner, const std::string& path) = 0;
  // MessageBeep: the sound of a refused action.
  virtual void Beep(UINT type) = 0;
};

// The platform's message boxes and dialogs.
class PlatformQuestions : public ModalQuestions {
 public:
  int Ask(HWND owner, const std::string& text, const char* caption, UINT type) override;
  bool OpenFileName(OPENFILENAMEA& dialog, DWORD& error) override;
  bool SaveFileName(OPENFILENAMEA& dialog, DWORD& error) override;
  INT_PTR RunDialog(HWND owner, const char* template_name, DLGPROC procedure,
                    LPARAM parameter) override;
  bool PrintDialog(PRINTDLGA& dialog, DWORD& error) override;
  bool OpenDocument(HWND owner, const std::string& path) override;
  void Beep(UINT type) override;
};

}  // namespace tarnwick::win32
