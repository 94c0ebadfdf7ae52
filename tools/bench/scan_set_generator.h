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

  // Shaped like a real add-on collection instead of a grid: most BGLs without a menu, Areas of 1
  // to 40 Locations, records the scan drops (Areas without Locations, blank descriptions, records
  // of another type or an absurd length ending a list), titles up to the records' limit, and a
  // first folder of `big_folder_files` BGLs. Entries of `files_per_entry` BGLs follow until the
  // set holds `target_locations` Locations the scan keeps.
  bool varied = false;
  int target_locations = 0;
  int big_folder_files = 0;
};

struct GeneratedSet {
  std::filesystem::path vis_file;
  std::vector<std::filesystem::path> folders;  // the BGL folder of each entry
  std::vector<std::filesystem::path> bgls;
  int menu_bgls = 0;  // BGLs with at least one Area the scan keeps
  int areas = 0;      // Areas and Locations the scan keeps
  int locations = 0;
  int dropped = 0;          // Areas and Locations written that the scan leaves out
  uint64_t menu_bytes = 0;  // bytes of AREA and LOCN records and their end bytes
};

GeneratedSet GenerateSet(const std::filesystem::path& dir, const SetShape& shape);

// The shape given on a command line as four words: entries, files per entry, Areas per file,
// Locations per Area; or "varied", the Locations wanted, the BGLs of the large folder and the
// BGLs of each other folder.
SetShape ShapeFromWords(char* const words[4]);

}  // namespace tarnwick::bench
