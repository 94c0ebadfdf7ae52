// Any BGL file: reading its menu stays inside the file and the buffer, the model matches the
// tree, and the menu written from it reads back the same.
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "scenery/bgl_menu.h"

namespace {

using namespace tarnwick;

// Entries of the sample set (whose generated menu is a seed), some of them switched off, so that
// the scenery check both keeps and drops Locations.
const std::vector<std::pair<uint8_t, std::string>> kVisEntries = {
    {3, "=:\\=\\Scenery\\World\\*.bgl"},   {1, "=:\\=\\Scenery\\SEATTLE\\*.bgl"},
    {0, "=:\\=\\Scenery\\SanFran\\*.bgl"}, {1, "=:\\=\\Scenery\\Chicago\\*.bgl"},
    {0, "=:\\=\\Scenery\\NewYork\\*.bgl"}, {1, "=:\\=\\Scenery\\LosAngeles\\*.bgl"}};

using fuzz::Check;

void ReadMenu(fuzz::FuzzSession& f, const char* path, SceneryCheck check) {
  std::unique_ptr<File> file = f.fs.Open(path, OpenMode::kRead);
  uint8_t bytes[kBglHeaderSize];
  uint32_t got = 0;
  if (!file->Read(bytes, kBglHeaderSize, got) || got != kBglHeaderSize) return;
  BglHeader header = ParseBglHeader(bytes);
  if (header.menu_offset != 0 && file->Seek(header.menu_offset)) {
    ReadBglMenu(f.session, *file, header, path, 2, check);
  }
}

// Every Area node is one counted Area with at least one Location.
void CheckTreeMatchesModel(fuzz::FuzzSession& f) {
  int areas = 0;
  int locations = 0;
  for (TreeNode a = f.tree.FirstChild(f.set.tree_root); a; a = f.tree.Next(a)) {
    ++areas;
    Check(RecordOf(f.tree.Data(a)) == static_cast<uint32_t>(areas));
    Check(f.tree.FirstChild(a) != nullptr);
    for (TreeNode l = f.tree.FirstChild(a); l; l = f.tree.Next(l)) {
      ++locations;
      Check(f.set.Location(RecordOf(f.tree.Data(l)))->area_index == areas);
    }
  }
  Check(areas == f.set.area_count && locations == f.set.location_count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzSession f;
  f.options.expand_initially = (size & 1) != 0;
  fuzz::SetVisEntries(f.set, kVisEntries);
  f.log.Create(f.fs, "scan.log");
  f.fs.files["in.bgl"].assign(data, data + size);
  ReadMenu(f, "in.bgl", SceneryCheck::kActiveEntries);
  CheckTreeMatchesModel(f);

  {
    std::unique_ptr<File> out = f.fs.Open("out.bgl", OpenMode::kCreateReadWrite);
    Check(WriteMenuBgl(f.session, *out));
  }
  fuzz::FuzzSession back;
  fuzz::SetVisEntries(back.set, kVisEntries);
  back.fs.files["out.bgl"] = f.fs.files["out.bgl"];
  ReadMenu(back, "out.bgl", SceneryCheck::kAsSaved);
  CheckTreeMatchesModel(back);
  Check(back.set.area_count == f.set.area_count);
  Check(back.set.location_count == f.set.location_count);
  Check(back.set.bgl_count == (f.set.area_count > 0 ? 1 : 0));
  for (int i = 1; i <= f.set.location_count; ++i) {
    const MenuLocation* a = f.set.Location(i);
    const MenuLocation* b = back.set.Location(i);
    Check(a->fields.latitude == b->fields.latitude && a->fields.longitude == b->fields.longitude &&
          a->fields.altitude == b->fields.altitude && a->fields.heading == b->fields.heading &&
          a->fields.com1 == b->fields.com1 && a->fields.nav1 == b->fields.nav1 &&
          a->fields.obi1 == b->fields.obi1 && a->fields.nav2 == b->fields.nav2 &&
          a->fields.obi2 == b->fields.obi2);
    Check((a->scenery_vis & 0xFFFF) == b->scenery_vis);
  }
  return 0;
}
