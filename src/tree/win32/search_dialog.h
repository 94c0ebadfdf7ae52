// The modeless search dialog ("SearchDlgBox"): the search text and its three options. While it is
// shown the main window is disabled and the message loop offers it every message first.
#pragma once

#include <memory>

#include "shell/win32/dialog_frame.h"
#include "shell/win32/win32_api.h"

namespace tarnwick::win32 {

class MainWindow;

class SearchDialog {
 public:
  // Disables the main window and shows the dialog; nullptr when it cannot be made.
  static std::unique_ptr<SearchDialog> Open(MainWindow& shell);
  ~SearchDialog();
  SearchDialog(const SearchDialog&) = delete;
  SearchDialog& operator=(const SearchDialog&) = delete;

  HWND Window() const { return window_; }

  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  explicit SearchDialog(MainWindow& shell) : shell_(shell) {}
  void OnInit(HWND dialog);
  // Search (1) or Cancel (2): the options are kept either way; Search looks for the text.
  void Finish(bool search);
  static LRESULT CALLBACK TextBoxProcedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR id, DWORD_PTR dialog);

  MainWindow& shell_;
  HWND window_ = nullptr;
  DialogFrame frame_;
};

}  // namespace tarnwick::win32
