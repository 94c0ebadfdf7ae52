// The numbered commands: one table from number to handler, the check marks of the options, and
// the enabling rule applied to the real menus.
#include "details/win32/details_pane.h"
#include "output/original_menus.h"
#include "output/previous_results.h"
#include "output/save_results.h"
#include "platform/win32/ui/win32_api.h"
#include "resource.h"
#include "scenery/scan.h"
#include "scenery/vis_file.h"
#include "shell/commands.h"
#include "shell/win32/info_box.h"
#include "shell/win32/main_window.h"
#include "tree/search.h"
#include "tree/tree_edits.h"
#include "tree/tree_expansion.h"
#include "tree/win32/merge_into_dialog.h"
#include "tree/win32/search_dialog.h"
#include "tree/win32/tree_pane.h"
#include "tree/win32/vis_pane.h"

namespace tarnwick::win32 {

namespace {

// The resource numbers are the command numbers.
static_assert(IDM_OPEN == static_cast<int>(Command::kOpenScenerySet));
static_assert(IDM_SAVE == static_cast<int>(Command::kSaveResults));
static_assert(IDM_CLOSE_SET == static_cast<int>(Command::kCloseScenerySet));
static_assert(IDM_PRINT == static_cast<int>(Command::kPrint));
static_assert(IDM_EXIT_WITHOUT_SAVING == static_cast<int>(Command::kExitWithoutSaving));
static_assert(IDM_EXIT_AFTER_SAVING == static_cast<int>(Command::kExitAfterSaving));
static_assert(IDM_NEW_AREA == static_cast<int>(Command::kNewArea));
static_assert(IDM_NEW_LOCATION == static_cast<int>(Command::kNewLocation));
static_assert(IDM_MENUS_ON == static_cast<int>(Command::kEnableOriginalMenus));
static_assert(IDM_MENUS_OFF == static_cast<int>(Command::kDisableOriginalMenus));
static_assert(IDM_RESTORE == static_cast<int>(Command::kRestorePreviousResults));
static_assert(IDM_EXPORT_MENU == static_cast<int>(Command::kExportMenu));
static_assert(IDM_IMPORT_MENU == static_cast<int>(Command::kImportMenu));
static_assert(IDM_RENAME_AREA == static_cast<int>(Command::kRenameArea));
static_assert(IDM_RENAME_LOCATION == static_cast<int>(Command::kRenameLocation));
static_assert(IDM_DELETE_AREA == static_cast<int>(Command::kDeleteArea));
static_assert(IDM_DELETE_LOCATION == static_cast<int>(Command::kDeleteLocation));
static_assert(IDM_SORT_AREAS == static_cast<int>(Command::kSortAreas));
static_assert(IDM_SORT_LOCATIONS == static_cast<int>(Command::kSortLocations));
static_assert(IDM_EDIT_DETAILS == static_cast<int>(Command::kEditLocationDetails));
static_assert(IDM_EDIT_DETAILS_ROW == static_cast<int>(Command::kEditSelectedDetail));
static_assert(IDM_CHANGE_VIS == static_cast<int>(Command::kChangeVisSelections));
static_assert(IDM_FIND == static_cast<int>(Command::kFindEntry));
static_assert(IDM_FIND_NEXT == static_cast<int>(Command::kFindNext));
static_assert(IDM_UNDO == static_cast<int>(Command::kUndoLastEdit));
static_assert(IDM_CHECK_MENU == static_cast<int>(Command::kCheckMenu));
static_assert(IDM_REDO == static_cast<int>(Command::kRedo));
static_assert(IDM_MOVE_UP == static_cast<int>(Command::kMoveUp));
static_assert(IDM_MOVE_DOWN == static_cast<int>(Command::kMoveDown));
static_assert(IDM_CUT == static_cast<int>(Command::kCut));
static_assert(IDM_PASTE == static_cast<int>(Command::kPaste));
static_assert(IDM_MERGE_INTO == static_cast<int>(Command::kMergeInto));
static_assert(IDM_EXPAND_ALL == static_cast<int>(Command::kExpandAllAreas));
static_assert(IDM_COLLAPSE_ALL == static_cast<int>(Command::kCollapseAllAreas));
static_assert(IDM_AUTO_EXPAND == static_cast<int>(Command::kAutoExpand));
static_assert(IDM_SHOW_ALL_FIELDS == static_cast<int>(Command::kShowAdditionalFields));
static_assert(IDM_TOOL_BAR == static_cast<int>(Command::kToolBar));
static_assert(IDM_STATUS_BAR == static_cast<int>(Command::kStatusBar));
static_assert(IDM_CONFIRMATIONS == static_cast<int>(Command::kToggleConfirmations));
static_assert(IDM_FRACTIONAL_MINUTES == static_cast<int>(Command::kFractionalMinutes));
static_assert(IDM_MINUTES_SECONDS == static_cast<int>(Command::kMinutesAndSeconds));
static_assert(IDM_LOGGING == static_cast<int>(Command::kToggleLogging));
static_assert(IDM_HELP_INDEX == static_cast<int>(Command::kHelpIndex));
static_assert(IDM_HELP_FINDER == static_cast<int>(Command::kHelp));
static_assert(IDM_HELP_ON_HELP == static_cast<int>(Command::kHowToUseHelp));
static_assert(IDM_ABOUT == static_cast<int>(Command::kAbout));
static_assert(IDM_TOGGLE_VIS == static_cast<int>(Command::kToggleSceneryArea));
static_assert(IDM_UPDATE_VIS == static_cast<int>(Command::kUpdateVisNow));
static_assert(IDM_RENAME_ENTRY == static_cast<int>(Command::kRenameThisEntry));
static_assert(IDM_DELETE_ENTRY == static_cast<int>(Command::kDeleteThisEntry));

}  // namespace

void MainWindow::OnCommand(WPARAM wparam) {
  if (host_.GetBusyState() != BusyState::kIdle) {
    host_.Beep();
    UpdateMenuState();
    return;
  }
  // The whole number counts: a control's notification code in the high word is no command.
  bool update = true;
  host_.ClearStatusNote();
  if (wparam <= static_cast<WPARAM>(kLastCommand) && IsValidCommand(static_cast<int>(wparam))) {
    timing_.Write("command-start", static_cast<double>(wparam));
    timing_.CommandStarted();
    update = DispatchCommand(static_cast<UINT>(wparam));
    double stretch = timing_.CommandEnded();
    timing_.Write("command-end", static_cast<double>(wparam));
    if (stretch >= 0) timing_.Write("stretch", stretch);
    timing_.AwaitIdle();
    // The control may have moved its selection without saying so (an Area collapsed over it).
    if (tree_pane_ != nullptr) tree_pane_->SettleSelection();
  }
  if (update && window_ != nullptr) UpdateMenuState();
}

bool MainWindow::DispatchCommand(UINT number) {
  // A tree edit of the given kind on the selection.
  static constexpr auto Edit = [](MainWindow& w, void (*edit)(Session&, EntryKind),
                                  EntryKind kind) {
    if (w.TreeControl() != nullptr) edit(w.session_, kind);
    return true;
  };
  using Handler = bool (*)(MainWindow&);
  struct Entry {
    Command command;
    Handler handler;
  };
  static const Entry kTable[] = {
      {Command::kOpenScenerySet, [](MainWindow& w) { return w.OnOpenScenerySet(); }},
      {Command::kSaveResults, [](MainWindow& w) { return !w.OnSaveResults(); }},
      {Command::kCloseScenerySet, [](MainWindow& w) { return w.OnCloseScenerySet(); }},
      {Command::kExitAfterSaving, [](MainWindow& w) { return w.OnExitAfterSaving(); }},
      {Command::kPrint, [](MainWindow& w) { return w.OnPrint(); }},
      {Command::kEnableOriginalMenus, [](MainWindow& w) { return w.OnOriginalMenus(false); }},
      {Command::kDisableOriginalMenus, [](MainWindow& w) { return w.OnOriginalMenus(true); }},
      {Command::kRestorePreviousResults,
       [](MainWindow& w) {
         RestorePreviousResults(w.session_);
         return true;
       }},
      {Command::kExitWithoutSaving, [](MainWindow& w) { return w.OnExitWithoutSaving(); }},
      {Command::kExportMenu, [](MainWindow& w) { return w.OnExportMenu(); }},
      {Command::kImportMenu, [](MainWindow& w) { return w.OnImportMenu(); }},
      {Command::kNewArea, [](MainWindow& w) { return Edit(w, NewEntry, EntryKind::kArea); }},
      {Command::kNewLocation,
       [](MainWindow& w) { return Edit(w, NewEntry, EntryKind::kLocation); }},
      {Command::kRenameArea, [](MainWindow& w) { return Edit(w, RenameEntry, EntryKind::kArea); }},
      {Command::kRenameLocation,
       [](MainWindow& w) { return Edit(w, RenameEntry, EntryKind::kLocation); }},
      {Command::kRenameThisEntry,
       [](MainWindow& w) { return Edit(w, RenameEntry, EntryKind::kAny); }},
      {Command::kDeleteArea, [](MainWindow& w) { return Edit(w, DeleteEntry, EntryKind::kArea); }},
      {Command::kDeleteLocation,
       [](MainWindow& w) { return Edit(w, DeleteEntry, EntryKind::kLocation); }},
      {Command::kDeleteThisEntry,
       [](MainWindow& w) { return Edit(w, DeleteEntry, EntryKind::kAny); }},
      {Command::kSortAreas,
       [](MainWindow& w) {
         SortEntries(w.session_, SortWhich::kAreas);
         return true;
       }},
      {Command::kSortLocations,
       [](MainWindow& w) {
         SortEntries(w.session_, SortWhich::kLocations);
         return true;
       }},
      {Command::kEditLocationDetails,
       [](MainWindow& w) {
         if (w.details_pane_ != nullptr) w.details_pane_->BeginValueEdit(5);
         return true;
       }},
      {Command::kEditSelectedDetail,
       [](MainWindow& w) {
         if (w.details_pane_ != nullptr) w.details_pane_->EditSelectedRow();
         return true;
       }},
      {Command::kChangeVisSelections, [](MainWindow& w) { return w.OnChangeVisSelections(); }},
      {Command::kFindEntry, [](MainWindow& w) { return w.OnFind(); }},
      {Command::kFindNext, [](MainWindow& w) { return w.OnFindNext(); }},
      {Command::kUndoLastEdit, [](MainWindow& w) { return w.OnUndo(true); }},
      {Command::kCheckMenu, [](MainWindow& w) { return w.OnCheckMenu(); }},
      {Command::kRedo, [](MainWindow& w) { return w.OnUndo(false); }},
      {Command::kMoveUp,
       [](MainWindow& w) {
         if (w.TreeControl() != nullptr) MoveAmongSiblings(w.session_, true);
         return true;
       }},
      {Command::kMoveDown,
       [](MainWindow& w) {
         if (w.TreeControl() != nullptr) MoveAmongSiblings(w.session_, false);
         return true;
       }},
      {Command::kCut,
       [](MainWindow& w) {
         if (w.TreeControl() != nullptr) CutItems(w.session_);
         return true;
       }},
      {Command::kPaste,
       [](MainWindow& w) {
         if (w.TreeControl() != nullptr) PasteItems(w.session_);
         return true;
       }},
      {Command::kMergeInto, [](MainWindow& w) { return w.OnMergeInto(); }},
      {Command::kExpandAllAreas,
       [](MainWindow& w) { return w.OnExpansionCommand(ExpandAllAreas); }},
      {Command::kCollapseAllAreas,
       [](MainWindow& w) { return w.OnExpansionCommand(CollapseAllAreas); }},
      {Command::kAutoExpand, [](MainWindow& w) { return w.OnExpansionCommand(ToggleAutoExpand); }},
      {Command::kShowAdditionalFields, [](MainWindow& w) { return w.OnShowAllFields(); }},
      {Command::kToolBar, [](MainWindow& w) { return w.OnToggleToolBar(); }},
      {Command::kStatusBar, [](MainWindow& w) { return w.OnToggleStatusBar(); }},
      {Command::kToggleConfirmations, [](MainWindow& w) { return w.OnToggleConfirmations(); }},
      {Command::kFractionalMinutes, [](MainWindow& w) { return w.OnAngleStyle(true); }},
      {Command::kMinutesAndSeconds, [](MainWindow& w) { return w.OnAngleStyle(false); }},
      {Command::kToggleLogging, [](MainWindow& w) { return w.OnToggleLogging(); }},
      {Command::kHelpIndex, [](MainWindow& w) { return w.OnHelp(); }},
      {Command::kHelp, [](MainWindow& w) { return w.OnHelp(); }},
      {Command::kHowToUseHelp, [](MainWindow& w) { return w.OnHelp(); }},
      {Command::kAbout, [](MainWindow& w) { return w.OnAbout(); }},
      {Command::kToggleSceneryArea, [](MainWindow& w) { return w.OnToggleSceneryArea(); }},
      {Command::kUpdateVisNow, [](MainWindow& w) { return w.OnUpdateVisNow(); }},
  };
  for (const Entry& entry : kTable) {
    if (static_cast<UINT>(entry.command) == number) return entry.handler(*this);
  }
  return true;
}

bool MainWindow::OnOpenScenerySet() {
  if (set_.loaded && !set_.results_saved && tree_state_.history.ChangedSinceSave() &&
      !host_.Confirm("Load a Scenery Set without saving any results from this one?")) {
    return true;
  }
  if (host_.ChooseVisFile(set_.vis_path)) ScanVisFile();
  return true;
}

void MainWindow::OpenScenerySet(const std::string& vis_path) {
  set_.vis_path = vis_path;
  ScanVisFile();
  UpdateMenuState();
}

void MainWindow::ScanVisFile() {
  // The scan closes the current set and opens its own progress box.
  timing_.Write("scan-start");
  timing_.LongOperationStarted();
  ScanScenerySet(session_);
  host_.CloseProgressBox();
  timing_.Write("scan-frames", timing_.Frames());
  timing_.Write("scan-drains", timing_.Drains());
  timing_.Write("scan-end", timing_.LongestPumpInterval());
  timing_.AwaitIdle();
}

bool MainWindow::OnSaveResults() {
  return set_.loaded && SaveResults(session_, /*warn=*/true, /*ask_only=*/false);
}

bool MainWindow::OnExitAfterSaving() {
  if (set_.loaded && !OnSaveResults()) return true;
  // Saved (or nothing to save): the close path at once, without the question of a plain exit.
  SendMessageA(window_, kCloseMessage, 0, 0);
  return false;
}

bool MainWindow::OnCloseScenerySet() {
  if (set_.loaded && !set_.results_saved && tree_state_.history.ChangedSinceSave() &&
      !host_.Confirm("Close this Scenery Set without saving?")) {
    return true;
  }
  CloseScenerySet(false);
  return true;
}

bool MainWindow::OnOriginalMenus(bool disable) {
  // The set is read again after the switch: unsaved work in the menu would go with the old read.
  if (set_.loaded && !set_.results_saved && tree_state_.history.ChangedSinceSave() &&
      !host_.Confirm("Re-read this Scenery Set without saving any results?")) {
    return true;
  }
  RunOriginalMenusCommand(session_, disable);
  return true;
}

bool MainWindow::OnExitWithoutSaving() {
  OnClose();
  return false;
}

bool MainWindow::OnChangeVisSelections() {
  if (!set_.loaded) {
    // The VIS file is read for its selections only: the set still counts as not loaded.
    CloseScenerySet(false);
    if (!host_.ChooseVisFile(set_.vis_path) || !ReadVisFile(session_)) {
      CloseScenerySet(false);
      return true;
    }
  }
  if (VisControl() != nullptr) SetFocus(VisControl());
  return true;
}

bool MainWindow::OnFind() {
  if (TreeControl() == nullptr || !SearchAvailable(tree_) || search_dialog_ != nullptr) return true;
  search_dialog_ = SearchDialog::Open(*this, session_);
  return true;
}

bool MainWindow::OnFindNext() {
  if (TreeControl() == nullptr) return true;
  if (!tree_state_.search.text) return OnFind();
  FindNext(session_);
  return true;
}

bool MainWindow::OnMergeInto() {
  if (TreeControl() == nullptr) return true;
  std::vector<TreeNode> targets = MergeTargets(session_);
  if (targets.empty()) {
    session_.host.Beep();
    return true;
  }
  std::vector<std::string> labels;
  labels.reserve(targets.size());
  for (TreeNode target : targets) labels.push_back(tree_.Label(target));
  int chosen = MergeIntoDialog::Choose(*questions_, window_, labels);
  if (chosen >= 0) MergeSelectedInto(session_, targets[static_cast<size_t>(chosen)]);
  return true;
}

bool MainWindow::OnCheckMenu() {
  if (!set_.MenuPresent()) return true;
  if (check_dialog_ != nullptr) {
    // Open already: it comes to the front and looks again.
    check_dialog_->Refresh();
    SetActiveWindow(check_dialog_->Window());
    return true;
  }
  check_dialog_ = CheckDialog::Open(*this, session_);
  return true;
}

bool MainWindow::OnUndo(bool undo) {
  if (TreeControl() == nullptr) return true;
  // An open value box belongs to the values about to change.
  if (details_pane_ != nullptr) details_pane_->CloseEditBox();
  tree_.HoldDrawing(true);
  EditHistory& history = tree_state_.history;
  bool done = undo ? history.Undo(session_) : history.Redo(session_);
  tree_.HoldDrawing(false);
  if (!done) host_.Beep();
  return true;
}

bool MainWindow::OnExpansionCommand(void (*command)(Session&)) {
  // Opened one by one, every Area would lay the whole tree out again.
  tree_.HoldDrawing(true, /*fold_root=*/true);
  command(session_);
  tree_.HoldDrawing(false);
  // The commands switch AutoExpand; its check marks follow in every menu that has them.
  CheckItem(IDM_AUTO_EXPAND, options_.auto_expand);
  return true;
}

bool MainWindow::OnShowAllFields() {
  options_.show_all_fields = !options_.show_all_fields;
  LayoutRightPanes();
  CheckItem(IDM_SHOW_ALL_FIELDS, options_.show_all_fields);
  if (details_pane_ != nullptr) details_pane_->Refresh(0);
  return true;
}

bool MainWindow::OnToggleToolBar() {
  if (tool_bar_ != nullptr) {
    DestroyToolBar();
    options_.tool_bar = false;
    CheckItem(IDM_TOOL_BAR, false);
  } else if (CreateToolBar()) {
    options_.tool_bar = true;
    CheckItem(IDM_TOOL_BAR, true);
  }
  Relayout();
  return true;
}

bool MainWindow::OnToggleStatusBar() {
  if (status_bar_ != nullptr) {
    DestroyStatusBar();
    options_.status_bar = false;
    CheckItem(IDM_STATUS_BAR, false);
  } else if (CreateStatusBar(false)) {
    options_.status_bar = true;
    CheckItem(IDM_STATUS_BAR, true);
  }
  Relayout();
  return true;
}

bool MainWindow::OnToggleConfirmations() {
  options_.confirmations = !options_.confirmations;
  CheckItem(IDM_CONFIRMATIONS, options_.confirmations);
  return true;
}

bool MainWindow::OnToggleLogging() {
  options_.logging = !options_.logging;
  CheckItem(IDM_LOGGING, options_.logging);
  if (!options_.logging) log_.Close();
  return true;
}

bool MainWindow::OnAngleStyle(bool fractional) {
  options_.fractional_minutes = fractional;
  CheckItem(IDM_FRACTIONAL_MINUTES, fractional);
  CheckItem(IDM_MINUTES_SECONDS, !fractional);
  if (details_pane_ != nullptr) details_pane_->Refresh(0);
  return true;
}

bool MainWindow::OnHelp() {
  ShowHelp();
  return true;
}

bool MainWindow::OnAbout() {
  InfoBox::Show(*questions_, window_, kAboutBox);
  return true;
}

bool MainWindow::OnToggleSceneryArea() {
  if (vis_pane_ != nullptr) vis_pane_->ToggleSelected();
  return true;
}

bool MainWindow::OnPrint() {
  if (TreeControl() != nullptr && tree_.Count() > 0) print_job_.Print(/*release=*/false);
  return true;
}

bool MainWindow::OnUpdateVisNow() {
  SendMessageA(window_, kVisCommitMessage, 0, 0);
  if (VisControl() != nullptr) SetFocus(VisControl());
  return true;
}

void MainWindow::ShowHelp() {
  // The guide ships beside the program; without it, or without a program to show it, say so.
  if (help_path_.empty() || !file_system_->Exists(help_path_) ||
      !questions_->OpenDocument(window_, help_path_)) {
    InfoBox::Show(*questions_, window_, kNoHelpBox);
  }
}

void MainWindow::CheckItem(UINT command, bool on) {
  UINT mark = MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED);
  if (window_ != nullptr && GetMenu(window_) != nullptr)
    CheckMenuItem(GetMenu(window_), command, mark);
  // The popup menus that carry the same items follow the main menu.
  if (command == IDM_AUTO_EXPAND && tree_pane_ != nullptr) tree_pane_->SetAutoExpandMark(on);
  if (details_pane_ != nullptr &&
      (command == IDM_SHOW_ALL_FIELDS || command == IDM_FRACTIONAL_MINUTES ||
       command == IDM_MINUTES_SECONDS)) {
    details_pane_->SetCheckMarks(options_.show_all_fields, options_.fractional_minutes);
  }
}

