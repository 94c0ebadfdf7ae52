// A small scenery set on disk with a session wired to it, for the tests of saving, switching and
// restoring: two active folders with menus (one also holds a BGL without menu data) and an
// inactive folder whose menu is switched off.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/scenery_on_disk.h"
#include "support/test_session.h"

namespace tarnwick::testing {

struct SmallSet {
  SmallSet();

  // Scans the set and closes the progress box, as the commands do.
  bool Scan();
  // Saves without the warning, as the Save command does when no warning is due.
  bool Save();

  // The switch bytes of the source BGLs with a menu, in the order alps, coast, lakes.
  std::string SourceSwitches() const;

  SceneryOnDisk disk;
  TestSession t;
  Session& s = t.session;
};

// A set saved once and scanned again: the menu comes from the generated menu BGL.
struct SavedSet : SmallSet {
  SavedSet();
};

// Two saves of different menus, scanned again: the current result renames the first Area, the
// previous copy holds the menu as first scanned.
struct TwoResults : SavedSet {
  TwoResults();
  // The bytes of the current result and of the previous copy, of those that exist.
  std::vector<std::vector<uint8_t>> Results() const;

  std::vector<uint8_t> first, second;
};

// The menu of SmallSet as the scan shows it.
inline constexpr const char* kSmallSetMenu = "Swiss Alps\n  Zermatt\n  Sion\nCoast\n  Brest\n";

}  // namespace tarnwick::testing
