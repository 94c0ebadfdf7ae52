#include "tree/win32/check_dialog.h"

#include <algorithm>
#include <string>

#include "resource.h"

namespace tarnwick::win32 {

namespace {

// Edits come from many places (commands, drags, in-place renames, the details pane, the VIS
// pane): the list looks for changes twice a second instead of being told by each.
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMilliseconds = 500;

struct Column {
  const char* heading;
  int width;  // at 96 dpi; 0: the rest of the list's width
};
constexpr Column kColumns[] = {
    {"Kind", 100}, {"Area", 130}, {"Location", 150}, {"What is wrong", 0}};

}  // namespace

std::unique_ptr<CheckDialog> CheckDialog::Open(CheckDialogOwner& shell, Session& session) {
  std::unique_ptr<CheckDialog> dialog(new CheckDialog(shell, session));
  if (!dialog->Create(shell.Instance(), "CheckDlgBox", shell.Window())) return nullptr;
  return dialog;
}

HWND CheckDialog::List() const {
  return Window() != nullptr ? GetDlgItem(Window(), IDC_CHECK_LIST) : nullptr;
}

void CheckDialog::OnInit(HWND dialog) {
  SetWindowTextA(dialog, "Check menu");
  HWND list = GetDlgItem(dialog, IDC_CHECK_LIST);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  RECT client = {};
  GetClientRect(list, &client);
  int used = 0;
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(kColumns[i].heading);
    column.cx = kColumns[i].width != 0
                    ? shell_.Scale().Px(kColumns[i].width)
                    : std::max(shell_.Scale().Px(100), static_cast<int>(client.right) - used -
                                                           GetSystemMetrics(SM_CXVSCROLL));
    column.iSubItem = i;
    used += column.cx;
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  SetTimer(dialog, kRefreshTimer, kRefreshMilliseconds, nullptr);
  Refresh();
}

void CheckDialog::Refresh() {
  // Not in the middle of a scan or a save: the tree is not yet what the user will see.
  if (session_.host.GetBusyState() != BusyState::kIdle) return;
  const uint64_t now = MenuCheckFingerprint(session_.tree, session_.set);
  if (checked_ && now == fingerprint_) return;
  fingerprint_ = now;
  checked_ = true;
  MenuCheckSettings settings;
  settings.fractional_minutes = session_.options.fractional_minutes;
  std::vector<MenuProblem> found = CheckMenu(session_.tree, session_.set, settings);

  // The selected row stays on its item when that is still listed for the same kind.
  HWND list = List();
  const int selected =
      list != nullptr ? static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED))
                      : -1;
  bool keep = false;
  ProblemKind kept_kind = ProblemKind::kDuplicateLocation;
  TreeItemData kept_data = 0;
  if (selected >= 0 && static_cast<size_t>(selected) < rows_.size()) {
    const MenuProblem& problem = problems_[rows_[selected].problem];
    keep = true;
    kept_kind = problem.kind;
    kept_data = problem.items[rows_[selected].item].data;
  }
  problems_ = std::move(found);
  Fill();
  if (list == nullptr) return;
  int row = -1;
  for (size_t r = 0; keep && r < rows_.size(); ++r) {
    const MenuProblem& problem = problems_[rows_[r].problem];
    if (problem.kind == kept_kind && problem.items[rows_[r].item].data == kept_data) {
      row = static_cast<int>(r);
      break;
    }
  }
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (row >= 0) {
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
  }
}

