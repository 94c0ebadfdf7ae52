// Any bytes as a VIS file: reading, expanding every entry's path and appending the menu entry must
// stay inside the image and either index the file or reject it cleanly.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../support/recording_host.h"
#include "scenery/memory_menu_tree.h"
#include "scenery/vis_file.h"

namespace {

// One file per fuzzing process, removed when the process ends.
struct TempVisFile {
  std::string path = "/tmp/tarnwick-vis-fuzz-" + std::to_string(::getpid()) + ".vis";
  ~TempVisFile() { std::remove(path.c_str()); }
};

const std::string& TempVisPath() {
  static const TempVisFile file;
  return file.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarnwick;
  FILE* out = std::fopen(TempVisPath().c_str(), "wb");
  if (out == nullptr) return 0;
  std::fwrite(data, 1, size, out);
  std::fclose(out);

  auto fs = MakeNativeFileSystem();
  ScenerySet set;
  MemoryMenuTree tree;
  testing::RecordingHost host;
  Options options;
  LogFile log;
  TreeState tree_state;
  Session s{set, tree, *fs, host, options, log, tree_state};
  set.vis_path = "Z:" + TempVisPath();
  for (char& c : set.vis_path) {
    if (c == '/') c = '\\';
  }
  if (!ReadVisFile(s)) {
    if (set.HasImage() || !set.vis_entries.empty()) std::abort();
    return 0;
  }
  for (const auto& entry : set.vis_entries) {
    // The file's own texts as a host root too: short and odd roots must be safe.
    if (ExpandVisPath(set.EntryTitle(entry), set.EntryPath(entry)).size() > 259) std::abort();
  }
  set.menu_entry_path = "C:\\FS98\\Scenery\\Menus\\World_MENU.bgl";
  AppendMenuEntry(set);
  AppendMenuEntry(set);
  return 0;
}
