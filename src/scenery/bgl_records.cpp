#include "scenery/bgl_records.h"

#include <algorithm>

#include "scenery/bgl_menu.h"

namespace tarnwick {

namespace {

// Values the simulator expects at the start of a menu-only BGL.
constexpr uint16_t kHeaderWord0 = 1;
constexpr uint32_t kHeaderBound = 10041750;

// Longer texts would make a record that no reader accepts.
std::string_view FitRecord(std::string_view text, size_t fixed) {
  return text.substr(0, kMaxMenuRecord - fixed);
}

}  // namespace

BglHeader ParseBglHeader(const uint8_t* bytes) {
  BglHeader header;
  header.menu_offset = GetU32(bytes + kMenuOffsetAt);
  header.scenery_list_offset = GetU32(bytes + kSceneryListOffsetAt);
  header.mark = GetU32(bytes + kMarkAt);
  return header;
}

std::vector<uint8_t> EncodeGeneratedHeader(uint32_t scenery_list_offset) {
  std::vector<uint8_t> header(kBglHeaderSize, 0);
  PutU16(&header[0], kHeaderWord0);
  PutU32(&header[2], kHeaderBound);
  PutU32(&header[6], static_cast<uint32_t>(-static_cast<int32_t>(kHeaderBound)));
  PutU32(&header[10], 0xFFFFFFFFu);
  PutU32(&header[kMenuOffsetAt], kBglHeaderSize);
  PutU32(&header[kSceneryListOffsetAt], scenery_list_offset);
  PutU32(&header[kMarkAt], kGeneratorMark);
  return header;
}

void AppendAreaRecord(std::vector<uint8_t>& out, std::string_view title, uint32_t locn_offset) {
  title = FitRecord(title, kMinAreaRecord);
  size_t at = out.size();
  out.resize(at + kAreaTitleAt);
  out[at] = kAreaRecordType;
  PutU16(&out[at + 1], static_cast<uint16_t>(title.size() + kMinAreaRecord));
  PutU32(&out[at + kAreaLocnOffsetAt], locn_offset);
  out.insert(out.end(), title.begin(), title.end());
  out.push_back(0);
}

void AppendLocnRecord(std::vector<uint8_t>& out, const LocnFields& fields,
                      std::string_view description, uint16_t scen) {
  description = FitRecord(description, kMinLocnRecord + 2);
  size_t at = out.size();
  out.resize(at + kLocnDescriptionAt);
  uint8_t* p = &out[at];
  p[0] = kLocnRecordType;
  PutU16(p + 1, static_cast<uint16_t>(description.size() + kMinLocnRecord + 2));
  PutU32(p + 3, static_cast<uint32_t>(fields.latitude));
  PutU32(p + 7, static_cast<uint32_t>(fields.longitude));
  PutU32(p + 11, static_cast<uint32_t>(fields.altitude));
  PutU16(p + 15, fields.heading);
  PutU16(p + 17, fields.com1);
  PutU16(p + 19, fields.nav1);
  PutU16(p + 21, fields.obi1);
  PutU16(p + 23, fields.nav2);
  PutU16(p + 25, fields.obi2);
  out.insert(out.end(), description.begin(), description.end());
  out.push_back(0);
  out.push_back(static_cast<uint8_t>(scen));
  out.push_back(static_cast<uint8_t>(scen >> 8));
}

LocnFields DecodeLocnFields(const uint8_t* p) {
  LocnFields f;
  f.type = p[0];
  f.length = GetU16(p + 1);
  f.latitude = static_cast<int32_t>(GetU32(p + 3));
  f.longitude = static_cast<int32_t>(GetU32(p + 7));
  f.altitude = static_cast<int32_t>(GetU32(p + 11));
  f.heading = GetU16(p + 15);
  f.com1 = GetU16(p + 17);
  f.nav1 = GetU16(p + 19);
  f.obi1 = GetU16(p + 21);
  f.nav2 = GetU16(p + 23);
  f.obi2 = GetU16(p + 25);
  return f;
}

}  // namespace tarnwick
