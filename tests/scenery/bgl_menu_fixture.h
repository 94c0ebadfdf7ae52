// The fixture the BGL menu tests share: a session with its tree's root, BGL files written into a
// temporary folder and read as the scan reads them, and the menu read back as text.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "scenery/bgl_menu.h"
#include "support/bgl_builder.h"
#include "support/scenery_on_disk.h"
#include "support/temp_dir.h"
#include "support/test_session.h"

namespace tarnwick::bgl_menu_testing {

using testing::BglArea;
using testing::BglFile;
using testing::BglImage;
using testing::BglLocn;
using testing::BuildBgl;
using testing::Locn;
using testing::PokeU16;
using testing::PokeU32;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::TestSession;
using testing::WindowsPath;

struct VisEntryDef {
  uint8_t flags;
  std::string title;
  std::string path;
};

// Puts VIS entries into the model as reading a VIS file would.
inline void SetVisEntries(ScenerySet& set, const std::vector<VisEntryDef>& defs) {
  std::vector<uint8_t>& b = set.image.bytes;
  b.assign(16, 0);
  PokeU16(b, 10, 16);
  for (const VisEntryDef& def : defs) {
    VisEntry entry;
    entry.offset = static_cast<int32_t>(b.size());
    entry.flags_offset = entry.offset + 2;
    entry.path_offset = entry.offset + 3;
    entry.title_offset = entry.path_offset + static_cast<int32_t>(def.path.size()) + 1;
    entry.working_flags = def.flags;
    b.insert(b.end(), {1, 10, def.flags});
    b.insert(b.end(), def.path.begin(), def.path.end());
    b.push_back(0);
    b.insert(b.end(), def.title.begin(), def.title.end());
    b.push_back(0);
    set.vis_entries.push_back(entry);
    set.image.last_entry_offset = entry.offset;
  }
  set.image.end_offset = static_cast<int32_t>(b.size());
  b.push_back(0);
  set.image.size = static_cast<int32_t>(b.size());
  b.resize(b.size() + VisImage::kSpare, 0);
  set.vis_count = static_cast<int32_t>(defs.size());
}

inline std::string TextOf(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

class BglMenuTest : public ::testing::Test {
 protected:
  BglMenuTest() { AddRoot(t); }

  static void AddRoot(TestSession& session) {
    session.set.tree_root = session.tree.Insert(nullptr, nullptr, "World.vis", 0);
  }

  std::string Put(const std::string& name, const std::vector<uint8_t>& bytes) {
    return WindowsPath(dir.Write(name, bytes));
  }

  // What the scan does with one BGL file: the header, then the menu when it has one.
  static void ReadFile(TestSession& session, const std::string& path, int vis_index = 0) {
    std::unique_ptr<File> file = session.fs->Open(path, OpenMode::kRead);
    ASSERT_NE(file, nullptr) << path;
    uint8_t header[kBglHeaderSize];
    uint32_t got = 0;
    if (!file->Read(header, kBglHeaderSize, got) || got != kBglHeaderSize) return;
    BglHeader parsed = ParseBglHeader(header);
    if (parsed.menu_offset != 0 && file->Seek(parsed.menu_offset)) {
      ReadBglMenu(session.session, *file, parsed, path, vis_index);
    }
  }

  void Read(const BglFile& bgl, int vis_index = 0) {
    ReadFile(t, Put("menu.bgl", BuildBgl(bgl).bytes), vis_index);
  }
  void Read(const std::vector<uint8_t>& bytes, int vis_index = 0) {
    ReadFile(t, Put("menu.bgl", bytes), vis_index);
  }

  // The tree below the root as "Area[Location,Location] Area[...]".
  static std::string Menu(const TestSession& session) {
    std::string text;
    const MenuTree& tree = session.tree;
    for (TreeNode a = tree.FirstChild(session.set.tree_root); a; a = tree.Next(a)) {
      if (!text.empty()) text += ' ';
      text += tree.Label(a) + '[';
      for (TreeNode l = tree.FirstChild(a); l; l = tree.Next(l)) {
        text += tree.Label(l);
        if (tree.Next(l)) text += ',';
      }
      text += ']';
    }
    return text;
  }
  std::string Menu() const { return Menu(t); }

  void OpenLog() { t.log.Create(*t.fs, WindowsPath(dir.path() / "scan.log")); }
  std::string LogText() { return TextOf(dir.Read("scan.log")); }

  TempDir dir;
  TestSession t;
};

inline BglArea Area(std::string title, std::vector<std::string> descriptions) {
  BglArea area;
  area.title = std::move(title);
  for (auto& d : descriptions) {
    BglLocn locn;
    locn.description = std::move(d);
    area.locations.push_back(locn);
  }
  return area;
}

// A file of three Areas with two, one and two Locations.
inline BglFile ThreeAreas() {
  BglFile bgl;
  bgl.menu_offset = 300;
  bgl.trailing_bytes = 40;
  bgl.areas = {Area("Seattle", {"Boeing Field", "Sea-Tac"}), Area("Portland", {"PDX"}),
               Area("Alaska", {"Anchorage", "Juneau"})};
  return bgl;
}

}  // namespace tarnwick::bgl_menu_testing
