// Any bytes as a VIS file, some of its entries switched on or off as the input says, committed
// while changes fail as the input says: the VIS file is then the old one or the new one, byte for
// byte, the new one exactly when the commit says it was written, and the next reading finds no
// temporary file beside it.
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "output/vis_commit.h"
#include "scenery/vis_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarnwick;
  using fuzz::Check;
  fuzz::FaultyFuzzSession f(data, size);
  if (size < 1) return 0;
  const uint8_t toggles = data[0];
  const char* vis = "C:\\FS98\\Scenery\\World.vis";
  const std::vector<uint8_t> old(data + 1, data + size);
  f.fs.files[vis] = old;
  f.set.vis_path = vis;
  if (!ReadVisFile(f.session)) return 0;

  std::vector<uint8_t> changed = old;
  for (size_t i = 0; i < f.set.vis_entries.size(); ++i) {
    VisEntry& entry = f.set.vis_entries[i];
    if ((toggles >> (i % 8) & 1) == 0) continue;
    entry.working_flags ^= 1;
    changed[entry.flags_offset] = entry.working_flags;
  }

  const VisCommitResult result = CommitVisSelections(f.faulty);
  Check(result != VisCommitResult::kCancelled);
  Check(f.fs.files[vis] == (result == VisCommitResult::kWritten ? changed : old));

  // The next start.
  fuzz::FuzzSession next;
  next.fs.files = f.fs.files;
  next.set.vis_path = vis;
  Check(ReadVisFile(next.session));
  Check(!next.fs.Exists(VisTemporaryPath(vis)));
  return 0;
}
