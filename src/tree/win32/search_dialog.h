// The modeless search dialog ("SearchDlgBox"): the search text and its three options. While it is
// shown the main window is disabled and the message loop offers it every message first.
#pragma once

#include <memory>

#include "platform/win32/ui/dialog_frame.h"
#include "platform/win32/ui/pane_owner.h"
#include "platform/win32/ui/win32_api.h"
#include "scenery/session.h"

namespace tarnwick::win32 {

// What the search dialog asks of the main window: what every pane asks, and to be let go once it
// has ended.
class SearchDialogOwner : public virtual PaneOwner {
 public:
  virtual void SearchDialogEnded() = 0;

 protected:
  ~SearchDialogOwner() = default;
};

class SearchDialog {
 public:
  // Disables the main window and shows the dialog; nullptr when it cannot be made.
  static std::unique_ptr<SearchDialog> Open(SearchDialogOwner& shell, Session& session);
  ~SearchDialog();
  SearchDialog(const SearchDialog&) = delete;
  SearchDialog& operator=(const SearchDialog&) = delete;

  HWND Window() const { return window_; }

  INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  SearchDialog(SearchDialogOwner& shell, Session& session) : shell_(shell), session_(session) {}
  void OnInit(HWND dialog);
  // Search (1) or Cancel (2): the options are kept either way; Search looks for the text.
  void Finish(bool search);
  static LRESULT CALLBACK TextBoxProcedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR id, DWORD_PTR dialog);

  SearchDialogOwner& shell_;
  Session& session_;
  HWND window_ = nullptr;
  DialogFrame frame_;
};

}  // namespace tarnwick::win32
