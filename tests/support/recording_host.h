// A Host for tests: records every call and answers questions from a script.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/host.h"

namespace tarnwick::testing {

struct VisRow {
  int number;
  bool on;
  std::string title;
  std::string path;
};

class RecordingHost : public Host {
 public:
  void ShowMessage(uint32_t code, std::string_view phrase) override {
    messages.push_back("Error " + std::to_string(code) + " reported whilst " + std::string(phrase));
  }
  bool Confirm(std::string_view question) override {
    questions.emplace_back(question);
    if (!confirmations) return true;
    if (answers.empty()) return true;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool AskWarning() override {
    ++warnings;
    return warning_answer;
  }
  void Beep() override { ++beeps; }
  void SetStatusCount(StatusPart part, int64_t value) override {
    status[static_cast<int>(part)] = value;
  }
  void ResetStatusCounts() override {
    for (auto& v : status) v = 0;
  }
  void OpenProgressBox(std::string_view message) override {
    progress_open = true;
    busy = BusyState::kBusy;
    progress[static_cast<int>(ProgressLine::kMessage)] = std::string(message);
    progress_messages.emplace_back(message);
  }
  void SetProgressLine(ProgressLine line, std::string_view text) override {
    if (progress_open) progress[static_cast<int>(line)] = std::string(text);
  }
  bool ProgressBoxExists() const override { return progress_open; }
  void DisableProgressCancel() override { cancel_disabled = true; }
  void CloseProgressBox() override {
    busy = BusyState::kIdle;
    progress_open = false;
  }
  BusyState GetBusyState() const override { return busy; }
  void SetBusyState(BusyState state) override { busy = state; }
  bool PumpMessages() override {
    ++pumps;
    if (on_pump) return on_pump(pumps);
    return true;
  }
  void ClearVisRows() override { vis_rows.clear(); }
  void AddVisRow(int number, bool on, std::string_view title,
                 std::string_view expanded_path) override {
    vis_rows.push_back({number, on, std::string(title), std::string(expanded_path)});
  }
  void FinishVisRows() override { ++vis_rows_finished; }
  void MarkVisSelectionsUnchanged() override { ++vis_unchanged_marks; }
  void UpdateMenuState() override { ++menu_updates; }
  void StoreVisFileName(std::string_view name) override { vis_file_setting = std::string(name); }
  std::optional<std::string> ChooseVisFile(std::string_view current) override {
    offered_vis_files.emplace_back(current);
    return chosen_vis_file;
  }
  void ClearTree(MenuTree& tree, bool full) override {
    ++tree_clears;
    tree.Clear();
    if (full) ++full_tree_clears;
  }
  void FillDetails(TreeNode node) override { details_fills.push_back(node); }
  void RefreshDetails() override { ++details_refreshes; }
  void QueueDetailsRefresh() override { ++queued_details_refreshes; }
  void FocusTree() override { ++tree_focus_requests; }
  void ShowStatusNote(std::string_view text) override { status_notes.emplace_back(text); }

  // Script.
  bool confirmations = true;
  std::deque<bool> answers;  // answers to Confirm, yes when empty
  bool warning_answer = true;
  // Called at each PumpMessages with its running count; return false to say "stop". A test may
  // also set `busy` to cancelled here, as the Cancel button does.
  std::function<bool(int)> on_pump;
  // The answer of ChooseVisFile: nothing means the user cancelled.
  std::optional<std::string> chosen_vis_file;

  // Record.
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::vector<std::string> progress_messages;
  int warnings = 0;
  int beeps = 0;
  int pumps = 0;
  int menu_updates = 0;
  int vis_rows_finished = 0;
  int vis_unchanged_marks = 0;
  int64_t status[5] = {0, 0, 0, 0, 0};
  std::vector<std::string> status_notes;
  std::map<int, std::string> progress;
  bool progress_open = false;
  bool cancel_disabled = false;
  BusyState busy = BusyState::kIdle;
  std::vector<VisRow> vis_rows;
  std::string vis_file_setting;
  std::vector<std::string> offered_vis_files;
  int tree_clears = 0;
  int full_tree_clears = 0;
  std::vector<TreeNode> details_fills;  // FillDetails, in order
  int details_refreshes = 0;
  int queued_details_refreshes = 0;
  int tree_focus_requests = 0;
};

}  // namespace tarnwick::testing
