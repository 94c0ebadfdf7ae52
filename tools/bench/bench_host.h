// A Host that answers yes, stays idle unless told otherwise and shows nothing (its progress box is
// there but blank): benchmarks measure the core, not the screen.
#pragma once

#include "platform/host.h"

namespace tarnwick::bench {

class QuietHost : public Host {
 public:
  void ShowMessage(uint32_t, std::string_view) override {}
  bool Confirm(std::string_view) override { return true; }
  bool AskWarning() override { return true; }
  void Beep() override {}
  void SetStatusCount(StatusPart, int64_t) override {}
  void ResetStatusCounts() override {}
  void OpenProgressBox(std::string_view) override {
    busy_ = BusyState::kBusy;
    progress_open_ = true;
  }
  void SetProgressLine(ProgressLine, std::string_view) override {}
  // Open while an operation runs, as in the program, so that the core formats its progress lines.
  bool ProgressBoxExists() const override { return progress_open_; }
  void DisableProgressCancel() override {}
  void CloseProgressBox() override {
    busy_ = BusyState::kIdle;
    progress_open_ = false;
  }
  BusyState GetBusyState() const override { return busy_; }
  void SetBusyState(BusyState state) override { busy_ = state; }
  bool PumpMessages() override { return true; }
  void ClearVisRows() override {}
  void AddVisRow(int, bool, std::string_view, std::string_view) override {}
  void FinishVisRows() override {}
  void MarkVisSelectionsUnchanged() override {}
  void UpdateMenuState() override {}
  void StoreVisFileName(std::string_view) override {}

 private:
  BusyState busy_ = BusyState::kIdle;
  bool progress_open_ = false;
};

}  // namespace tarnwick::bench
