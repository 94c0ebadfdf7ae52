// The real program under Wine, driven from the benchmark's process as a person would drive it:
// messages posted to its windows, its boxes answered, its timing file read as it is written.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <functional>
#include <string>
#include <vector>

#include "probe_windows.h"

namespace bench {

// Milliseconds on the performance counter, the clock the program's timing file uses.
double CounterMs();

struct TimingLine {
  double time = -1;
  std::string step;
  double figure = -1;
};

// The file named by TARNWICK_TIMING, read while the program writes it.
class TimingFile {
 public:
  explicit TimingFile(std::string path) : path_(std::move(path)) {}
  // The next line whose step is `step`, waiting up to `timeout_ms`; `poll` runs while waiting.
  // Lines before it are passed to `seen` when given. A line with a negative time: none came.
  TimingLine Await(const std::string& step, double timeout_ms,
                   const std::function<void()>& poll = {},
                   const std::function<void(const TimingLine&)>& seen = {});
  // Passes over every line written so far.
  void SkipAll();

 private:
  bool ReadNext(TimingLine& line);
  std::string path_;
  size_t seen_ = 0;
  std::vector<TimingLine> unread_;
};

// What one action cost, input to the first idle moment after it.
struct Span {
  double ms = -1;       // negative: not measured (see note)
  double stretch = -1;  // the longest stretch without a drain reported by its commands
  double scan = -1;     // scan start to the idle after its end, when it scanned the set
  bool reread = false;  // the set was closed and read again
  std::string note;
};

class ProgramRun {
 public:
  // Starts the program on the VIS file with the timing file at `timing`.
  ProgramRun(const std::string& program, const std::string& vis, const std::string& timing);
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  TimingFile& Timing() { return timing_; }
  HWND Main() const { return main_; }
  HWND Tree() const;
  HWND Details() const;
  HWND VisList() const;
  DWORD Id() const { return process_.dwProcessId; }

  // Finds the main window once it exists; false after the time limit.
  bool AwaitWindow(double timeout_ms);
  // The process's peak private bytes so far (the largest of the counters Wine keeps).
  double PeakPrivateMb() const;
  // Answers every box of the program that is shown: Yes to a confirmation, OK to any other.
  // Returns the milliseconds the boxes stood before their answer; their texts go to `notes`.
  double AnswerBoxes(std::string* notes = nullptr);

  // Posts `act` and measures from the program's "input" line to its first idle after it,
  // answering boxes on the way (their time on screen is left out).
  Span Measure(const std::function<void()>& act, double timeout_ms = 600000);

  // The tree control's items, read from outside.
  HTREEITEM Item(UINT relation, HTREEITEM from) const;
  std::string Label(HTREEITEM item) const;
  bool LabelCentre(HTREEITEM item, POINT& centre) const;
  int ChildCount(HTREEITEM parent) const;
  std::vector<HTREEITEM> Children(HTREEITEM parent) const;
  // Whether the item shows its marked picture.
  bool Marked(HTREEITEM item) const;
  // A part of the status bar.
  std::string StatusText(int part) const;
  // Opens an Area as a click on its button does (the program fills it when it holds its
  // Locations back) and selects an item as a click on it does.
  void Expand(HTREEITEM area, bool open) const;
  void Select(HTREEITEM item) const;

  void PostKey(HWND window, WORD key) const;
  void PostCommand(int id) const { PostMessageA(main_, WM_COMMAND, static_cast<WPARAM>(id), 0); }

 private:
  PROCESS_INFORMATION process_ = {};
  TimingFile timing_;
  HWND main_ = nullptr;
};

}  // namespace bench
