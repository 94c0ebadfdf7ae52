// The Host of tarnwick-cli: messages go to stderr, questions are answered by a flag or asked on
// the terminal, the progress box becomes lines on stderr when verbose, and a long operation always
// goes on (there is no Cancel button to press).
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"

namespace tarnwick::cli {

class CliHost : public Host {
 public:
  enum class Answer { kAsk, kYes, kNo };

  // `answer` decides the yes/no questions and the warning box; kAsk asks on the terminal (and
  // takes No when nobody can answer). `verbose` shows the progress lines.
  explicit CliHost(Answer answer = Answer::kAsk, bool verbose = false, FILE* err = stderr,
                   FILE* in = stdin)
      : answer_(answer), verbose_(verbose), err_(err), in_(in) {}

  void ShowMessage(uint32_t code, std::string_view phrase) override;
  bool Confirm(std::string_view question) override;
  bool AskWarning() override;
  void Beep() override {}

  void SetStatusCount(StatusPart part, int64_t value) override;
  void ResetStatusCounts() override;

  void OpenProgressBox(std::string_view message) override;
  void SetProgressLine(ProgressLine line, std::string_view text) override;
  bool ProgressBoxExists() const override { return progress_open_; }
  void DisableProgressCancel() override {}
  void CloseProgressBox() override;

  BusyState GetBusyState() const override { return busy_; }
  void SetBusyState(BusyState state) override { busy_ = state; }
  bool PumpMessages() override { return true; }

  void ClearVisRows() override { vis_rows_.clear(); }
  void AddVisRow(int number, bool on, std::string_view title,
                 std::string_view expanded_path) override;
  void FinishVisRows() override {}
  void MarkVisSelectionsUnchanged() override {}
  void UpdateMenuState() override {}
  void StoreVisFileName(std::string_view name) override { vis_file_name_ = std::string(name); }
  // The VIS file named on the command line stands for the user's choice.
  std::optional<std::string> ChooseVisFile(std::string_view) override { return chosen_vis_file_; }
  void SetChosenVisFile(std::string path) { chosen_vis_file_ = std::move(path); }

  struct VisRow {
    int number;
    bool on;
    std::string title;
    std::string pattern;
  };
  const std::vector<VisRow>& vis_rows() const { return vis_rows_; }
  int64_t status(StatusPart part) const { return status_[static_cast<int>(part)]; }
  const std::string& vis_file_name() const { return vis_file_name_; }
  // How many errors were shown: a job fails when this is not 0.
  int messages_shown() const { return messages_shown_; }

 private:
  bool Ask(std::string_view question);

  Answer answer_;
  bool verbose_;
  FILE* err_;
  FILE* in_;
  bool progress_open_ = false;
  BusyState busy_ = BusyState::kIdle;
  int64_t status_[5] = {0, 0, 0, 0, 0};
  std::vector<VisRow> vis_rows_;
  std::string vis_file_name_;
  std::optional<std::string> chosen_vis_file_;
  int messages_shown_ = 0;
};

}  // namespace tarnwick::cli
