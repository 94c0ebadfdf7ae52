// Reading the menu of one BGL: its AREA and LOCN lists into the model and the tree, and the
// scenery list of a generated menu BGL.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#include "scenery/bgl_menu.h"
#include "scenery/bgl_records.h"
#include "scenery/insert_tree_item.h"
#include "scenery/scan_progress.h"

namespace tarnwick {

namespace {

constexpr uint64_t kMaxFilePosition = std::numeric_limits<uint32_t>::max();
// The longest scenery list a generated file can hold: one entry (marker, title, NUL, marker,
// path, NUL) for each number a SCEN index can take, and the list's end byte. Nothing beyond it
// is read, however far the file runs on.
constexpr uint64_t kMaxSceneryListBytes =
    65535 * (1 + kMaxListTitle + 1 + 1 + kMaxListPath + 1) + 1;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int size = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  if (size > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
  va_end(again);
  return text;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}
char FoldCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// Reads one record of `type` whose length lies between `min_length` and kMaxMenuRecord into
// `buffer` (kMaxMenuRecord bytes). Returns its length, or 0 where the list ends: another type
// byte, a length out of range, or a record cut short by the end of the file.
uint16_t ReadRecord(File& file, uint8_t type, uint16_t min_length, uint8_t* buffer) {
  uint32_t got = 0;
  if (!file.Read(buffer, 1, got) || got != 1 || buffer[0] != type) return 0;
  if (!file.Read(buffer + 1, 2, got) || got != 2) return 0;
  uint16_t length = GetU16(buffer + 1);
  if (length < min_length || length > kMaxMenuRecord) return 0;
  uint32_t rest = length - 3u;
  if (!file.Read(buffer + 3, rest, got) || got != rest) return 0;
  return length;
}

// The NUL-terminated text at `from` in a record of `length` bytes; a text without its NUL ends
// with the record.
std::string_view RecordText(const uint8_t* record, size_t from, size_t length) {
  const char* begin = reinterpret_cast<const char*>(record) + from;
  size_t room = length > from ? length - from : 0;
  const void* nul = std::memchr(begin, 0, room);
  return std::string_view(begin,
                          nul ? static_cast<size_t>(static_cast<const char*>(nul) - begin) : room);
}

// Area titles lose their blanks at both ends, so that they line up and sort as they read.
std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A description runs from its first to its last letter or digit; one without any is no
// description at all.
std::string_view CleanDescription(std::string_view text) {
  while (!text.empty() && !IsLetterOrDigit(text.front())) text.remove_prefix(1);
  while (!text.empty() && !IsLetterOrDigit(text.back())) text.remove_suffix(1);
  return text;
}

// The number of the first active VIS entry whose stored path is `path`, ignoring case; 0 when
// none is.
int32_t ActiveEntryWithPath(const ScenerySet& set, std::string_view path) {
  for (size_t i = 0; i < set.vis_entries.size(); ++i) {
    const VisEntry& entry = set.vis_entries[i];
    if ((set.StoredFlags(entry) & 1) != 0 && EqualNoCase(set.EntryPath(entry), path)) {
      return static_cast<int32_t>(i + 1);
    }
  }
  return 0;
}

// Closes the Areas of a file once its whole menu is in, so that a large menu opens as a list of
// Areas. Only the file's own Areas (from `first`): those of earlier files were closed with them,
// and going over the whole tree after every file would make a large scan quadratic. The scan
// collapses the whole tree once at its end.
void CollapseAreas(Session& s, TreeNode first) {
  TreeNode root = s.set.tree_root;
  if (root == nullptr) return;
  s.tree.Expand(root, true);
  for (TreeNode area = first; area != nullptr; area = s.tree.Next(area)) {
    s.tree.Expand(area, false);
  }
  s.tree_state.auto_expanded_area = nullptr;
}

std::optional<std::vector<std::string>> LoadSceneryList(File& file, uint32_t offset) {
  int64_t size = file.Size();
  if (size < 0 || offset >= size) return std::nullopt;
  uint64_t count = std::min(static_cast<uint64_t>(size) - offset, kMaxSceneryListBytes);
  if (!file.Seek(offset)) return std::nullopt;
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  uint32_t got = 0;
  if (!file.Read(bytes.data(), static_cast<uint32_t>(count), got) || got != count) {
    return std::nullopt;
  }
  auto text_end = [&](size_t from) -> size_t {
    const void* nul =
        from < bytes.size() ? std::memchr(&bytes[from], 0, bytes.size() - from) : nullptr;
    return nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - bytes.data())
               : bytes.size();
  };
  std::vector<std::string> paths;
  size_t at = 0;
  while (at < bytes.size() && bytes[at] == kSceneryTitleMarker) {
    size_t title_end = text_end(at + 1);
    if (title_end + 1 >= bytes.size() || bytes[title_end + 1] != kSceneryPathMarker) break;
    size_t path_start = title_end + 2;
    size_t path_end = text_end(path_start);
    if (path_end >= bytes.size()) break;
    paths.emplace_back(reinterpret_cast<const char*>(bytes.data()) + path_start,
                       path_end - path_start);
    at = path_end + 1;
  }
  if (paths.empty()) return std::nullopt;
  return paths;
}

}  // namespace

