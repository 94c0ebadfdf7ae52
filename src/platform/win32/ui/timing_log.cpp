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
  if (awaiting_idle_ && empty) {
    awaiting_idle_ = false;
    Write("idle");
  }
}

void TimingLog::PumpStarted() {
  if (file_ == nullptr) return;
  double now = Now();
  if (last_pump_ >= 0 && now - last_pump_ > longest_pump_interval_) {
    longest_pump_interval_ = now - last_pump_;
  }
  last_pump_ = now;
}

}  // namespace tarnwick::win32
