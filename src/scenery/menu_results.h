// The files that hold the saved results: the generated menu BGL, its previous-results copy, and
// the names a save or an exchange uses on the way. A save or a restore that was stopped half-way
// (the program killed, a rename refused) is put right here before any of them is touched again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "scenery/switch_job.h"

namespace tarnwick {

// The previous-results copy of a menu BGL.
inline std::string PreviousCopyOf(const std::string& menu_bgl) {
  return menu_bgl + "Prev";
}
// A new menu BGL while it is written, and the copy of the current one while it is made: either
// may be incomplete, and neither is ever the only copy of a result.
inline std::string MenuBglWritingPath(const std::string& menu_bgl) {
  return menu_bgl + "Tmp";
}
inline std::string PreviousCopyWritingPath(const std::string& menu_bgl) {
  return menu_bgl + "PrevTmp";
}
// The previous copy set aside while a save puts the current result in its place: it goes back
// unless the save puts its new result in place too.
inline std::string RetiredPreviousPath(const std::string& menu_bgl) {
  return menu_bgl + "PrevOld";
}
// The current result parked while it changes places with the previous one.
inline std::string ParkedResultPath(const std::string& menu_bgl) {
  return menu_bgl + "New";
}

// The whole contents of a result file; nullopt when it cannot be read.
std::optional<std::vector<uint8_t>> ReadResultFile(FileSystem& fs, const std::string& path);
// Whether two result files can both be read and hold the same bytes.
bool SameResultFiles(FileSystem& fs, const std::string& a, const std::string& b);

// Finishes or undoes an interrupted job of menu switches (a save's included), an interrupted
// exchange and an interrupted save, and drops the unfinished files of a save. A parked result goes
// back to the name it lacks; one that has no free name to go to stays where it is. A previous copy
// set aside by a save that did not put its new result in place (the current result and the
// previous copy are then the same) is put back. Returns how the switch job ended; one that could
// not be finished was undone, or, where even that failed, its record waits for the next try.
SwitchJobResult RecoverMenuResults(FileSystem& fs, const std::string& menu_bgl);

}  // namespace tarnwick
