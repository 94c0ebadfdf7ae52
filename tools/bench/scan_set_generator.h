// Writes a large scenery set for the benchmarks: a VIS file whose entries each name a folder of
// BGL files with menu records, laid out as the simulator's are (header, other scenery data, then
// the menu).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::bench {

struct SetShape {
  int entries = 400;
  int files_per_entry = 10;
  int areas_per_file = 3;
  int locations_per_area = 5;
  uint32_t menu_offset = 4096;  // the bytes before it stand for other scenery data
};

struct GeneratedSet {
  std::filesystem::path vis_file;
  std::vector<std::filesystem::path> folders;  // the BGL folder of each entry
  std::vector<std::filesystem::path> bgls;
  int areas = 0;
  int locations = 0;
  uint64_t menu_bytes = 0;  // bytes of AREA and LOCN records and their end bytes
};

GeneratedSet GenerateSet(const std::filesystem::path& dir, const SetShape& shape);

// The shape given on a command line as four numbers: entries, files per entry, Areas per file,
// Locations per Area.
SetShape ShapeFromWords(char* const words[4]);

}  // namespace tarnwick::bench
