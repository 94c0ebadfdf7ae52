// A scenery set on disk for tests: a simulator folder in a TempDir with its Scenery folder, a VIS
// file and the BGL files of each VIS entry's folder, plus what the tests read back (switch bytes,
// the generated menu BGL, the VIS entries as stored).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/bgl_builder.h"
#include "support/temp_dir.h"

namespace tarnwick::testing {

struct VisEntrySpec {
  std::string path;  // as stored, e.g. "=:\=\Scenery\Alps\*.bgl"
  std::string title;
  uint8_t flags = 1;
};

// The entries of a VIS file as stored: path, title and flags.
std::vector<VisEntrySpec> ReadVisEntries(const std::vector<uint8_t>& bytes);

class SceneryOnDisk {
 public:
  explicit SceneryOnDisk(std::string vis_name = "World.vis");

  // Adds a VIS entry for the folder Scenery\<folder> and writes its BGL files (name, bytes) into
  // that folder's Scenery folder, where the entry's pattern finds them.
  void AddFolder(const std::string& folder,
                 const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files,
                 uint8_t flags = 1);
  void AddFolder(const std::string& folder,
                 const std::vector<std::pair<std::string, BglFile>>& files, uint8_t flags = 1);
  // Writes one more file into a folder's Scenery folder.
  void AddFile(const std::string& folder, const std::string& name,
               const std::vector<uint8_t>& bytes);
  // Writes the VIS file from the entries added so far.
  void WriteVis();

  // Host paths.
  std::filesystem::path Bgl(const std::string& folder, const std::string& name) const;
  std::filesystem::path VisFile() const;
  std::filesystem::path MenusFolder() const;
  std::filesystem::path MenuBgl() const;  // the generated menu BGL
  std::filesystem::path PreviousCopy() const { return MenuBgl().string() + "Prev"; }

  // The byte at the menu data offset of a BGL, or -1 when it has none.
  int SwitchByte(const std::filesystem::path& bgl) const;

  TempDir dir;
  std::filesystem::path root;  // the simulator's folder (HostRoot)
  std::string vis_name;
  std::string vis_path;  // the VIS file's Windows path
  std::vector<VisEntrySpec> entries;
};

// A BGL with one Area per (title, descriptions) pair, each Location at a distinct position.
BglFile MenuFile(const std::vector<std::pair<std::string, std::vector<std::string>>>& areas);

}  // namespace tarnwick::testing