std::optional<std::vector<std::string>> ReadSceneryList(Session& s, File& file,
                                                        const BglHeader& header) {
  uint32_t back = file.Position();
  auto list = LoadSceneryList(file, header.scenery_list_offset);
  if (list) {
    s.log.Write(Format("BGL's scenery list has %d entries\n", static_cast<int>(list->size())));
  } else {
    s.log.Write("Couldn't make scenery list from BGL!\n");
  }
  file.Seek(back);
  return list;
}

namespace {

// How many LOCN records one file may hand out: as many as its bytes can hold side by side.
// Areas of a well-formed file each have a list of their own; a crafted file whose Areas share
// one list (or point into each other's) would otherwise be read over and over, its cost growing
// with the square of its size.
class LocnBudget {
 public:
  explicit LocnBudget(int64_t file_size)
      : left_(file_size > 0 ? file_size / kMinLocnRecord + 1 : 1) {}
  void Take() { --left_; }
  bool Spent() const { return left_ <= 0; }

 private:
  int64_t left_;
};

uint16_t ReadLocn(File& file, LocnBudget& budget, uint8_t* record) {
  if (budget.Spent()) return 0;
  const uint16_t length = ReadRecord(file, kLocnRecordType, kMinLocnRecord, record);
  if (length != 0) budget.Take();
  return length;
}

// The Locations of an Area that the record numbers cannot take: counted, not read.
int64_t CountLocations(File& file, uint64_t locn_list, LocnBudget& budget, uint8_t* record) {
  if (locn_list > kMaxFilePosition || !file.Seek(static_cast<uint32_t>(locn_list))) return 0;
  int64_t count = 0;
  while (uint16_t length = ReadLocn(file, budget, record)) {
    if (!CleanDescription(RecordText(record, kLocnDescriptionAt, length)).empty()) ++count;
  }
  return count;
}

}  // namespace

