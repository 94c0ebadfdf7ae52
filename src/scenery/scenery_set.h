// The model of the open scenery set: the VIS image and its entries, the records of the menu BGLs,
// Areas and Locations, the counters, and the set-wide flags and paths. Records are numbered from 1
// (0 = none) and never move or go while the set is open.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/menu_tree.h"

namespace tarnwick {

// The fixed part of a LOCN record as stored in the file (little-endian on disk).
struct LocnFields {
  uint8_t type = 3;
  uint16_t length = 0;
  int32_t latitude = 0;
  int32_t longitude = 0;
  int32_t altitude = 0;
  uint16_t heading = 0;
  uint16_t com1 = 0;
  uint16_t nav1 = 0;
  uint16_t obi1 = 0;
  uint16_t nav2 = 0;
  uint16_t obi2 = 0;
};
constexpr size_t kLocnFieldsSize = 27;

// The VIS file held whole, with spare bytes so that one entry can be appended in place.
struct VisImage {
  static constexpr size_t kSpare = 520;
  std::vector<uint8_t> bytes;  // file bytes followed by kSpare spare bytes
  int32_t size = 0;            // file bytes in the image
  int32_t last_entry_offset = -1;
  int32_t end_offset = 0;
};

// One VIS entry. The references into the image are offsets, so they stay valid when an entry is
// appended inside the spare bytes.
struct VisEntry {
  int32_t offset = 0;        // of the entry's first byte
  int32_t flags_offset = 0;  // storedFlags: the flags byte inside the image
  int32_t path_offset = 0;
  int32_t title_offset = 0;
  uint8_t working_flags = 0;
};

struct MenuBgl {
  std::string path;  // cut to 259 characters
};

struct MenuArea {
  int32_t vis_index = 0;
  int32_t locn_offset_pos = 0;
};

struct MenuLocation {
  int32_t found_vis = 0;
  int32_t scenery_vis = 0;
  int32_t bgl_index = 0;
  int32_t area_index = 0;
  LocnFields fields;
};

// A record table that grows in fixed steps and keeps its numbers; records are one-based. The
// records live in chunks that never move, so growing never copies the table (a contiguous array
// grown 128 records at a time would copy it hundreds of times in a large set) and a record's
// address stays valid while the set is open. Chunks are large, so that a scan of tens of
// thousands of records costs a few hundred allocations, not thousands.
template <typename Record>
class GrowableTable {
 public:
  GrowableTable(size_t initial, size_t step) : initial_(initial), step_(step) {}

  // Adds the record numbered count()+1; creates the table on first use and grows it by the step
  // when full.
  Record& Add(const Record& record) {
    if (capacity_ == 0) {
      capacity_ = initial_;
    } else if (count_ == capacity_) {
      capacity_ += step_;
    }
    if (count_ == chunks_.size() * kChunk) {
      chunks_.push_back(std::make_unique_for_overwrite<Record[]>(kChunk));
    }
    Record& slot = Slot(count_++);
    slot = record;
    return slot;
  }
  // Puts a record under `number` (count()+1 adds, a lower number replaces: the scan reuses the
  // number of an Area it dropped).
  Record& Put(size_t number, const Record& record) {
    if (number >= 1 && number <= count_) return Slot(number - 1) = record;
    return Add(record);
  }
  bool Exists() const { return capacity_ != 0; }
  size_t Capacity() const { return capacity_; }
  size_t Count() const { return count_; }
  // One-based look-up; nullptr for 0 or a number never given out.
  Record* At(int64_t number) {
    return number >= 1 && static_cast<size_t>(number) <= count_
               ? &Slot(static_cast<size_t>(number) - 1)
               : nullptr;
  }
  const Record* At(int64_t number) const {
    return number >= 1 && static_cast<size_t>(number) <= count_
               ? &Slot(static_cast<size_t>(number) - 1)
               : nullptr;
  }
  void Free() {
    chunks_.clear();
    chunks_.shrink_to_fit();
    count_ = 0;
    capacity_ = 0;
  }

 private:
  static constexpr size_t kChunk = 512;

  Record& Slot(size_t index) { return chunks_[index / kChunk][index % kChunk]; }
  const Record& Slot(size_t index) const { return chunks_[index / kChunk][index % kChunk]; }

  size_t initial_;
  size_t step_;
  size_t capacity_ = 0;
  size_t count_ = 0;
  std::vector<std::unique_ptr<Record[]>> chunks_;
};

class ScenerySet {
 public:
  ScenerySet();

  // Frees the image and the tables and resets every counter, flag and tree reference that closing
  // a set resets (GeneratedMenuOff is not touched by closing).
  void Close();

  // The adds: the caller has just raised the matching counter.
  void AddMenuBgl(const std::string& path);
  void AddArea(int32_t vis_index);
  void AddLocation(const LocnFields& fields, int32_t found_vis, int32_t bgl_index,
                   int32_t area_index, int32_t scenery_vis);

  // One-based look-ups; nullptr for 0 or an unknown number.
  VisEntry* Vis(int64_t number);
  const VisEntry* Vis(int64_t number) const;
  MenuBgl* Bgl(int64_t number) { return bgls.At(number); }
  const MenuBgl* Bgl(int64_t number) const { return bgls.At(number); }
  MenuArea* Area(int64_t number) { return areas.At(number); }
  const MenuArea* Area(int64_t number) const { return areas.At(number); }
  MenuLocation* Location(int64_t number) { return locations.At(number); }
  const MenuLocation* Location(int64_t number) const { return locations.At(number); }

  // Texts and flags of a VIS entry read from the image.
  uint8_t StoredFlags(const VisEntry& entry) const { return image.bytes[entry.flags_offset]; }
  void SetStoredFlags(const VisEntry& entry, uint8_t flags) {
    image.bytes[entry.flags_offset] = flags;
  }
  const char* EntryPath(const VisEntry& entry) const {
    return reinterpret_cast<const char*>(image.bytes.data() + entry.path_offset);
  }
  const char* EntryTitle(const VisEntry& entry) const {
    return reinterpret_cast<const char*>(image.bytes.data() + entry.title_offset);
  }
  bool HasImage() const { return !image.bytes.empty(); }

  // The VIS file and what is derived from it.
  std::string vis_path = "World.vis";
  std::string host_root;
  std::string menu_entry_path;
  std::string menu_bgl_path;
  std::string log_path;

  VisImage image;
  std::vector<VisEntry> vis_entries;

  GrowableTable<MenuBgl> bgls;
  GrowableTable<MenuArea> areas;
  GrowableTable<MenuLocation> locations;

  int32_t vis_count = 0;
  int32_t bgl_count = 0;
  int32_t area_count = 0;
  int32_t location_count = 0;
  int32_t checked_bgl_count = 0;
  int32_t deleted_area_count = 0;
  int32_t deleted_location_count = 0;
  // Areas and Locations the scan met after the record numbers ran out (kMaxRecordNumber).
  int64_t areas_left_out = 0;
  int64_t locations_left_out = 0;

  bool loaded = false;  // the scan has read the VIS file
  bool results_saved = true;
  bool generated_menu_seen = false;
  bool generated_menu_off = false;
  bool prev_exists = false;

  // The tree's root item and the Area inserted last by the scan; a menu is present when both
  // exist.
  TreeNode tree_root = nullptr;
  TreeNode last_area = nullptr;
  bool MenuPresent() const { return tree_root != nullptr && last_area != nullptr; }
};

}  // namespace tarnwick