void MainWindow::SetCheckMarks() {
  CheckItem(IDM_LOGGING, options_.logging);
  CheckItem(IDM_CONFIRMATIONS, options_.confirmations);
  CheckItem(IDM_AUTO_EXPAND, options_.auto_expand);
  CheckItem(IDM_SHOW_ALL_FIELDS, options_.show_all_fields);
  CheckItem(IDM_FRACTIONAL_MINUTES, options_.fractional_minutes);
  CheckItem(IDM_MINUTES_SECONDS, !options_.fractional_minutes);
}

void MainWindow::UpdateMenuState(HMENU menu) {
  if (menu == nullptr && window_ != nullptr) menu = GetMenu(window_);
  if (menu == nullptr) return;
  MenuStateInput in;
  in.tree_root_exists = set_.tree_root != nullptr;
  in.menu_present = set_.MenuPresent();
  in.previous_results_exist = set_.prev_exists;
  in.previous_search_exists = tree_state_.search.text.has_value();
  in.undo_available = tree_state_.history.CanUndo();
  in.redo_available = tree_state_.history.CanRedo();
  HWND focus = GetFocus();
  if (focus != nullptr && focus == TreeControl()) {
    in.focus = FocusPane::kTree;
  } else if (focus != nullptr && focus == DetailsControl()) {
    in.focus = FocusPane::kDetails;
  } else if (focus != nullptr && focus == VisControl()) {
    in.focus = FocusPane::kVis;
  }
  for (const CommandState& state : tarnwick::UpdateMenuState(in)) {
    EnableMenuItem(menu, static_cast<UINT>(state.command),
                   MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
  }
}

}  // namespace tarnwick::win32
