#include "output/save_results.h"

#include <memory>
#include <string>

#include "output/path_compare.h"
#include "platform/memory_file.h"
#include "scenery/bgl_menu.h"
#include "scenery/menu_paths.h"
#include "scenery/progress_box.h"
#include "scenery/vis_file.h"

namespace tarnwick {

namespace {

// Creates and writes the new menu BGL. False (reported) when it could not be created or written;
// `created` tells whether a file of ours now stands at the path.
bool WriteNewMenuBgl(Session& s, bool& created) {
  std::unique_ptr<File> file = s.fs.Open(s.set.menu_bgl_path, OpenMode::kCreateReadWrite);
  created = file != nullptr;
  if (!file) {
    s.host.ShowMessage(s.fs.LastError(), "creating Menu BGL!");
    return false;
  }
  // Built in memory and written in one go: the generator writes field by field and seeks back to
  // patch offsets, which on the disk would cost a call per field.
  MemoryFile image;
  // At most a record of 72 bytes per tree item and 290 per VIS entry: the image then never moves
  // while it grows to several megabytes.
  image.Reserve(s.tree.Count() * 72 + s.set.vis_entries.size() * 290 + 256);
  if (!WriteMenuBgl(s, image)) {
    s.host.ShowMessage(0, "writing Menu BGL!");
    return false;
  }
  const std::vector<uint8_t>& bytes = image.Bytes();
  if (!file->Write(bytes.data(), static_cast<uint32_t>(bytes.size()))) {
    s.host.ShowMessage(s.fs.LastError(), "writing Menu BGL!");
    return false;
  }
  return true;
}

// Adds the generated menu's entry to the VIS file. A write that fails puts the image back as it
// was, so that the image keeps matching the file and the next save tries again.
bool UpdateVisFile(Session& s) {
  VisImage before = s.set.image;
  if (!AppendMenuEntry(s.set)) return true;
  if (WriteVisImage(s)) return true;
  s.set.image = std::move(before);
  return false;
}

}  // namespace

bool SaveResults(Session& s, bool warn, bool ask_only) {
  if (warn && s.set.generated_menu_seen && s.set.generated_menu_off && !s.host.AskWarning()) {
    return false;
  }
  if (ask_only) return true;
  OpenVisProgressBox(s.host, "Please wait whilst saving menu for VIS file '%s'.", s.set.vis_path);
  WriteResults(s);
  s.host.CloseProgressBox();
  return true;
}

bool WriteResults(Session& s) {
  BuildMenuPaths(s);
  const std::string& menu_bgl = s.set.menu_bgl_path;
  if (s.fs.IsWritable(menu_bgl)) {
    std::string previous = PreviousCopyPath(s.set);
    s.fs.Delete(previous);
    s.fs.Rename(menu_bgl, previous);
  }

  bool created = false;
  bool written = WriteNewMenuBgl(s, created);

  if (s.host.ProgressBoxExists()) s.host.DisableProgressCancel();
  if (!written || s.host.GetBusyState() != BusyState::kBusy) {
    // Only a file this save created goes: a read-only menu BGL that could not be replaced is the
    // user's.
    if (created) s.fs.Delete(menu_bgl);
    return false;
  }

  s.host.SetProgressLine(
      ProgressLine::kStep,
      "Updating the VIS file to include the new BGL created in the MENUS folder");
  if (!UpdateVisFile(s)) return false;

  s.host.SetProgressLine(
      ProgressLine::kStep,
      "Disabling original source menus in favour of the new one created in the MENUS folder");
  DisableSourceMenus(s);

  s.set.generated_menu_off = false;
  s.set.results_saved = true;
  s.set.generated_menu_seen = true;
  return true;
}

int DisableSourceMenus(Session& s) {
  int count = 0;
  for (int32_t i = 1; i <= s.set.bgl_count; ++i) {
    const MenuBgl* bgl = s.set.Bgl(i);
    if (bgl == nullptr || SamePath(bgl->path, s.set.menu_bgl_path)) continue;
    if (!SetMenuSwitch(s.fs, bgl->path, 0)) continue;
    ++count;
    if (s.host.ProgressBoxExists()) {
      s.host.SetProgressLine(ProgressLine::kFile,
                             "Disabled menus in " + std::to_string(count) + " BGL files");
    }
  }
  return count;
}

}  // namespace tarnwick
