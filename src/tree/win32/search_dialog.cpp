#include "tree/win32/search_dialog.h"

#include <array>
#include <string>

#include "resource.h"
#include "tree/search.h"

namespace tarnwick::win32 {

namespace {
constexpr UINT_PTR kTextBoxSubclass = 1;
}  // namespace

std::unique_ptr<SearchDialog> SearchDialog::Open(SearchDialogOwner& shell, Session& session) {
  std::unique_ptr<SearchDialog> dialog(new SearchDialog(shell, session));
  EnableWindow(shell.Window(), FALSE);
  dialog->window_ =
      CreateDialogParamA(shell.Instance(), "SearchDlgBox", shell.Window(),
                         DialogTrampoline<SearchDialog>, reinterpret_cast<LPARAM>(dialog.get()));
  if (dialog->window_ == nullptr) {
    EnableWindow(shell.Window(), TRUE);
    return nullptr;
  }
  return dialog;
}

SearchDialog::~SearchDialog() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
}

void SearchDialog::OnInit(HWND dialog) {
  frame_.Begin(dialog, shell_.Window());
  SetWindowTextA(dialog, "Search scenery list text");
  const Options& options = session_.options;
  CheckDlgButton(dialog, IDC_SEARCH_WRAP, options.search_wrap ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_SEARCH_START_AT_SEL,
                 options.search_start_at_sel ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_SEARCH_PARTIAL, options.search_partial ? BST_CHECKED : BST_UNCHECKED);
  const auto& text = session_.tree_state.search.text;
  if (text) SetDlgItemTextA(dialog, IDC_SEARCH_TEXT, text->c_str());
  SetWindowSubclass(GetDlgItem(dialog, IDC_SEARCH_TEXT), TextBoxProcedure, kTextBoxSubclass,
                    reinterpret_cast<DWORD_PTR>(dialog));
}

LRESULT CALLBACK SearchDialog::TextBoxProcedure(HWND box, UINT message, WPARAM wparam,
                                                LPARAM lparam, UINT_PTR id, DWORD_PTR dialog) {
  if (message == WM_KEYDOWN && (wparam == VK_ESCAPE || wparam == VK_RETURN)) {
    SendMessageA(reinterpret_cast<HWND>(dialog), WM_COMMAND, wparam == VK_RETURN ? IDOK : IDCANCEL,
                 0);
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, TextBoxProcedure, id);
  return DefSubclassProc(box, message, wparam, lparam);
}

void SearchDialog::Finish(bool search) {
  SearchDialogOutcome outcome;
  outcome.search = search;
  std::array<char, 260> text = {};
  GetDlgItemTextA(window_, IDC_SEARCH_TEXT, text.data(), static_cast<int>(text.size()));
  outcome.box_text = text.data();
  outcome.wrap = IsDlgButtonChecked(window_, IDC_SEARCH_WRAP) == BST_CHECKED;
  outcome.start_at_sel = IsDlgButtonChecked(window_, IDC_SEARCH_START_AT_SEL) == BST_CHECKED;
  outcome.partial = IsDlgButtonChecked(window_, IDC_SEARCH_PARTIAL) == BST_CHECKED;
  frame_.End();
  EnableWindow(shell_.Window(), TRUE);
  bool step = ApplySearchDialog(session_, outcome);
  if (search) {
    if (shell_.TreeControl() != nullptr) SetFocus(shell_.TreeControl());
    if (step) PostMessageA(shell_.Window(), WM_COMMAND, IDM_FIND_NEXT, 0);
  }
  // The main window forgets the dialog, which ends it.
  shell_.SearchDialogEnded();
}

INT_PTR SearchDialog::HandleMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  INT_PTR result = FALSE;
  if (frame_.Handle(dialog, message, wparam, lparam, result)) return result;
  switch (message) {
    case WM_INITDIALOG:
      window_ = dialog;
      OnInit(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        Finish(LOWORD(wparam) == IDOK);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      Finish(false);
      return TRUE;
    case WM_DESTROY:
      frame_.End();
      window_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tarnwick::win32
