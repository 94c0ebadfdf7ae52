// A save over any current result and previous copy (either may be missing or read-only, and a
// stopped save may have left its files), while changes fail as the input says. Once the results
// are put in order: the current result is the old one or the new one; the new one is current only
// with the old one kept as the previous copy; the old current result is never lost; the VIS file
// is old or new.
#include <cstdint>
#include <optional>
#include <vector>

#include "fuzz_support.h"
#include "output/save_results.h"
#include "platform/memory_file.h"
#include "scenery/bgl_menu.h"
#include "scenery/menu_paths.h"
#include "scenery/menu_results.h"
#include "scenery/vis_file.h"

namespace {

using namespace tarnwick;
using fuzz::Check;
using Bytes = std::optional<std::vector<uint8_t>>;

// The VIS image as the file holds it.
std::vector<uint8_t> ImageBytes(const VisImage& image) {
  return std::vector<uint8_t>(image.bytes.begin(), image.bytes.begin() + image.size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FaultyFuzzSession f(data, size);
  if (size < 1) return 0;
  // Which files are there, and which are read-only: current, previous copy, and the two that a
  // stopped save leaves; then the current result's bytes and the previous copy's, split in half.
  // Each result starts with a byte of its own, so that no two results and no new menu BGL are
  // alike.
  const uint8_t layout = data[0];
  const size_t half = (size - 1) / 2;
  std::vector<uint8_t> current{'C'}, previous{'P'};
  current.insert(current.end(), data + 1, data + 1 + half);
  previous.insert(previous.end(), data + 1 + half, data + size);

  fuzz::SetVisEntries(f.set, {{1, "=:\\=\\Scenery\\Alps\\*.bgl"}});
  f.set.vis_path = "C:\\FS98\\Scenery\\World.vis";
  f.fs.files[f.set.vis_path] = ImageBytes(f.set.image);
  BuildMenuPaths(f.session);
  const std::string menu = f.set.menu_bgl_path;
  const std::string prev = PreviousCopyPath(f.set);
  const std::pair<std::string, std::vector<uint8_t>> files[] = {
      {menu, current},
      {prev, previous},
      {MenuBglWritingPath(menu), {'W'}},
      {PreviousCopyWritingPath(menu), {'C'}}};
  for (int i = 0; i < 4; ++i) {
    if ((layout >> i & 1) == 0) continue;
    f.fs.files[files[i].first] = files[i].second;
    if ((layout >> (i + 4) & 1) != 0) f.fs.SetReadOnly(files[i].first);
  }
  const Bytes old_current = fuzz::FileBytes(f.fs, menu);
  const Bytes old_previous = fuzz::FileBytes(f.fs, prev);

  // What the save writes: the menu BGL and the VIS file with the menu's entry.
  MemoryFile image;
  Check(WriteMenuBgl(f.session, image));
  const std::vector<uint8_t> fresh = image.Bytes();
  const std::vector<uint8_t> old_vis = ImageBytes(f.set.image);
  const VisImage kept = f.set.image;
  AppendMenuEntry(f.set);
  const std::vector<uint8_t> new_vis = ImageBytes(f.set.image);
  f.set.image = kept;

  f.host.OpenProgressBox("");
  const bool saved = WriteResults(f.faulty);
  f.host.CloseProgressBox();
  RecoverMenuResults(f.fs, menu);

  const Bytes now_current = fuzz::FileBytes(f.fs, menu);
  const Bytes now_previous = fuzz::FileBytes(f.fs, prev);
  const Bytes kept_previous = old_current ? old_current : old_previous;
  if (now_current == fresh && now_current != old_current) {
    // The new result took its place: the one before it is the previous copy.
    Check(now_previous == kept_previous);
  } else if (now_current == fresh) {
    // A new result the same as the current one: either copy is a result kept.
    Check(now_previous == kept_previous || now_previous == old_previous);
  } else {
    Check(!saved);
    Check(now_current == old_current);
    // A save that did not put its result in place leaves the previous copy as it was; where
    // there was none, it may hold a copy of the current result, which loses nothing.
    Check(now_previous == old_previous || (!old_previous && now_previous == old_current));
  }
  const std::vector<uint8_t>& vis = f.fs.files[f.set.vis_path];
  Check(vis == old_vis || vis == new_vis);
  if (saved) Check(vis == new_vis);
  return 0;
}