void ReadBglMenu(Session& s, File& file, const BglHeader& header, std::string_view path,
                 int vis_index, SceneryCheck check) {
  ScenerySet& set = s.set;
  std::optional<std::vector<std::string>> scenery;
  if (header.HasSceneryList()) {
    s.log.Write("This BGL is TARNWICK generated!\n");
    scenery = ReadSceneryList(s, file, header);
    set.generated_menu_seen = true;
  }
  const int32_t found_vis = vis_index + 1;
  // Filled by each read before use: clearing it would cost a page of writes per file.
  uint8_t record[kMaxMenuRecord];
  // The active VIS entry each scenery-list path names, looked up once per file (-1: not yet):
  // a generated menu names a few hundred paths for tens of thousands of Locations.
  std::vector<int32_t> listed_entries(scenery ? scenery->size() : 0, -1);
  bool first = true;
  TreeNode first_area = nullptr;  // the first Area this file adds
  LocnBudget budget(file.Size());

  for (uint64_t p = header.menu_offset; p <= kMaxFilePosition;) {
    if (!file.Seek(static_cast<uint32_t>(p))) break;
    uint16_t length = ReadRecord(file, kAreaRecordType, kMinAreaRecord, record);
    if (length == 0) break;
    // Record numbers must fit the low 16 bits of the tree's item data: beyond them an Area and
    // its Locations are only counted, so that the scan can say what the menu lacks.
    if (set.area_count >= kMaxRecordNumber) {
      const int64_t locations = CountLocations(
          file, uint64_t{header.menu_offset} + GetU32(record + kAreaLocnOffsetAt), budget, record);
      if (locations > 0) {
        ++set.areas_left_out;
        set.locations_left_out += locations;
      }
      p += length;
      continue;
    }
    if (first) {
      ++set.bgl_count;
      s.host.SetStatusCount(StatusPart::kMenus, set.bgl_count);
      set.AddMenuBgl(std::string(path));
      s.log.Write("Menu entry found!\n");
      first = false;
    }
    std::string_view stored_title = RecordText(record, kAreaTitleAt, length);
    ++set.area_count;
    set.AddArea(found_vis);
    if (s.log.IsOpen()) {
      s.log.Write(Format("AREA found: '%s'\n", std::string(stored_title).c_str()));
    }
    TreeNode area = InsertTreeItem(s, set.tree_root, set.last_area, TrimBlanks(stored_title),
                                   NodeKind::kArea, static_cast<uint32_t>(set.area_count));
    if (area == nullptr) {
      --set.area_count;
      break;
    }
    const uint64_t next_area = p + length;
    const uint64_t locn_list = uint64_t{header.menu_offset} + GetU32(record + kAreaLocnOffsetAt);
    // A LOCN list that cannot be reached ends the file's menu; its Area then has no Locations
    // and goes like any other empty Area.
    const bool unreachable =
        locn_list > kMaxFilePosition || !file.Seek(static_cast<uint32_t>(locn_list));

    int kept = 0;
    int64_t left_out = 0;
    TreeNode last_location = nullptr;
    bool check_logged = false;
    while (!unreachable) {
      uint16_t locn_length = ReadLocn(file, budget, record);
      if (locn_length == 0) break;
      int32_t scenery_vis = found_vis;
      bool keep = true;
      if (scenery) {
        uint16_t scen = GetU16(record + locn_length - 2);
        if (check == SceneryCheck::kAsSaved) {
          scenery_vis = scen;
        } else if (scen >= 1 && scen <= scenery->size()) {
          const std::string& scen_path = (*scenery)[scen - 1];
          if (!check_logged) {
            s.log.Write(Format("Checking SCEN %d=%s still listed:", scen, scen_path.c_str()));
          }
          int32_t& entry = listed_entries[scen - 1];
          if (entry < 0) entry = ActiveEntryWithPath(set, scen_path);
          if (entry != 0) {
            scenery_vis = entry;
            if (!check_logged) s.log.Write(" Ok\n");
          } else {
            keep = false;
            if (!check_logged) s.log.Write("\nLOCN(s) omitted since now no SCEN path\n");
          }
          check_logged = true;
        }
      }
      std::string_view description =
          CleanDescription(RecordText(record, kLocnDescriptionAt, locn_length));
      if (!keep || description.empty()) continue;
      if (set.location_count >= kMaxRecordNumber) {
        ++left_out;
        continue;
      }
      ++set.location_count;
      set.AddLocation(DecodeLocnFields(record), found_vis, set.bgl_count, set.area_count,
                      scenery_vis);
      TreeNode location = InsertTreeItem(s, area, last_location, description, NodeKind::kLocation,
                                         static_cast<uint32_t>(set.location_count));
      if (location == nullptr) {
        --set.location_count;
        break;
      }
      last_location = location;
      ++kept;
    }

    set.locations_left_out += left_out;
    if (kept == 0 && left_out > 0) ++set.areas_left_out;
    if (kept == 0) {
      s.tree.Remove(area);
      --set.area_count;
      s.log.Write("  Area omitted since has no LOCNs\n");
    } else {
      set.last_area = area;
      if (first_area == nullptr) first_area = area;
      if (s.log.IsOpen()) s.log.Write(Format("  Area contains %d LOCNs\n", kept));
      if (s.options.expand_initially) {
        s.tree.Expand(area, true);
        s.tree.EnsureVisible(last_location);
      }
    }
    if (unreachable) break;
    if (budget.Spent()) {
      // The file's lists hold more records than its bytes can: the rest of its menu is not read.
      s.log.Write("BGL's Location lists overlap: rest of its menu skipped\n");
      break;
    }
    p = next_area;
  }

  if (!s.options.expand_initially && set.last_area != nullptr) {
    CollapseAreas(s, first_area);
    s.tree.EnsureVisible(set.last_area);
  }
  ReportScanProgress(s, vis_index);
}

}  // namespace tarnwick