void CheckDialog::Fill() {
  HWND list = List();
  if (list == nullptr) return;
  rows_.clear();
  for (size_t p = 0; p < problems_.size(); ++p) {
    for (size_t i = 0; i < problems_[p].items.size(); ++i) rows_.push_back({p, i});
  }
  SendMessageA(list, LVM_SETITEMCOUNT, rows_.size(), 0);
  InvalidateRect(list, nullptr, TRUE);

  std::string summary;
  if (session_.tree.Root() == nullptr ||
      session_.tree.FirstChild(session_.tree.Root()) == nullptr) {
    summary = "There is no menu to check: open a scenery set.";
  } else if (problems_.empty()) {
    summary = "No problems found in the menu.";
  } else {
    summary = std::to_string(problems_.size()) +
              (problems_.size() == 1 ? " problem found" : " problems found") +
              ". Double-click a row to show its item in the tree.";
  }
  SetDlgItemTextA(Window(), IDC_CHECK_SUMMARY, summary.c_str());
  EnableWindow(GetDlgItem(Window(), IDOK), !rows_.empty());
  EnableWindow(GetDlgItem(Window(), IDC_CHECK_MARK_ALL), !rows_.empty());
}

void CheckDialog::GoTo(int row) {
  if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
  const ProblemItem& item = problems_[rows_[row].problem].items[rows_[row].item];
  TreeNode node = FindProblemItem(session_.tree, item);
  if (node == nullptr) {
    // Gone since the last look: the list catches up instead.
    Refresh();
    return;
  }
  session_.tree.Select(node);
  session_.tree.EnsureVisible(node);
}

void CheckDialog::MarkAll() {
  if (problems_.empty()) return;
  TreeViewMenuTree& tree = shell_.Tree();
  tree.HoldDrawing(true);
  MarkProblemItems(tree, problems_);
  tree.HoldDrawing(false);
}

const std::string& CheckDialog::CellText(int row, int column) {
  const Row& at = rows_[static_cast<size_t>(row)];
  const MenuProblem& problem = problems_[at.problem];
  const ProblemItem& item = problem.items[at.item];
  switch (column) {
    case 0:
      cell_ = ProblemKindName(problem.kind);
      break;
    case 1:
      cell_ = item.area;
      break;
    case 2:
      cell_ = item.location;
      break;
    default:
      cell_ = problem.detail;
      break;
  }
  return cell_;
}

void CheckDialog::OnNotify(NMHDR* header) {
  if (header->idFrom != IDC_CHECK_LIST) return;
  switch (header->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW: {
      // The list asks in the character set its parent answered; the texts are the files' bytes.
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
      if ((info->item.mask & LVIF_TEXT) == 0 || info->item.iItem < 0 ||
          static_cast<size_t>(info->item.iItem) >= rows_.size()) {
        return;
      }
      const std::string& text = CellText(info->item.iItem, info->item.iSubItem);
      if (header->code == LVN_GETDISPINFOA) {
        info->item.pszText = const_cast<char*>(text.c_str());
        return;
      }
      auto* wide = reinterpret_cast<NMLVDISPINFOW*>(header);
      wide_cell_.assign(
          static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0)), L'\0');
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide_cell_.data(),
                          static_cast<int>(wide_cell_.size()));
      wide->item.pszText = wide_cell_.data();
      return;
    }
    case NM_DBLCLK: {
      auto* activate = reinterpret_cast<NMITEMACTIVATE*>(header);
      GoTo(activate->iItem);
      return;
    }
    default:
      return;
  }
}

INT_PTR CheckDialog::OnMessage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit(dialog);
      return TRUE;
    case WM_TIMER:
      if (wparam == kRefreshTimer) Refresh();
      return TRUE;
    case WM_NOTIFY:
      OnNotify(reinterpret_cast<NMHDR*>(lparam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
          GoTo(static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, -1, LVNI_SELECTED)));
          return TRUE;
        case IDC_CHECK_MARK_ALL:
          MarkAll();
          return TRUE;
        case IDCANCEL:
          shell_.CheckDialogEnded();
          return TRUE;
        default:
          return FALSE;
      }
    case WM_CLOSE:
      shell_.CheckDialogEnded();
      return TRUE;
    case WM_DESTROY:
      KillTimer(dialog, kRefreshTimer);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tarnwick::win32
