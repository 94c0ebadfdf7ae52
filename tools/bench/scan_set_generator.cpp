#include "scan_set_generator.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace tarnwick::bench {

namespace {

// The reader's limits: a record longer than this ends its list.
constexpr size_t kMaxRecord = 4000;
constexpr size_t kAreaFixed = 8;   // type, length, LOCN offset, the title's NUL
constexpr size_t kLocnFixed = 30;  // fixed fields, the description's NUL, the SCEN index

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Poke16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Poke32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

struct LocnPlan {
  std::string description;
  uint32_t latitude = 0;
  uint32_t longitude = 0;
  uint16_t heading = 0;
};

struct AreaPlan {
  std::string title;
  std::vector<LocnPlan> locations;
  // Where a record of another type cuts the list short (the Locations after it go unread), or
  // past the end for none.
  size_t cut_at = SIZE_MAX;
};

struct MenuPlan {
  std::vector<AreaPlan> areas;
  bool absurd_area_record = false;  // the AREA list ends on a record longer than the limit
};

void AppendLocn(std::vector<uint8_t>& out, const LocnPlan& locn, int index) {
  out.push_back(3);
  Put16(out, static_cast<uint16_t>(locn.description.size() + kLocnFixed));
  Put32(out, locn.latitude);
  Put32(out, locn.longitude);
  Put32(out, static_cast<uint32_t>(100 * 256));
  Put16(out, locn.heading);
  Put16(out, 0x2290);
  Put16(out, 0x1030);
  Put16(out, static_cast<uint16_t>(270 + index % 7));
  Put16(out, 0x1150);
  Put16(out, 90);
  out.insert(out.end(), locn.description.begin(), locn.description.end());
  out.push_back(0);
  Put16(out, 0);
}

// One BGL: header, filler, the AREA list, then each Area's LOCN list. Without Areas the header
// names no menu at all.
std::vector<uint8_t> BuildBgl(uint32_t menu_offset, const MenuPlan& plan, uint64_t& menu_bytes) {
  std::vector<uint8_t> out(menu_offset, 0xA5);
  std::fill(out.begin(), out.begin() + 128, 0);
  Poke16(out, 0, 1);
  if (plan.areas.empty()) return out;
  Poke32(out, 66, menu_offset);

  std::vector<size_t> placeholders;
  for (const AreaPlan& area : plan.areas) {
    out.push_back(1);
    Put16(out, static_cast<uint16_t>(area.title.size() + kAreaFixed));
    placeholders.push_back(out.size());
    Put32(out, 0);
    out.insert(out.end(), area.title.begin(), area.title.end());
    out.push_back(0);
  }
  if (plan.absurd_area_record) {
    out.push_back(1);
    Put16(out, static_cast<uint16_t>(kMaxRecord + 1));
  }
  out.push_back(0);
  for (size_t a = 0; a < plan.areas.size(); ++a) {
    const AreaPlan& area = plan.areas[a];
    Poke32(out, placeholders[a], static_cast<uint32_t>(out.size() - menu_offset));
    for (size_t l = 0; l < area.locations.size(); ++l) {
      if (l == area.cut_at) {
        out.push_back(7);
        Put16(out, static_cast<uint16_t>(kLocnFixed));
      }
      AppendLocn(out, area.locations[l], static_cast<int>(l));
    }
    out.push_back(0);
  }
  menu_bytes += out.size() - menu_offset;
  return out;
}

MenuPlan GridMenu(const SetShape& shape, int entry, int file) {
  MenuPlan plan;
  for (int a = 0; a < shape.areas_per_file; ++a) {
    AreaPlan area;
    area.title =
        "Region " + std::to_string(entry) + "-" + std::to_string(file) + "-" + std::to_string(a);
    for (int l = 0; l < shape.locations_per_area; ++l) {
      LocnPlan locn;
      locn.description = "Airfield " + std::to_string(entry) + "." + std::to_string(file) + "." +
                         std::to_string(a) + " Runway " + std::to_string(l + 9);
      locn.latitude = static_cast<uint32_t>(600000000 + entry * 10000 + l);
      locn.longitude = static_cast<uint32_t>(-20000000 - file * 1000 - a);
      locn.heading = static_cast<uint16_t>(l * 4096);
      area.locations.push_back(std::move(locn));
    }
    plan.areas.push_back(std::move(area));
  }
  return plan;
}

// The same numbers on every run, so that figures from two runs compare.
class Dice {
 public:
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // True about once in `n` throws.
  bool OneIn(uint32_t n) { return Next() % n == 0; }
  int Between(int low, int high) {
    return low + static_cast<int>(Next() % static_cast<uint32_t>(high - low + 1));
  }

 private:
  uint32_t state_ = 0x2545F491;
};

// Titles as collections have them: accented letters in the simulator's code page, signs, digits.
const char* const kPlaces[] = {"Kittitas County", "St. Maarten Princess Juliana",
                               "Bjornstad",       "Aeropuerto de M\xe9rida",
                               "Heliport (roof)", "\xcele d'Yeu",
                               "Z-strip 09/27",   "North Bend Muni",
                               "Lake Hood SPB",   "Trollh\xe4ttan-V\xe4nersborg"};

std::string Place(Dice& dice, size_t number) {
  std::string text = kPlaces[dice.Next() % (sizeof kPlaces / sizeof *kPlaces)];
  text += " " + std::to_string(number);
  // Titles as long as a record can carry, now and then.
  if (dice.OneIn(97)) text.append(kMaxRecord - kLocnFixed - text.size(), 'x');
  return text;
}

// Counts what the scan keeps of `plan` into `set`, and says whether it keeps any Area.
bool CountKept(const MenuPlan& plan, GeneratedSet& set) {
  bool kept_area = false;
  for (const AreaPlan& area : plan.areas) {
    size_t readable = std::min(area.cut_at, area.locations.size());
    int kept = 0;
    for (size_t l = 0; l < area.locations.size(); ++l) {
      const std::string& text = area.locations[l].description;
      // The scan keeps a description only when it holds a letter or a digit.
      bool blank = std::none_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
      });
      if (l < readable && !blank) {
        ++kept;
      } else {
        ++set.dropped;
      }
    }
    if (kept == 0) {
      ++set.dropped;
      continue;
    }
    kept_area = true;
    ++set.areas;
    set.locations += kept;
  }
  return kept_area;
}

