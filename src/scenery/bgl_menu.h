// BGL menu records: reading the AREA and LOCN lists of one BGL into the model and the tree,
// the scenery list of a generated menu BGL, the one-byte menu switch, and writing the generated
// menu BGL (bgl_menu_reader.cpp, bgl_menu_switch.cpp, bgl_menu_writer.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scenery/bgl_records.h"
#include "scenery/session.h"

namespace tarnwick {

// The three header fields the program reads.
struct BglHeader {
  uint32_t menu_offset = 0;          // offset 66; 0 = no menu
  uint32_t scenery_list_offset = 0;  // offset 106
  uint32_t mark = 0;                 // offset 118
  bool Generated() const { return mark == kGeneratorMark; }
  bool HasSceneryList() const { return Generated() && scenery_list_offset != 0; }
};

BglHeader ParseBglHeader(const uint8_t* bytes);  // 128 bytes

// How the Locations of a generated menu BGL are tied to the VIS entries.
enum class SceneryCheck {
  // The scan: a Location whose SCEN path no longer belongs to an active VIS entry is dropped;
  // a kept one belongs to the first active entry with that path.
  kActiveEntries,
  // A file looked at on its own, without a VIS file: every Location is kept and its sceneryVis
  // is the SCEN index as stored (the VIS entry's number at the time of saving).
  kAsSaved,
};

// Reads the menu of one BGL into the model and the tree (under s.set.tree_root, after
// s.set.last_area), one record at a time. `file` is the open BGL; `path` is its full path;
// `vis_index` is the zero-based number of the VIS entry being scanned (-1 for none). A malformed
// record simply ends its list; nothing outside the file is read.
void ReadBglMenu(Session& s, File& file, const BglHeader& header, std::string_view path,
                 int vis_index, SceneryCheck check = SceneryCheck::kActiveEntries);

// The paths of a generated file's scenery list (numbered from 1), or nothing; restores the file
// position.
std::optional<std::vector<std::string>> ReadSceneryList(Session& s, File& file,
                                                        const BglHeader& header);

// The menu switch of a BGL: its header and the byte at its menu data offset (0 off, 1 on).
struct MenuSwitchState {
  BglHeader header;
  uint8_t byte = 0;
};

// Reads the switch of a BGL whose first AREA record is whole (a type byte of 0 or 1, a length of 8
// to 4000 inside the file): the files the scan counts as menu BGLs when on. Nothing otherwise;
// `error` is then the system error code when the file could not be opened, 0 when it has no such
// menu.
std::optional<MenuSwitchState> ReadMenuSwitch(FileSystem& fs, std::string_view path,
                                              uint32_t& error);

// Writes the menu switch byte of one BGL: `choose` gets the header and returns the byte to write
// (0 or 1), or -1 to leave the file alone. Attributes are reset to normal first. Returns 0 when the
// switch stands as chosen (a file held by another program whose switch already stands so counts),
// else the system error code (kBadFormat for a file without a switchable menu). Only a switch
// ReadMenuSwitch finds is ever written.
uint32_t WriteMenuSwitch(FileSystem& fs, std::string_view path,
                         const std::function<int(const BglHeader&)>& choose);
// WriteMenuSwitch, true when it succeeded.
bool SwitchMenu(FileSystem& fs, std::string_view path,
                const std::function<int(const BglHeader&)>& choose);
// SwitchMenu with a fixed value.
bool SetMenuSwitch(FileSystem& fs, std::string_view path, uint8_t value);

// Whether the menu switch byte of a BGL reads 1 (its menu is shown).
bool MenuSwitchIsOn(FileSystem& fs, std::string_view path);

// Writes the generated menu BGL from the tree and the model into `file` (created empty for reading
// and writing). False at the first failed write or tree query.
bool WriteMenuBgl(Session& s, File& file);
// The Area titles WriteMenuBgl cuts to kMaxWrittenTitle characters.
int CountCutAreaTitles(const MenuTree& tree);

}  // namespace tarnwick
