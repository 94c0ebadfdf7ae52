// Builds BGL files with menu records for tests: well-formed by default, with a knob for each way a
// file can be malformed (type bytes, lengths, offsets, missing NULs). The layout is that of a
// simulator BGL: header, other scenery data, the AREA list, the LOCN lists, more scenery data.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scenery/scenery_set.h"

namespace tarnwick::testing {

struct BglLocn {
  std::string description;
  LocnFields fields{};
  uint16_t scen = 0;
  std::optional<uint8_t> type;     // default 3
  std::optional<uint16_t> length;  // written into the length field; default: the bytes written
  bool terminated = true;          // false: no NUL and no SCEN index after the description
};

struct BglArea {
  std::string title;
  std::vector<BglLocn> locations;
  std::optional<uint8_t> type;          // default 1
  std::optional<uint16_t> length;       // default: the bytes written
  std::optional<uint32_t> locn_offset;  // default: where the builder puts the LOCN list
  bool terminated = true;               // false: no NUL after the title
};

struct BglSceneryEntry {
  std::string title;
  std::string path;
};

struct BglFile {
  std::vector<BglArea> areas;
  // Where the AREA list starts; the bytes between the header and it stand for other scenery
  // data. 0 writes a BGL without menu data.
  uint32_t menu_offset = 128;
  bool generated = false;                     // carries the generator mark
  std::vector<BglSceneryEntry> scenery_list;  // written (with its offset) when not empty
  std::optional<uint32_t> scenery_list_offset;
  uint32_t trailing_bytes = 0;  // other scenery data after the menu
};

// The bytes of a built file and where its parts landed.
struct BglImage {
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> area_at;       // file offset of each AREA record
  std::vector<uint32_t> locn_list_at;  // file offset of each Area's LOCN list
  uint32_t scenery_list_at = 0;
};

BglImage BuildBgl(const BglFile& file);

// A Location's fields from degrees and metres, with the radio settings as stored (BCD without
// the leading 1) and the OBIs in degrees.
LocnFields Locn(double latitude, double longitude, double altitude_m, double heading,
                uint16_t com1 = 0, uint16_t nav1 = 0, uint16_t obi1 = 0, uint16_t nav2 = 0,
                uint16_t obi2 = 0);

void PokeU16(std::vector<uint8_t>& bytes, size_t at, uint16_t value);
void PokeU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);

}  // namespace tarnwick::testing
