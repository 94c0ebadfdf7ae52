#include "support/saved_set.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "output/save_results.h"
#include "scenery/scan.h"

namespace tarnwick::testing {

SmallSet::SmallSet() {
  BglFile no_menu;
  no_menu.menu_offset = 0;
  disk.AddFolder("Alps", {{"alps.bgl", MenuFile({{"Swiss Alps", {"Zermatt", "Sion"}}})},
                          {"nomenu.bgl", no_menu}});
  disk.AddFolder("Coast", {{"coast.bgl", MenuFile({{"Coast", {"Brest"}}})}});
  std::vector<uint8_t> lakes = BuildBgl(MenuFile({{"Lakes", {"Como"}}})).bytes;
  lakes[128] = 0;
  disk.AddFolder("Lakes", {{"lakes.bgl", lakes}}, 0);
  disk.WriteVis();
  t.set.vis_path = disk.vis_path;
}

bool SmallSet::Scan() {
  bool scanned = ScanScenerySet(s);
  t.host.CloseProgressBox();
  return scanned;
}

bool SmallSet::Save() {
  return SaveResults(s, false, false) && t.set.results_saved;
}

std::string SmallSet::SourceSwitches() const {
  std::string text;
  for (auto [folder, name] : {std::pair{"Alps", "alps.bgl"}, std::pair{"Coast", "coast.bgl"},
                              std::pair{"Lakes", "lakes.bgl"}}) {
    text += std::to_string(disk.SwitchByte(disk.Bgl(folder, name)));
  }
  return text;
}

SavedSet::SavedSet() {
  EXPECT_TRUE(Scan());
  EXPECT_TRUE(Save());
  EXPECT_TRUE(Scan());
}

TwoResults::TwoResults() {
  first = ReadFileBytes(disk.MenuBgl());
  t.tree.SetLabel(t.tree.FirstChild(t.tree.Root()), "Alps");
  EXPECT_TRUE(Save());
  second = ReadFileBytes(disk.MenuBgl());
  EXPECT_TRUE(Scan());
}

std::vector<std::vector<uint8_t>> TwoResults::Results() const {
  std::vector<std::vector<uint8_t>> out;
  for (const auto& path : {disk.MenuBgl(), disk.PreviousCopy()}) {
    if (std::filesystem::exists(path)) out.push_back(ReadFileBytes(path));
  }
  return out;
}

}  // namespace tarnwick::testing