MenuPlan VariedMenu(Dice& dice, int wanted, int entry, int file) {
  MenuPlan plan;
  int areas = dice.Between(1, 4);
  for (int a = 0; a < areas && wanted > 0; ++a) {
    AreaPlan area;
    area.title = dice.OneIn(5) ? "  " : "";  // blanks the scan trims
    area.title += Place(dice, static_cast<size_t>(entry * 100 + file));
    if (area.title.size() > 200) area.title.resize(kMaxRecord - kAreaFixed, 'x');
    // Now and then an Area whose Locations all go: none, or only blank descriptions.
    int count = dice.OneIn(17) ? 0 : std::min(dice.Between(1, 40), wanted);
    bool blank_area = count > 0 && dice.OneIn(19);
    for (int l = 0; l < count; ++l) {
      LocnPlan locn;
      locn.description = blank_area || dice.OneIn(23) ? std::string(" - ") : Place(dice, l + 1);
      locn.latitude = static_cast<uint32_t>(400000000 + static_cast<int>(dice.Next() % 400000000));
      locn.longitude = dice.Next();
      locn.heading = static_cast<uint16_t>(dice.Next());
      area.locations.push_back(std::move(locn));
    }
    if (count > 4 && dice.OneIn(29)) area.cut_at = static_cast<size_t>(count / 2);
    GeneratedSet counted;
    CountKept(MenuPlan{{area}, false}, counted);
    wanted -= counted.locations;
    plan.areas.push_back(std::move(area));
  }
  plan.absurd_area_record = dice.OneIn(31);
  return plan;
}

}  // namespace

SetShape ShapeFromWords(char* const words[4]) {
  SetShape shape;
  if (std::strcmp(words[0], "varied") == 0) {
    shape.varied = true;
    shape.target_locations = std::atoi(words[1]);
    shape.big_folder_files = std::atoi(words[2]);
    shape.files_per_entry = std::atoi(words[3]);
    return shape;
  }
  shape.entries = std::atoi(words[0]);
  shape.files_per_entry = std::atoi(words[1]);
  shape.areas_per_file = std::atoi(words[2]);
  shape.locations_per_area = std::atoi(words[3]);
  return shape;
}

GeneratedSet GenerateSet(const std::filesystem::path& dir, const SetShape& shape) {
  GeneratedSet set;
  std::filesystem::path scenery = dir / "FS98" / "Scenery";
  std::filesystem::create_directories(scenery);
  set.vis_file = scenery / "World.vis";

  Dice dice;
  std::vector<uint8_t> vis(16, 0);
  Poke16(vis, 10, 16);
  for (int e = 0; shape.varied ? set.locations < shape.target_locations : e < shape.entries; ++e) {
    std::string folder = "Area" + std::to_string(1000 + e);
    std::string path = "=:\\=\\Scenery\\" + folder + "\\*.bgl";
    std::string title = "Scenery area " + std::to_string(e + 1);
    vis.push_back(1);
    vis.push_back(10);
    vis.push_back(1);
    vis.insert(vis.end(), path.begin(), path.end());
    vis.push_back(0);
    vis.insert(vis.end(), title.begin(), title.end());
    vis.push_back(0);

    std::filesystem::path bgl_folder = scenery / folder / "Scenery";
    std::filesystem::create_directories(bgl_folder);
    set.folders.push_back(bgl_folder);
    int files = shape.varied && e == 0 ? shape.big_folder_files : shape.files_per_entry;
    for (int f = 0; f < files; ++f) {
      std::filesystem::path bgl = bgl_folder / ("F" + std::to_string(100 + f) + ".bgl");
      MenuPlan plan;
      if (!shape.varied) {
        plan = GridMenu(shape, e, f);
        set.areas += shape.areas_per_file;
        set.locations += shape.areas_per_file * shape.locations_per_area;
        if (!plan.areas.empty() && shape.locations_per_area > 0) ++set.menu_bgls;
      } else if (set.locations < shape.target_locations && dice.OneIn(e == 0 ? 12 : 3)) {
        // Most BGLs of a collection hold scenery without a menu; in a large folder of them, few.
        plan = VariedMenu(dice, shape.target_locations - set.locations, e, f);
        if (CountKept(plan, set)) ++set.menu_bgls;
      }
      WriteFile(bgl, BuildBgl(shape.menu_offset, plan, set.menu_bytes));
      set.bgls.push_back(bgl);
    }
  }
  Poke16(vis, 0, static_cast<uint16_t>(vis.size() - 16));
  Poke16(vis, 12, static_cast<uint16_t>(vis.size() - 16));
  vis.push_back(0);
  WriteFile(set.vis_file, vis);
  return set;
}

}  // namespace tarnwick::bench
