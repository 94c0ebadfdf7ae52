#include "support/bgl_builder.h"

#include <cmath>

namespace tarnwick::testing {

namespace {

constexpr uint8_t kFiller = 0xA5;

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void AppendArea(std::vector<uint8_t>& out, const BglArea& area, uint32_t locn_offset) {
  size_t at = out.size();
  out.push_back(area.type.value_or(1));
  Put16(out, 0);
  Put32(out, area.locn_offset.value_or(locn_offset));
  out.insert(out.end(), area.title.begin(), area.title.end());
  if (area.terminated) out.push_back(0);
  PokeU16(out, at + 1, area.length.value_or(static_cast<uint16_t>(out.size() - at)));
}

void AppendLocn(std::vector<uint8_t>& out, const BglLocn& locn) {
  size_t at = out.size();
  const LocnFields& f = locn.fields;
  out.push_back(locn.type.value_or(3));
  Put16(out, 0);
  Put32(out, static_cast<uint32_t>(f.latitude));
  Put32(out, static_cast<uint32_t>(f.longitude));
  Put32(out, static_cast<uint32_t>(f.altitude));
  Put16(out, f.heading);
  Put16(out, f.com1);
  Put16(out, f.nav1);
  Put16(out, f.obi1);
  Put16(out, f.nav2);
  Put16(out, f.obi2);
  out.insert(out.end(), locn.description.begin(), locn.description.end());
  if (locn.terminated) {
    out.push_back(0);
    Put16(out, locn.scen);
  }
  PokeU16(out, at + 1, locn.length.value_or(static_cast<uint16_t>(out.size() - at)));
}

}  // namespace

BglImage BuildBgl(const BglFile& file) {
  BglImage image;
  std::vector<uint8_t>& out = image.bytes;
  out.assign(128, 0);
  PokeU16(out, 0, 1);
  PokeU32(out, 66, file.menu_offset);
  if (file.generated) PokeU32(out, 118, 0xEADEBCFB);
  if (file.menu_offset != 0) {
    if (out.size() < file.menu_offset) out.resize(file.menu_offset, kFiller);
    // LOCN lists follow the AREA list and its end byte.
    uint32_t list_at = static_cast<uint32_t>(out.size()) + 1;
    for (const BglArea& area : file.areas) {
      list_at += static_cast<uint32_t>(area.title.size() + (area.terminated ? 8 : 7));
    }
    for (const BglArea& area : file.areas) {
      image.area_at.push_back(static_cast<uint32_t>(out.size()));
      image.locn_list_at.push_back(list_at);
      AppendArea(out, area, list_at - file.menu_offset);
      for (const BglLocn& locn : area.locations) {
        list_at += static_cast<uint32_t>(27 + locn.description.size() + (locn.terminated ? 3 : 0));
      }
      ++list_at;
    }
    out.push_back(0);
    for (const BglArea& area : file.areas) {
      for (const BglLocn& locn : area.locations) AppendLocn(out, locn);
      out.push_back(0);
    }
  }
  if (!file.scenery_list.empty()) {
    image.scenery_list_at = static_cast<uint32_t>(out.size());
    for (const BglSceneryEntry& entry : file.scenery_list) {
      out.push_back(1);
      out.insert(out.end(), entry.title.begin(), entry.title.end());
      out.push_back(0);
      out.push_back(2);
      out.insert(out.end(), entry.path.begin(), entry.path.end());
      out.push_back(0);
    }
    out.push_back(0);
  }
  PokeU32(out, 106, file.scenery_list_offset.value_or(image.scenery_list_at));
  out.insert(out.end(), file.trailing_bytes, kFiller);
  return image;
}

LocnFields Locn(double latitude, double longitude, double altitude_m, double heading, uint16_t com1,
                uint16_t nav1, uint16_t obi1, uint16_t nav2, uint16_t obi2) {
  LocnFields f;
  f.latitude = static_cast<int32_t>(std::llround(latitude * 1280224000.0 / 90.0));
  f.longitude = static_cast<int32_t>(
      static_cast<uint32_t>(std::llround(longitude * 4294967296.0 / 360.0) & 0xFFFFFFFF));
  f.altitude = static_cast<int32_t>(std::llround(altitude_m * 256.0));
  f.heading = static_cast<uint16_t>(std::llround(heading * 65536.0 / 360.0) & 0xFFFF);
  f.com1 = com1;
  f.nav1 = nav1;
  f.obi1 = obi1;
  f.nav2 = nav2;
  f.obi2 = obi2;
  return f;
}

void PokeU16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes.at(at) = static_cast<uint8_t>(value);
  bytes.at(at + 1) = static_cast<uint8_t>(value >> 8);
}

void PokeU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace tarnwick::testing
