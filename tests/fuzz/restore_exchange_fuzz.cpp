// The restore's exchange from any set of its files (current result, previous copy, a parked
// result and the files of a stopped save, each there or not), while changes fail as the input
// says: an exchange that reports success swapped the current result and the previous copy, one
// refused change leaves them where they were, and once the results are put in order no result is
// lost or doubled and they are as they were or swapped.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "output/previous_results.h"
#include "scenery/menu_results.h"

namespace {

using namespace tarnwick;
using fuzz::Check;

const std::string kMenu = "C:\\FS98\\Scenery\\Menus\\Scenery\\World_MENU.bgl";
const std::string kPrevious = kMenu + "Prev";
const std::string kParked = ParkedResultPath(kMenu);

// The results on the disk, by name.
std::map<std::string, std::vector<uint8_t>> Results(const fuzz::MemoryFileSystem& fs) {
  std::map<std::string, std::vector<uint8_t>> out;
  for (const std::string& name : {kMenu, kPrevious, kParked}) {
    if (auto bytes = fuzz::FileBytes(fs, name)) out[name] = *bytes;
  }
  return out;
}

std::multiset<std::vector<uint8_t>> Contents(
    const std::map<std::string, std::vector<uint8_t>>& results) {
  std::multiset<std::vector<uint8_t>> out;
  for (const auto& [name, bytes] : results) out.insert(bytes);
  return out;
}

// The current result and the previous copy changed places.
std::map<std::string, std::vector<uint8_t>> Swapped(
    const std::map<std::string, std::vector<uint8_t>>& results) {
  std::map<std::string, std::vector<uint8_t>> out;
  for (const auto& [name, bytes] : results) {
    out[name == kMenu ? kPrevious : name == kPrevious ? kMenu : name] = bytes;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FaultyFuzzSession f(data, size);
  if (size < 1) return 0;
  const std::pair<std::string, char> files[] = {{kMenu, 'M'},
                                                {kPrevious, 'P'},
                                                {kParked, 'N'},
                                                {MenuBglWritingPath(kMenu), 'W'},
                                                {PreviousCopyWritingPath(kMenu), 'C'}};
  for (int i = 0; i < 5; ++i) {
    if ((data[0] >> i & 1) != 0)
      f.fs.files[files[i].first] = {static_cast<uint8_t>(files[i].second)};
  }
  const auto before = Results(f.fs);
  // The order the program puts them in before it touches them.
  fuzz::MemoryFileSystem ordered;
  ordered.files = f.fs.files;
  RecoverMenuResults(ordered, kMenu);
  const auto in_order = Results(ordered);

  int failures = 0;
  f.failing.fail_when = [&failures, decide = f.failing.fail_when](int change) {
    bool fails = decide(change);
    failures += fails ? 1 : 0;
    return fails;
  };
  const bool exchanged = ExchangeWithPreviousCopy(f.failing, kMenu);
  const auto left = Results(f.fs);
  if (exchanged) Check(left == Swapped(in_order));
  // One refused change is undone at once: the results are where they were.
  if (!exchanged && failures == 1) Check(left == before || left == in_order);
  RecoverMenuResults(f.fs, kMenu);
  const auto after = Results(f.fs);

  Check(Contents(after) == Contents(before));
  if (exchanged) {
    Check(after == Swapped(in_order));
    Check(after.count(kParked) == 0);
  } else {
    Check(after == in_order || after == Swapped(in_order));
  }
  return 0;
}
