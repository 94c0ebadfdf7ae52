#include "scenery/scenery_set.h"

namespace tarnwick {

ScenerySet::ScenerySet() : bgls(128, 64), areas(128, 64), locations(256, 128) {}

void ScenerySet::Close() {
  image = VisImage{};
  vis_entries.clear();
  vis_entries.shrink_to_fit();
  bgls.Free();
  areas.Free();
  locations.Free();
  vis_count = bgl_count = area_count = location_count = checked_bgl_count = 0;
  deleted_area_count = deleted_location_count = 0;
  areas_left_out = locations_left_out = 0;
  loaded = false;
  prev_exists = false;
  generated_menu_seen = false;
  tree_root = nullptr;
  last_area = nullptr;
}

void ScenerySet::AddMenuBgl(const std::string& path) {
  bgls.Put(static_cast<size_t>(bgl_count), MenuBgl{path.substr(0, 259)});
}

void ScenerySet::AddArea(int32_t vis_index) {
  areas.Put(static_cast<size_t>(area_count), MenuArea{vis_index, 0});
}

void ScenerySet::AddLocation(const LocnFields& fields, int32_t found_vis, int32_t bgl_index,
                             int32_t area_index, int32_t scenery_vis) {
  locations.Put(static_cast<size_t>(location_count),
                MenuLocation{found_vis, scenery_vis, bgl_index, area_index, fields});
}

VisEntry* ScenerySet::Vis(int64_t number) {
  return number >= 1 && number <= static_cast<int64_t>(vis_entries.size())
             ? &vis_entries[number - 1]
             : nullptr;
}

const VisEntry* ScenerySet::Vis(int64_t number) const {
  return number >= 1 && number <= static_cast<int64_t>(vis_entries.size())
             ? &vis_entries[number - 1]
             : nullptr;
}

}  // namespace tarnwick
