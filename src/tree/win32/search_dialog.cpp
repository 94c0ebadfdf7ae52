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
  if (!dialog->Create(shell.Instance(), "SearchDlgBox", shell.Window())) {
    EnableWindow(shell.Window(), TRUE);
    return nullptr;
  }
  return dialog;
}

void SearchDialog::OnInit(HWND dialog) {
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
  GetDlgItemTextA(Window(), IDC_SEARCH_TEXT, text.data(), static_cast<int>(text.size()));
  outcome.box_text = text.data();
  outcome.wrap = IsDlgButtonChecked(Window(), IDC_SEARCH_WRAP) == BST_CHECKED;
  outcome.start_at_sel = IsDlgButtonChecked(Window(), IDC_SEARCH_START_AT_SEL) == BST_CHECKED;
  outcome.partial = IsDlgButtonChecked(Window(), IDC_SEARCH_PARTIAL) == BST_CHECKED;
  EnableWindow(shell_.Window(), TRUE);
  bool step = ApplySearchDialog(session_, outcome);
  if (search) {
    if (shell_.TreeControl() != nullptr) SetFocus(shell_.TreeControl());
    if (step) PostMessageA(shell_.Window(), WM_COMMAND, IDM_FIND_NEXT, 0);
  }
  // The main window forgets the dialog, which ends it.
  shell_.SearchDialogEnded();
}

INT_PTR SearchDialog::OnMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
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
    default:
      return FALSE;
  }
}

}  // namespace tarnwick::win32
