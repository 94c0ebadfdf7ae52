// Any VIS file: reading it stays inside the image, every path expands to a bounded pattern, and an
// appended menu entry reads back as one more entry with every other entry unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "scenery/menu_paths.h"
#include "scenery/vis_file.h"

namespace {

using namespace tarnwick;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Simulator folders at several depths, the drive's root among them.
const char* const kVisPaths[] = {"C:\\FS98\\Scenery\\World.vis", "C:\\Scenery\\World.vis",
                                 "D:\\Games\\Flight Simulator 98\\Scenery\\My.Set.vis",
                                 "World.vis"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fuzz::FuzzSession f;
  f.set.vis_path = kVisPaths[data[0] % 4];
  f.fs.files[f.set.vis_path].assign(data + 1, data + size);
  f.log.Create(f.fs, "scan.log");
  if (!ReadVisFile(f.session)) return 0;
  Check(f.set.vis_count == static_cast<int32_t>(f.set.vis_entries.size()));
  std::vector<std::string> paths;
  for (const VisEntry& entry : f.set.vis_entries) {
    paths.emplace_back(f.set.EntryPath(entry));
    Check(ExpandVisPath(f.set.host_root, paths.back()).size() <= 259);
  }

  f.set.menu_entry_path = MenuEntryPathFor(f.set.vis_path);
  const bool last_is_menu =
      !paths.empty() && paths.back().size() == f.set.menu_entry_path.size() &&
      std::equal(paths.back().begin(), paths.back().end(), f.set.menu_entry_path.begin(),
                 [](char a, char b) { return std::toupper(a) == std::toupper(b); });
  const bool changed = AppendMenuEntry(f.set);
  if (!changed) return 0;
  Check(WriteVisImage(f.session));

  fuzz::FuzzSession back;
  back.set.vis_path = f.set.vis_path;
  back.fs.files[back.set.vis_path] = f.fs.files[f.set.vis_path];
  Check(ReadVisFile(back.session));
  const size_t expected = paths.size() + (last_is_menu ? 0 : 1);
  Check(back.set.vis_entries.size() == expected);
  for (size_t i = 0; i < paths.size(); ++i) {
    Check(paths[i] == back.set.EntryPath(back.set.vis_entries[i]));
  }
  const VisEntry& last = back.set.vis_entries.back();
  Check(back.set.StoredFlags(last) == 3);
  return 0;
}
