#include "scan_set_generator.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace tarnwick::bench {

namespace {

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

// One BGL: header, filler, the AREA list, then each Area's LOCN list.
std::vector<uint8_t> BuildBgl(const SetShape& shape, int entry, int file, uint64_t& menu_bytes) {
  std::vector<uint8_t> out(shape.menu_offset, 0xA5);
  std::fill(out.begin(), out.begin() + 128, 0);
  Poke16(out, 0, 1);
  Poke32(out, 66, shape.menu_offset);

  std::vector<std::string> titles;
  for (int a = 0; a < shape.areas_per_file; ++a) {
    titles.push_back("Region " + std::to_string(entry) + "-" + std::to_string(file) + "-" +
                     std::to_string(a));
  }
  std::vector<size_t> placeholders;
  for (const std::string& title : titles) {
    out.push_back(1);
    Put16(out, static_cast<uint16_t>(title.size() + 8));
    placeholders.push_back(out.size());
    Put32(out, 0);
    out.insert(out.end(), title.begin(), title.end());
    out.push_back(0);
  }
  out.push_back(0);
  for (int a = 0; a < shape.areas_per_file; ++a) {
    Poke32(out, placeholders[static_cast<size_t>(a)],
           static_cast<uint32_t>(out.size() - shape.menu_offset));
    for (int l = 0; l < shape.locations_per_area; ++l) {
      std::string description = "Airfield " + std::to_string(entry) + "." + std::to_string(file) +
                                "." + std::to_string(a) + " Runway " + std::to_string(l + 9);
      out.push_back(3);
      Put16(out, static_cast<uint16_t>(description.size() + 30));
      Put32(out, static_cast<uint32_t>(600000000 + entry * 10000 + l));
      Put32(out, static_cast<uint32_t>(-20000000 - file * 1000 - a));
      Put32(out, static_cast<uint32_t>(100 * 256));
      Put16(out, static_cast<uint16_t>(l * 4096));
      Put16(out, 0x2290);
      Put16(out, 0x1030);
      Put16(out, 270);
      Put16(out, 0x1150);
      Put16(out, 90);
      out.insert(out.end(), description.begin(), description.end());
      out.push_back(0);
      Put16(out, 0);
    }
    out.push_back(0);
  }
  menu_bytes += out.size() - shape.menu_offset;
  return out;
}

}  // namespace

SetShape ShapeFromWords(char* const words[4]) {
  SetShape shape;
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

  std::vector<uint8_t> vis(16, 0);
  Poke16(vis, 10, 16);
  for (int e = 0; e < shape.entries; ++e) {
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
    for (int f = 0; f < shape.files_per_entry; ++f) {
      std::filesystem::path bgl = bgl_folder / ("F" + std::to_string(100 + f) + ".bgl");
      WriteFile(bgl, BuildBgl(shape, e, f, set.menu_bytes));
      set.bgls.push_back(bgl);
    }
  }
  Poke16(vis, 0, static_cast<uint16_t>(vis.size() - 16));
  Poke16(vis, 12, static_cast<uint16_t>(vis.size() - 16));
  vis.push_back(0);
  WriteFile(set.vis_file, vis);

  set.areas = shape.entries * shape.files_per_entry * shape.areas_per_file;
  set.locations = set.areas * shape.locations_per_area;
  return set;
}

}  // namespace tarnwick::bench
