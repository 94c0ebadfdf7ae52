// ModalQuestions for window tests: scripted answers, and a record of everything asked. Dialog
// boxes are made modeless from their real templates and procedures, read, answered and
// destroyed, so that a test sees what the user would see without waiting for anyone.
#pragma once

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/ui/modal_questions.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::testing {

class ScriptedQuestions : public win32::ModalQuestions {
 public:
  struct Box {
    std::string text;
    std::string caption;
    UINT type;
  };
  struct FileDialog {
    std::string filter;
    std::string title;
    std::string initial_folder;
    std::string default_extension;
    std::string offered;
    DWORD flags;
    HWND owner;
    bool save = false;  // the save dialog
  };
  struct DialogShown {
    std::string name;
    std::string caption;
    std::vector<std::string> texts;  // the texts of its controls, in order
    RECT rect;                       // where it was placed, in screen coordinates
  };

  int Ask(HWND, const std::string& text, const char* caption, UINT type) override {
    boxes.push_back({text, caption, type});
    // A real box takes the focus while it is shown.
    if (while_asking) while_asking();
    if (!answers.empty()) {
      int answer = answers.front();
      answers.pop_front();
      return answer;
    }
    UINT buttons = type & MB_TYPEMASK;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
  }

  bool OpenFileName(OPENFILENAMEA& dialog, DWORD& error) override {
    FileDialog shown;
    // The filter is a list of NUL-terminated texts ended by an empty one.
    for (const char* p = dialog.lpstrFilter; p != nullptr && *p != '\0'; p += strlen(p) + 1) {
      shown.filter += std::string(p) + "|";
    }
    shown.title = dialog.lpstrTitle != nullptr ? dialog.lpstrTitle : "";
    shown.initial_folder = dialog.lpstrInitialDir != nullptr ? dialog.lpstrInitialDir : "";
    shown.default_extension = dialog.lpstrDefExt != nullptr ? dialog.lpstrDefExt : "";
    shown.offered = dialog.lpstrFile;
    shown.flags = dialog.Flags;
    shown.owner = dialog.hwndOwner;
    file_dialogs.push_back(shown);
    std::optional<std::string> chosen;
    if (!chosen_files.empty()) {
      chosen = chosen_files.front();
      chosen_files.pop_front();
    }
    if (!chosen || chosen->size() >= dialog.nMaxFile) {
      error = file_dialog_error;
      return false;
    }
    strcpy(dialog.lpstrFile, chosen->c_str());
    error = 0;
    return true;
  }

  bool SaveFileName(OPENFILENAMEA& dialog, DWORD& error) override {
    bool chosen = OpenFileName(dialog, error);
    file_dialogs.back().save = true;
    return chosen;
  }

  INT_PTR RunDialog(HWND owner, const char* name, DLGPROC procedure, LPARAM parameter) override {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), name, owner, procedure, parameter);
    DialogShown shown;
    shown.name = name;
    if (dialog != nullptr) {
      char text[1024];
      GetWindowTextA(dialog, text, sizeof text);
      shown.caption = text;
      for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
           child = GetWindow(child, GW_HWNDNEXT)) {
        GetWindowTextA(child, text, sizeof text);
        shown.texts.emplace_back(text);
      }
      GetWindowRect(dialog, &shown.rect);
    }
    dialogs.push_back(shown);
    INT_PTR answer = IDOK;
    auto scripted = dialog_answers.find(name);
    if (scripted != dialog_answers.end()) answer = scripted->second;
    if (dialog != nullptr && on_dialog) on_dialog(dialog);
    if (dialog != nullptr) {
      // The button the user presses; the procedure ends the box.
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
      DestroyWindow(dialog);
    }
    return answer;
  }

  bool PrintDialog(PRINTDLGA& dialog, DWORD& error) override {
    print_dialogs.push_back(
        {dialog.Flags, dialog.hwndOwner, dialog.hDevMode, dialog.hDevNames, dialog.nCopies});
    error = 0;
    if (print_answers.empty()) return false;
    auto answer = std::move(print_answers.front());
    print_answers.pop_front();
    return answer(dialog, error);
  }

  bool OpenDocument(HWND, const std::string& path) override {
    opened_documents.push_back(path);
    return open_document_answer;
  }

  void Beep(UINT type) override { beeps.push_back(type); }

  // Script.
  std::deque<int> answers;  // message box buttons; Yes (or OK) when empty
  std::deque<std::optional<std::string>> chosen_files;  // nothing: cancelled
  DWORD file_dialog_error = 0;
  std::map<std::string, INT_PTR> dialog_answers;  // by template name; OK when absent
  // Called with each dialog before its button is pressed: what the user does in it first.
  std::function<void(HWND)> on_dialog;
  std::function<void()> while_asking;  // what happens while a message box is up
  // The print dialog's answers in turn (the dialog fills the record as PrintDlgA would);
  // cancelled when empty.
  std::deque<std::function<bool(PRINTDLGA&, DWORD&)>> print_answers;

  // Record.
  std::vector<Box> boxes;
  std::vector<FileDialog> file_dialogs;
  std::vector<DialogShown> dialogs;
  struct PrintDialogCall {
    DWORD flags;
    HWND owner;
    HGLOBAL dev_mode;
    HGLOBAL dev_names;
    WORD copies;
  };
  std::vector<PrintDialogCall> print_dialogs;
  std::vector<std::string> opened_documents;
  bool open_document_answer = true;
  std::vector<UINT> beeps;
};

}  // namespace tarnwick::testing
