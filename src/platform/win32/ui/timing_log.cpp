#include "platform/win32/ui/timing_log.h"

#include <cstdlib>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

TimingLog::TimingLog() {
  const char* path = std::getenv("TARNWICK_TIMING");
  if (path == nullptr || *path == '\0') return;
  file_ = std::fopen(path, "w");
  LARGE_INTEGER value;
  QueryPerformanceFrequency(&value);
  frequency_ = value.QuadPart;
}

TimingLog::~TimingLog() {
  if (file_ != nullptr) std::fclose(file_);
}

double TimingLog::Now() const {
  LARGE_INTEGER value;
  QueryPerformanceCounter(&value);
  return static_cast<double>(value.QuadPart) * 1000.0 / static_cast<double>(frequency_);
}

void TimingLog::Write(std::string_view step, double figure) {
  if (file_ == nullptr) return;
  std::fprintf(file_, "%.3f %.*s", Now(), static_cast<int>(step.size()), step.data());
  if (figure >= 0) std::fprintf(file_, " %.3f", figure);
  std::fputc('\n', file_);
  // The benchmark reads the file while the program runs.
  std::fflush(file_);
}

void TimingLog::QueueChecked(bool empty) {
  Drained();
  if (awaiting_idle_ && empty) {
    awaiting_idle_ = false;
    Write("idle");
  }
}

void TimingLog::InputTaken(unsigned message) {
  if (file_ == nullptr) return;
  Write("input", message);
  awaiting_idle_ = true;
}

void TimingLog::CommandStarted() {
  if (file_ == nullptr || command_depth_++ > 0) return;
  last_drain_ = Now();
  longest_stretch_ = 0;
}

double TimingLog::CommandEnded() {
  if (file_ == nullptr || command_depth_ == 0) return -1;
  if (command_depth_ > 1) {
    --command_depth_;
    return -1;
  }
  Drained();
  command_depth_ = 0;
  return longest_stretch_;
}

void TimingLog::Drained() {
  if (file_ == nullptr || command_depth_ == 0) return;
  double now = Now();
  if (now - last_drain_ > longest_stretch_) longest_stretch_ = now - last_drain_;
  last_drain_ = now;
}

void TimingLog::PumpStarted() {
  if (file_ == nullptr) return;
  Drained();
  double now = Now();
  if (last_pump_ >= 0 && now - last_pump_ > longest_pump_interval_) {
    longest_pump_interval_ = now - last_pump_;
  }
  last_pump_ = now;
}

}  // namespace tarnwick::win32
