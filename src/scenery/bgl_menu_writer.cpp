// Writing the generated menu BGL: the AREA list, each Area's LOCN list, and the scenery list of
// the VIS entries the Locations name.
#include <charconv>
#include <initializer_list>

#include "scenery/bgl_menu.h"
#include "scenery/bgl_records.h"

namespace tarnwick {

int CountCutAreaTitles(const MenuTree& tree) {
  int cut = 0;
  if (TreeNode root = tree.Root()) {
    for (TreeNode area = tree.FirstChild(root); area != nullptr; area = tree.Next(area)) {
      // An Area without Locations is not written at all.
      if (tree.FirstChild(area) != nullptr && tree.Label(area).size() > kMaxWrittenTitle) ++cut;
    }
  }
  return cut;
}

bool WriteMenuBgl(Session& s, File& file) {
  auto write = [&file](const std::vector<uint8_t>& bytes) {
    return file.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  };
  // The progress line is built in one buffer: it changes after every one of many records.
  std::string line;
  auto progress = [&s, &line](std::initializer_list<std::string_view> parts) {
    if (!s.host.ProgressBoxExists()) return;
    line.clear();
    for (std::string_view part : parts) line += part;
    s.host.SetProgressLine(ProgressLine::kFile, line);
  };
  char written_text[16], omitted_text[16], locations_text[16];
  auto number = [](char(&text)[16], int value) {
    return std::string_view(
        text, static_cast<size_t>(std::to_chars(text, text + sizeof text, value).ptr - text));
  };
  if (!write(EncodeGeneratedHeader(0))) return false;

  std::vector<TreeNode> areas;
  if (TreeNode root = s.tree.Root()) {
    for (TreeNode area = s.tree.FirstChild(root); area != nullptr; area = s.tree.Next(area)) {
      areas.push_back(area);
    }
  }

  // The AREA list; each record's LOCN offset is filled in once its Locations have a place.
  std::vector<uint32_t> offset_pos(areas.size(), 0);  // 0: omitted, no Locations
  std::vector<uint8_t> record;
  int written = 0;
  int omitted = 0;
  for (size_t i = 0; i < areas.size(); ++i) {
    if (s.tree.FirstChild(areas[i]) == nullptr) {
      ++omitted;
    } else {
      record.clear();
      AppendAreaRecord(record, s.tree.Label(areas[i]).substr(0, kMaxWrittenTitle), 0);
      offset_pos[i] = file.Position() + kAreaLocnOffsetAt;
      if (!write(record)) return false;
      if (MenuArea* area = s.set.Area(RecordOf(s.tree.Data(areas[i])))) {
        area->locn_offset_pos = static_cast<int32_t>(offset_pos[i]);
      }
      ++written;
    }
    progress({"Menu contains ", number(written_text, written), " scenery Areas (omitted ",
              number(omitted_text, omitted), " through no Locations)"});
  }
  const std::vector<uint8_t> end_of_list(1, 0);
  if (!write(end_of_list)) return false;

  int locations = 0;
  for (size_t i = 0; i < areas.size(); ++i) {
    if (offset_pos[i] != 0) {
      const uint32_t here = file.Position();
      uint8_t offset[4];
      PutU32(offset, here - kBglHeaderSize);
      if (!file.Seek(offset_pos[i]) || !file.Write(offset, sizeof offset) || !file.Seek(here)) {
        return false;
      }
      for (TreeNode node = s.tree.FirstChild(areas[i]); node != nullptr; node = s.tree.Next(node)) {
        const MenuLocation* location = s.set.Location(RecordOf(s.tree.Data(node)));
        if (location == nullptr) return false;
        record.clear();
        AppendLocnRecord(record, location->fields,
                         s.tree.Label(node).substr(0, kMaxWrittenDescription),
                         static_cast<uint16_t>(location->scenery_vis));
        if (!write(record)) return false;
        ++locations;
        progress({"Menu contains ", number(locations_text, locations), " scenery Locations"});
      }
    }
    if (!write(end_of_list)) return false;
  }

  const uint32_t list_offset = file.Position();
  if (!file.Seek(0) || !write(EncodeGeneratedHeader(list_offset)) || !file.Seek(list_offset)) {
    return false;
  }
  std::vector<uint8_t> list;
  for (const VisEntry& entry : s.set.vis_entries) {
    std::string_view title = std::string_view(s.set.EntryTitle(entry)).substr(0, kMaxListTitle);
    std::string_view path = std::string_view(s.set.EntryPath(entry)).substr(0, kMaxListPath);
    list.push_back(kSceneryTitleMarker);
    list.insert(list.end(), title.begin(), title.end());
    list.push_back(0);
    list.push_back(kSceneryPathMarker);
    list.insert(list.end(), path.begin(), path.end());
    list.push_back(0);
  }
  list.push_back(0);
  return write(list);
}

}  // namespace tarnwick
