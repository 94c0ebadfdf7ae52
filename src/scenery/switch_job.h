// Menu switches that the simulator must see changed all together or not at all: the source menus
// a save switches off (and the new result it puts in place), the menus "Enable original menus"
// and "Disable original menus" switch, those of a VIS commit. A job is written down beside the
// results before its first change, so that a job stopped half-way (the program killed) is finished
// by whatever job comes next; a job that fails half-way undoes the changes it made. Either way no
// Location is shown twice and none goes missing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tarnwick {

// One menu switch byte to change.
struct SwitchChange {
  std::string path;
  uint8_t from = 0;  // as the job found it: what an undo writes back
  uint8_t to = 0;
};

struct SwitchJob {
  std::vector<SwitchChange> changes;  // made in this order
  // A save's new result, written complete under MenuBglWritingPath, takes the current result's
  // name once every switch is made.
  bool puts_new_result = false;
};

enum class SwitchJobEnd {
  kDone,     // every change made
  kFailed,   // a change failed: the changes made were undone
  kStopped,  // the caller stopped it: the changes made were undone
};

// What a job that failed could not do.
enum class SwitchFailure {
  kSwitch,  // write a BGL's switch byte
  kRecord,  // write or read the job's record
  kResult,  // put the new result in place
};

struct SwitchJobResult {
  SwitchJobEnd end = SwitchJobEnd::kDone;
  int changed = 0;  // switch bytes written and kept
  SwitchFailure failed = SwitchFailure::kSwitch;
  std::string path;           // what failed: a BGL, the record, or the menu BGL
  uint32_t error = 0;         // its system error code
  bool undone = true;         // false when an undo failed too: the record stays for the next job
  bool switching_on = false;  // the failed change was to switch a menu on
};

// A file another program holds without letting others read it: its switch is not known, so a job
// cannot promise to leave the set whole.
inline bool HeldByAnotherProgram(uint32_t error) {
  return error == win32_error::kSharingViolation || error == win32_error::kLockViolation;
}

// Where a job is written down: in the Menus folder, beside the folder the simulator reads.
std::string SwitchRecordPath(const std::string& menu_bgl);

// Runs a job: written down, then each change in order (then the new result put in place), then
// the record dropped. `go_on` is asked after each change, given the change and how many were
// made; false stops the job and undoes it.
SwitchJobResult RunSwitchJob(FileSystem& fs, const std::string& menu_bgl, const SwitchJob& job,
                             const std::function<bool(const SwitchChange&, int)>& go_on = {});

// Finishes a job whose record was left by a program that stopped: its changes are made (a change
// already made is made again, which changes nothing) and its new result put in place. A change that
// cannot be made undoes the whole job instead. kDone also when there was no record.
SwitchJobResult FinishSwitchJob(FileSystem& fs, const std::string& menu_bgl);

// The phrase that completes "Error %d reported whilst ..." for a job that did not end kDone.
std::string SwitchFailurePhrase(const SwitchJobResult& result);

}  // namespace tarnwick
