// What a long operation or an edit asks of the user interface. The Win32 shell implements it with
// real windows; tests with scripted answers and recorded calls; tarnwick-cli with the terminal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/menu_tree.h"

namespace tarnwick {

enum class BusyState : int { kIdle = 0, kBusy = 1, kCancelled = -1 };

// The lines of the progress box.
enum class ProgressLine : int { kMessage = 202, kStep = 203, kFile = 204, kTotals = 205 };

// The five parts of the status bar.
enum class StatusPart : int { kAreas = 0, kLocns = 1, kMenus = 2, kBgls = 3, kVis = 4 };

class Host {
 public:
  virtual ~Host() = default;

  // "Error %d reported whilst %s" in a box captioned "Tarnwick Error".
  virtual void ShowMessage(uint32_t code, std::string_view phrase) = 0;
  // A yes/no question captioned "Tarnwick Confirmation"; yes without asking while the
  // Confirmations option is off.
  virtual bool Confirm(std::string_view question) = 0;
  // The warning box before a save that may lose earlier work: true for Yes.
  virtual bool AskWarning() = 0;
  // The exclamation beep that signals a refused action.
  virtual void Beep() = 0;

  virtual void SetStatusCount(StatusPart part, int64_t value) = 0;
  virtual void ResetStatusCounts() = 0;

  // Opens the progress box with its message (already formatted) and makes the state busy.
  virtual void OpenProgressBox(std::string_view message) = 0;
  // Shows a text in one line of the progress box, when it exists.
  virtual void SetProgressLine(ProgressLine line, std::string_view text) = 0;
  virtual bool ProgressBoxExists() const = 0;
  // Greys the progress box's Cancel button: from then on the operation cannot be cancelled.
  virtual void DisableProgressCancel() = 0;
  // Makes the state idle and destroys the progress box.
  virtual void CloseProgressBox() = 0;

  virtual BusyState GetBusyState() const = 0;
  virtual void SetBusyState(BusyState state) = 0;
  // Drains waiting messages; false ("stop") when a quit request was among them.
  virtual bool PumpMessages() = 0;

  // The rows of the VIS selections pane. A whole file's rows come between BeginVisRows and
  // FinishVisRows; a row added after a save comes alone.
  virtual void ClearVisRows() = 0;
  virtual void BeginVisRows() {}
  virtual void AddVisRow(int number, bool on, std::string_view title,
                         std::string_view expanded_path) = 0;
  // All rows are in: size the columns and select the first row.
  virtual void FinishVisRows() = 0;

  // The VIS selections are as stored (after reading, writing or discarding them).
  virtual void MarkVisSelectionsUnchanged() = 0;
  // Greys and enables the menu commands for the current state.
  virtual void UpdateMenuState() = 0;
  // Stores the "VISfile" setting: the name, without folder, of the VIS file just read.
  virtual void StoreVisFileName(std::string_view name) = 0;

  // Lets the user choose a VIS file, offering `current`; the chosen full path, or nothing when
  // the choice was cancelled (a failing dialog reports itself).
  virtual std::optional<std::string> ChooseVisFile(std::string_view current) {
    (void)current;
    return std::nullopt;
  }
  // Empties the tree when the set is closed. The tree pane does it by replacing its window, which
  // is much faster than removing many items; `full` (the program is closing) leaves no pane.
  virtual void ClearTree(MenuTree& tree, bool full) {
    (void)full;
    tree.Clear();
  }

  // The tree's selection has changed to `node` (nullptr: none): drop the details undo and fill the
  // details pane for it with its first row selected.
  virtual void FillDetails(TreeNode node) { (void)node; }
  // Fills the details pane again for the tree's selection, at once.
  virtual void RefreshDetails() {}
  // Asks for a details refresh after the tree has stored an edited label: posted, not run at once,
  // so that the pane reads the label the tree keeps.
  virtual void QueueDetailsRefresh() {}
  // Gives the keyboard focus to the tree pane.
  virtual void FocusTree() {}
  // A short note across the status bar ("... not found"), until the next command.
  virtual void ShowStatusNote(std::string_view text) { (void)text; }
};

// The contract of long operations after each unit of work: go on only while the state is busy and
// the message pump does not say stop; otherwise the state becomes cancelled (unless it is idle).
// The state is read again after pumping: the Cancel button pressed during the pump has closed the
// set, and the operation must not touch it any more.
inline bool KeepGoing(Host& host) {
  if (host.GetBusyState() == BusyState::kBusy && host.PumpMessages() &&
      host.GetBusyState() == BusyState::kBusy) {
    return true;
  }
  if (host.GetBusyState() != BusyState::kIdle) host.SetBusyState(BusyState::kCancelled);
  return false;
}

}  // namespace tarnwick
