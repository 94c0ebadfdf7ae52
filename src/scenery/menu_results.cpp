#include "scenery/menu_results.h"

#include <climits>
#include <optional>
#include <vector>

namespace tarnwick {

std::optional<std::vector<uint8_t>> ReadResultFile(FileSystem& fs, const std::string& path) {
  auto file = fs.Open(path, OpenMode::kRead);
  if (!file) return std::nullopt;
  int64_t size = file->Size();
  if (size < 0 || size > INT32_MAX) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  uint32_t got = 0;
  if (!file->Read(bytes.data(), static_cast<uint32_t>(size), got) || got != size) {
    return std::nullopt;
  }
  return bytes;
}

bool SameResultFiles(FileSystem& fs, const std::string& a, const std::string& b) {
  std::optional<std::vector<uint8_t>> first = ReadResultFile(fs, a);
  std::optional<std::vector<uint8_t>> second = ReadResultFile(fs, b);
  return first && second && *first == *second;
}

namespace {

// A save stopped after it set the previous copy aside: before its copy of the current result took
// the previous name, after it but before the new result took the current name, or at its very
// end.
void RecoverRetiredPrevious(FileSystem& fs, const std::string& menu_bgl) {
  const std::string retired = RetiredPreviousPath(menu_bgl);
  if (!fs.Exists(retired)) return;
  const std::string previous = PreviousCopyOf(menu_bgl);
  if (!fs.Exists(previous)) {
    fs.Rename(retired, previous);
    return;
  }
  auto current = ReadResultFile(fs, menu_bgl);
  auto copy = ReadResultFile(fs, previous);
  if (!current || !copy) return;  // unreadable: nothing is decided, nothing deleted
  if (*current == *copy) {
    fs.Replace(retired, previous);
  } else {
    fs.Delete(retired);
  }
}

}  // namespace

SwitchJobResult RecoverMenuResults(FileSystem& fs, const std::string& menu_bgl) {
  // A save's switches first: the new result it wrote is still needed to finish it.
  SwitchJobResult switched = FinishSwitchJob(fs, menu_bgl);
  // Written under these names only until complete and then never needed again: a result always
  // has another copy under a name of its own.
  const std::string writing = MenuBglWritingPath(menu_bgl);
  const std::string copying = PreviousCopyWritingPath(menu_bgl);
  if (fs.Exists(writing)) fs.Delete(writing);
  if (fs.Exists(copying)) fs.Delete(copying);
  RecoverRetiredPrevious(fs, menu_bgl);

  const std::string parked = ParkedResultPath(menu_bgl);
  if (!fs.Exists(parked)) return switched;
  const std::string previous = PreviousCopyOf(menu_bgl);
  if (!fs.Exists(menu_bgl)) {
    // Stopped before the previous copy took the current name: the exchange is undone.
    fs.Rename(parked, menu_bgl);
  } else if (!fs.Exists(previous)) {
    // Stopped after it: the parked result becomes the previous copy, as the exchange meant.
    fs.Rename(parked, previous);
  }
  // All three present is no state of ours: nothing is deleted, and the exchange refuses to run.
  return switched;
}

}  // namespace tarnwick
