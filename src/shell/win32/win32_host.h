// The Host of the running program: the busy state, the progress box and its message pump, the
// status bar's counts, and the questions, all with real windows.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/host.h"
#include "platform/win32/ui/win32_api.h"
#include "shell/win32/progress_box.h"

namespace tarnwick::win32 {

class MainWindow;

class Win32Host : public Host {
 public:
  explicit Win32Host(MainWindow& shell) : shell_(shell) {}

  void ShowMessage(uint32_t code, std::string_view phrase) override;
  bool Confirm(std::string_view question) override;
  bool AskWarning() override;
  void Beep() override;

  void SetStatusCount(StatusPart part, int64_t value) override;
  void ResetStatusCounts() override;

  void OpenProgressBox(std::string_view message) override;
  void SetProgressLine(ProgressLine line, std::string_view text) override;
  bool ProgressBoxExists() const override { return progress_box_.Window() != nullptr; }
  void DisableProgressCancel() override { progress_box_.DisableCancel(); }
  void CloseProgressBox() override;

  BusyState GetBusyState() const override { return busy_; }
  void SetBusyState(BusyState state) override { busy_ = state; }
  bool PumpMessages() override;

  void ClearVisRows() override;
  void BeginVisRows() override;
  void AddVisRow(int number, bool on, std::string_view title,
                 std::string_view expanded_path) override;
  void FinishVisRows() override;
  void MarkVisSelectionsUnchanged() override;
  void UpdateMenuState() override;
  void StoreVisFileName(std::string_view name) override;

  // The open-VIS dialog, offering the "VISfile" setting or else `current`; the chosen path also
  // becomes the set's VisPath.
  std::optional<std::string> ChooseVisFile(std::string_view current) override;
  void ClearTree(MenuTree& tree, bool full) override;
  void FillDetails(TreeNode node) override;
  void RefreshDetails() override;
  void QueueDetailsRefresh() override;
  void FocusTree() override;
  void ShowStatusNote(std::string_view text) override;
  // The counts come back in place of a note.
  void ClearStatusNote();
  const std::string& StatusNote() const { return status_note_; }

  HWND ProgressWindow() const { return progress_box_.Window(); }
  // Offers a message to the progress box and then to the search dialog: true when one took it.
  bool OfferToDialogs(MSG& message);
  // The five texts of the status bar, kept while the bar is hidden.
  const std::string& StatusText(int part) const { return status_texts_[part]; }
  // Writes all five texts into the status bar, when it exists.
  void ShowStatusTexts();

  // How often a long operation lets the window draw: drawing the tree, the status bar and the
  // progress box after each of thousands of files cost many times the work itself, and even a
  // frame every 100 ms spent a third of a scan of small files on drawing (about 25 ms a frame
  // under Wine); five frames a second still show the counts moving.
  static constexpr uint64_t kFrameMilliseconds = 200;
  // How often it takes the input: each look into the queue is a round trip to the window
  // system's server, which after every one of thousands of small files cost more than the files,
  // while input answered within this time is answered at once as a person sees it.
  static constexpr uint64_t kDrainMilliseconds = 10;

 private:
  // Puts the texts changed since the last frame into the status bar and the progress box, and
  // lets the tree show its changes.
  void ShowFrame();
  // Writes one part's text into the status bar, when it exists.
  void SendStatusText(size_t part);

  MainWindow& shell_;
  BusyState busy_ = BusyState::kIdle;
  ProgressBox progress_box_;
  std::string status_note_;
  std::array<std::string, 5> status_texts_ = {"Areas: 0", "Locns: 0", "Menus: 0", "BGLs:  0",
                                              " VIS:  0"};
  // Texts waiting for the next frame of a long operation.
  std::array<bool, 5> status_waiting_ = {};
  std::array<std::optional<std::string>, 4> lines_waiting_;
  uint64_t last_frame_ = 0;
  uint64_t last_drain_ = 0;
  bool frame_shown_ = false;
};

}  // namespace tarnwick::win32
