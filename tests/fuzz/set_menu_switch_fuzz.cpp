// Any bytes as a BGL, its menu switched off and on again while changes fail as the input says:
// the file keeps every byte but its switch byte, a switch that reports success wrote its value,
// and off then on gives back the file as it was.
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "scenery/bgl_menu.h"
#include "scenery/bgl_records.h"

namespace {

using namespace tarnwick;
using fuzz::Check;

// `now` is `before` with at most the byte at `menu` changed, and that byte is `value` when the
// switch said it wrote it.
void CheckSwitched(const std::vector<uint8_t>& before, const std::vector<uint8_t>& now, size_t menu,
                   bool written, uint8_t value) {
  Check(now.size() == before.size());
  for (size_t i = 0; i < now.size(); ++i) {
    if (i != menu || !written) Check(now[i] == before[i]);
  }
  if (written) Check(now[menu] == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FaultyFuzzSession f(data, size);
  const char* path = "C:\\FS98\\Scenery\\Alps\\Scenery\\alps.bgl";
  const std::vector<uint8_t> original(data, data + size);
  f.fs.files[path] = original;
  // The first byte of a BGL is not read: its top bit makes the file read-only.
  if (size > 0 && (data[0] & 0x80) != 0) f.fs.SetReadOnly(path);
  const size_t menu = size >= kBglHeaderSize ? GetU32(data + 66) : 0;
  // Without a header no byte is the switch byte: nothing may change.
  const size_t switch_at = menu != 0 ? menu : size;

  const bool off = SetMenuSwitch(f.failing, path, 0);
  const std::vector<uint8_t> after_off = f.fs.files[path];
  CheckSwitched(original, after_off, switch_at, off, 0);
  const bool on = SetMenuSwitch(f.failing, path, 1);
  const std::vector<uint8_t> after_on = f.fs.files[path];
  CheckSwitched(after_off, after_on, switch_at, on, 1);
  if (off && on && switch_at < size && original[switch_at] == 1) Check(after_on == original);
  return 0;
}
