// Times of the window's long steps, for the window benchmark: written to the file named by the
// environment variable TARNWICK_TIMING, one line per step ("<milliseconds> <step> [figure]"), and
// nothing at all when it is not set.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace tarnwick::win32 {

class TimingLog {
 public:
  TimingLog();
  ~TimingLog();
  TimingLog(const TimingLog&) = delete;
  TimingLog& operator=(const TimingLog&) = delete;

  bool On() const { return file_ != nullptr; }
  // Milliseconds on the performance counter, the clock every process of the machine shares.
  double Now() const;
  // Writes the step at the current time, with a figure when one is given.
  void Write(std::string_view step, double figure = -1);
  // The next time the message queue is found empty (everything painted) writes "idle".
  void AwaitIdle() { awaiting_idle_ = On(); }
  // Called by the message loop before it waits.
  void QueueChecked(bool empty);
  // A key, a mouse button or a command taken from the queue: writes "input <message>" and awaits
  // the idle that follows, so that the span from a person's action to the answer shows.
  void InputTaken(unsigned message);

  // Each command's longest stretch without draining the queue: from its start to the first
  // drain, between drains, and from the last to its end. Commands run inside commands count for
  // the outermost one.
  void CommandStarted();
  // The longest stretch of the outermost command, or -1 for one run inside another.
  double CommandEnded();
  // A modal box or dialog answers input from its own loop for as long as it is shown.
  void ModalStarted() { Drained(); }
  void ModalEnded() { last_drain_ = Now(); }

  // The longest time between two drains of the queue during a long operation.
  void PumpStarted();
  void LongOperationStarted() { last_pump_ = -1, longest_pump_interval_ = frames_ = drains_ = 0; }
  double LongestPumpInterval() const { return longest_pump_interval_; }
  // Time a long operation spent drawing frames and draining the queue between them.
  void FrameTaken(double ms) { frames_ += ms; }
  void DrainTaken(double ms) { drains_ += ms; }
  double Frames() const { return frames_; }
  double Drains() const { return drains_; }

 private:
  std::FILE* file_ = nullptr;
  int64_t frequency_ = 1;
  bool awaiting_idle_ = false;
  double last_pump_ = -1;
  double longest_pump_interval_ = 0;
  double frames_ = 0;
  double drains_ = 0;

  void Drained();
  int command_depth_ = 0;
  double last_drain_ = 0;
  double longest_stretch_ = 0;
};

}  // namespace tarnwick::win32
