// The modeless search dialog ("SearchDlgBox"): the search text and its three options. While it is
// shown the main window is disabled and the message loop offers it every message first.
#pragma once

#include <memory>

#include "platform/win32/ui/modeless_dialog.h"
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

class SearchDialog final : public ModelessDialog {
 public:
  // Disables the main window and shows the dialog; nullptr when it cannot be made.
  static std::unique_ptr<SearchDialog> Open(SearchDialogOwner& shell, Session& session);

 private:
  SearchDialog(SearchDialogOwner& shell, Session& session) : shell_(shell), session_(session) {}
  INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnInit(HWND dialog);
  // Search (1) or Cancel (2): the options are kept either way; Search looks for the text.
  void Finish(bool search);
  static LRESULT CALLBACK TextBoxProcedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR id, DWORD_PTR dialog);

  SearchDialogOwner& shell_;
  Session& session_;
};

}  // namespace tarnwick::win32
