// The byte layout of BGL menu data: the 128-byte header and the AREA and LOCN records, encoded
// and decoded in one place so that the reader, the generated menu writer and the sample scenery
// writer agree on every offset. All values are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "scenery/scenery_set.h"

namespace tarnwick {

constexpr uint32_t kBglHeaderSize = 128;
// Identifies a menu BGL written by this program.
constexpr uint32_t kGeneratorMark = 0xEADEBCFB;

constexpr uint8_t kAreaRecordType = 1;
constexpr uint8_t kLocnRecordType = 3;
// Records longer than this end their list rather than being read.
constexpr uint16_t kMaxMenuRecord = 4000;
constexpr uint16_t kMinAreaRecord = 8;   // type, length, LOCN offset, an empty title's NUL
constexpr uint16_t kMinLocnRecord = 28;  // fixed fields and an empty description's NUL
// The generated menu keeps this much of an Area's title and of a Location's description.
constexpr size_t kMaxWrittenTitle = 20;
constexpr size_t kMaxWrittenDescription = 40;

// Header offsets of the fields the program reads or writes.
constexpr uint32_t kMenuOffsetAt = 66;
constexpr uint32_t kSceneryListOffsetAt = 106;
constexpr uint32_t kMarkAt = 118;

// Offsets inside the records.
constexpr uint32_t kAreaLocnOffsetAt = 3;
constexpr uint32_t kAreaTitleAt = 7;
constexpr uint32_t kLocnDescriptionAt = 27;

// Markers of the generated file's scenery list.
constexpr uint8_t kSceneryTitleMarker = 1;
constexpr uint8_t kSceneryPathMarker = 2;
// The longest title and path a scenery list entry holds.
constexpr size_t kMaxListTitle = 31;
constexpr size_t kMaxListPath = 255;

inline uint16_t GetU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void PutU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// The 128 bytes of a generated menu BGL's header: its fixed values, the menu at offset 128, the
// given scenery list offset and the generator mark.
std::vector<uint8_t> EncodeGeneratedHeader(uint32_t scenery_list_offset);

// Appends one AREA record: type 1, length title + 8, the LOCN list offset, the title and its NUL.
void AppendAreaRecord(std::vector<uint8_t>& out, std::string_view title, uint32_t locn_offset);
// Appends one LOCN record: the fixed fields with type 3 and length description + 30, the
// description and its NUL, then the SCEN index.
void AppendLocnRecord(std::vector<uint8_t>& out, const LocnFields& fields,
                      std::string_view description, uint16_t scen);

// The fixed fields of a LOCN record (at least kLocnFieldsSize bytes).
LocnFields DecodeLocnFields(const uint8_t* record);

}  // namespace tarnwick
