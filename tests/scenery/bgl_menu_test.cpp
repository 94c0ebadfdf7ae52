#include "scenery/bgl_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/bgl_builder.h"
#include "support/scenery_on_disk.h"
#include "support/temp_dir.h"
#include "support/test_session.h"

namespace tarnwick {
namespace {

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
void SetVisEntries(ScenerySet& set, const std::vector<VisEntryDef>& defs) {
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

std::string TextOf(const std::vector<uint8_t>& bytes) {
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

BglArea Area(std::string title, std::vector<std::string> descriptions) {
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
BglFile ThreeAreas() {
  BglFile bgl;
  bgl.menu_offset = 300;
  bgl.trailing_bytes = 40;
  bgl.areas = {Area("Seattle", {"Boeing Field", "Sea-Tac"}), Area("Portland", {"PDX"}),
               Area("Alaska", {"Anchorage", "Juneau"})};
  return bgl;
}

TEST_F(BglMenuTest, ReadsAreasAndLocationsIntoTheModelAndTheTree) {
  BglFile bgl = ThreeAreas();
  bgl.areas[0].locations[1].fields =
      Locn(47.4490, -122.3093, 131.7, 163.0, 0x1990, 0x1030, 163, 0x1165, 341);
  Read(bgl, 2);

  EXPECT_EQ(Menu(), "Seattle[Boeing Field,Sea-Tac] Portland[PDX] Alaska[Anchorage,Juneau]");
  EXPECT_EQ(t.set.bgl_count, 1);
  EXPECT_EQ(t.set.Bgl(1)->path, WindowsPath(dir.path() / "menu.bgl"));
  EXPECT_EQ(t.set.area_count, 3);
  EXPECT_EQ(t.set.location_count, 5);
  EXPECT_EQ(t.set.Area(3)->vis_index, 3);
  const MenuLocation* seatac = t.set.Location(2);
  EXPECT_EQ(seatac->found_vis, 3);
  EXPECT_EQ(seatac->scenery_vis, 3);
  EXPECT_EQ(seatac->bgl_index, 1);
  EXPECT_EQ(seatac->area_index, 1);
  const LocnFields expected =
      Locn(47.4490, -122.3093, 131.7, 163.0, 0x1990, 0x1030, 163, 0x1165, 341);
  EXPECT_EQ(seatac->fields.latitude, expected.latitude);
  EXPECT_EQ(seatac->fields.longitude, expected.longitude);
  EXPECT_LT(seatac->fields.longitude, 0);
  EXPECT_EQ(seatac->fields.altitude, expected.altitude);
  EXPECT_EQ(seatac->fields.heading, expected.heading);
  EXPECT_EQ(seatac->fields.com1, 0x1990);
  EXPECT_EQ(seatac->fields.nav1, 0x1030);
  EXPECT_EQ(seatac->fields.obi1, 163);
  EXPECT_EQ(seatac->fields.nav2, 0x1165);
  EXPECT_EQ(seatac->fields.obi2, 341);
  EXPECT_EQ(seatac->fields.type, 3);
  EXPECT_EQ(seatac->fields.length, 27 + 7 + 3);
  EXPECT_EQ(t.set.Location(5)->area_index, 3);

  // Item data: kind and record number.
  TreeNode alaska = t.tree.Next(t.tree.Next(t.tree.FirstChild(t.set.tree_root)));
  EXPECT_EQ(t.tree.Data(alaska), MakeTreeItemData(NodeKind::kArea, 3));
  EXPECT_EQ(t.tree.Data(t.tree.FirstChild(alaska)), MakeTreeItemData(NodeKind::kLocation, 4));
  EXPECT_EQ(t.set.last_area, alaska);
  EXPECT_EQ(t.host.status[static_cast<int>(StatusPart::kMenus)], 1);
}

TEST_F(BglMenuTest, MalformedRecordsEndTheirListAndKeepWhatCameBefore) {
  struct Case {
    const char* name;
    void (*spoil)(BglFile& bgl);
    void (*poke)(std::vector<uint8_t>& bytes);
    const char* menu;
    int bgls;
  };
  const auto none = [](std::vector<uint8_t>&) {};
  const auto keep = [](BglFile&) {};
  const Case cases[] = {
      {"switched off", [](BglFile& b) { b.areas[0].type = 0; }, none, "", 0},
      {"first AREA length 7", [](BglFile& b) { b.areas[0].length = 7; }, none, "", 0},
      {"first AREA length 4001", [](BglFile& b) { b.areas[0].length = 4001; }, none, "", 0},
      {"third AREA length 7", [](BglFile& b) { b.areas[2].length = 7; }, none,
       "Seattle[Boeing Field,Sea-Tac] Portland[PDX]", 1},
      {"third AREA of another type", [](BglFile& b) { b.areas[2].type = 3; }, none,
       "Seattle[Boeing Field,Sea-Tac] Portland[PDX]", 1},
      {"LOCN length 27", [](BglFile& b) { b.areas[0].locations[1].length = 27; }, none,
       "Seattle[Boeing Field] Portland[PDX] Alaska[Anchorage,Juneau]", 1},
      {"LOCN length 4001", [](BglFile& b) { b.areas[0].locations[0].length = 4001; }, none,
       "Portland[PDX] Alaska[Anchorage,Juneau]", 1},
      {"LOCN of another type", [](BglFile& b) { b.areas[2].locations[1].type = 1; }, none,
       "Seattle[Boeing Field,Sea-Tac] Portland[PDX] Alaska[Anchorage]", 1},
      {"menu offset at the end of the file", keep,
       [](std::vector<uint8_t>& b) { PokeU32(b, 66, static_cast<uint32_t>(b.size())); }, "", 0},
      {"menu offset past the end of the file", keep,
       [](std::vector<uint8_t>& b) { PokeU32(b, 66, 0xFFFFFFFF); }, "", 0},
      {"LOCN list past the end of the file",
       [](BglFile& b) { b.areas[1].locn_offset = 0x7FFFFFF0; }, none,
       "Seattle[Boeing Field,Sea-Tac] Alaska[Anchorage,Juneau]", 1},
      {"LOCN list beyond 4 GB ends the file's menu",
       [](BglFile& b) { b.areas[1].locn_offset = 0xFFFFFFF0; }, none,
       "Seattle[Boeing Field,Sea-Tac]", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSession session;
    AddRoot(session);
    BglFile bgl = ThreeAreas();
    c.spoil(bgl);
    std::vector<uint8_t> bytes = BuildBgl(bgl).bytes;
    c.poke(bytes);
    ReadFile(session, Put("menu.bgl", bytes));
    EXPECT_EQ(Menu(session), c.menu);
    EXPECT_EQ(session.set.bgl_count, c.bgls);
    if (c.bgls == 0) {
      EXPECT_FALSE(session.set.bgls.Exists());
      EXPECT_FALSE(session.set.areas.Exists());
      EXPECT_FALSE(session.set.locations.Exists());
      EXPECT_EQ(session.tree.Count(), 1u);
    }
  }
}

TEST_F(BglMenuTest, RecordsCutShortByTheEndOfTheFileEndTheirList) {
  BglImage image = BuildBgl(ThreeAreas());
  // Cut inside the last Location of the last Area.
  image.bytes.resize(image.bytes.size() - 40 - 1 - 10);
  Read(image.bytes);
  EXPECT_EQ(Menu(), "Seattle[Boeing Field,Sea-Tac] Portland[PDX] Alaska[Anchorage]");

  // An AREA whose length runs past the end of the file: the list ends there.
  TestSession second;
  AddRoot(second);
  BglFile one;
  one.areas = {Area("Only", {"Place"})};
  BglImage tail = BuildBgl(one);
  PokeU16(tail.bytes, tail.area_at[0] + 1, 4000);
  ReadFile(second, Put("tail.bgl", tail.bytes));
  EXPECT_EQ(Menu(second), "");
  EXPECT_EQ(second.set.bgl_count, 0);
}

TEST_F(BglMenuTest, LongestRecordsAreRead) {
  BglFile bgl;
  bgl.areas = {Area(std::string(3992, 'T'), {std::string(3970, 'D')})};
  Read(bgl);
  EXPECT_EQ(t.set.area_count, 1);
  EXPECT_EQ(t.set.location_count, 1);
  EXPECT_EQ(t.set.Location(1)->fields.length, 4000);
}

TEST_F(BglMenuTest, TextsWithoutTheirNulEndWithTheRecord) {
  BglFile bgl;
  bgl.areas = {Area("Unended", {"Loose end"}), Area("Next", {"After"})};
  bgl.areas[0].terminated = false;
  bgl.areas[0].locations[0].terminated = false;
  Read(bgl);
  EXPECT_EQ(Menu(), "Unended[Loose end] Next[After]");
}

TEST_F(BglMenuTest, TitlesLoseBlanksAndDescriptionsKeepLettersAndDigitsAtTheirEnds) {
  OpenLog();
  BglFile bgl;
  bgl.areas = {
      Area("  Puget Sound \t ", {"(Boeing) Field  ", "  -- ... !!", "*KSEA 16L*", "\"7\""}),
      Area(" ", {" ok "})};
  Read(bgl);
  EXPECT_EQ(Menu(), "Puget Sound[Boeing) Field,KSEA 16L,7] [ok]");
  EXPECT_EQ(t.set.location_count, 4);
  // The log shows the titles as stored.
  EXPECT_NE(LogText().find("AREA found: '  Puget Sound \t '\n"), std::string::npos);
}

TEST_F(BglMenuTest, AnAreaWithoutLocationsGoesAndGivesItsNumberToTheNext) {
  OpenLog();
  BglFile first;
  first.areas = {Area("Kept", {"One"})};
  Read(first);

  BglFile second;
  second.areas = {Area("Empty", {"  ", "()"}), Area("Bare", {}), Area("Later", {"Two"})};
  ReadFile(t, Put("second.bgl", BuildBgl(second).bytes), 1);
  EXPECT_EQ(Menu(), "Kept[One] Later[Two]");
  EXPECT_EQ(t.set.bgl_count, 2);  // the second file still counts as a menu BGL
  EXPECT_EQ(t.set.area_count, 2);
  TreeNode later = t.tree.Next(t.tree.FirstChild(t.set.tree_root));
  EXPECT_EQ(t.tree.Data(later), MakeTreeItemData(NodeKind::kArea, 2));
  EXPECT_EQ(t.set.Area(2)->vis_index, 2);
  EXPECT_EQ(t.set.Location(2)->area_index, 2);
  EXPECT_EQ(t.set.last_area, later);

  // A file whose only Area goes leaves the insertion point where it was.
  BglFile third;
  third.areas = {Area("Gone", {"..."})};
  ReadFile(t, Put("third.bgl", BuildBgl(third).bytes), 1);
  EXPECT_EQ(t.set.last_area, later);
  EXPECT_EQ(t.set.bgl_count, 3);

  EXPECT_EQ(LogText(),
            "Menu entry found!\n"
            "AREA found: 'Kept'\n"
            "  Area contains 1 LOCNs\n"
            "Menu entry found!\n"
            "AREA found: 'Empty'\n"
            "  Area omitted since has no LOCNs\n"
            "AREA found: 'Bare'\n"
            "  Area omitted since has no LOCNs\n"
            "AREA found: 'Later'\n"
            "  Area contains 1 LOCNs\n"
            "Menu entry found!\n"
            "AREA found: 'Gone'\n"
            "  Area omitted since has no LOCNs\n");
}

TEST_F(BglMenuTest, GeneratedFileKeepsOnlyLocationsOfActiveEntries) {
  SetVisEntries(t.set, {{1, "Seattle", "=:\\=\\Scenery\\seattle\\*.bgl"},
                        {0, "Alaska", "=:\\=\\Scenery\\alaska\\*.bgl"},
                        {3, "Menu", "Z:\\fs\\Scenery\\Menus\\World_MENU.bgl"}});
  OpenLog();
  BglFile bgl;
  bgl.generated = true;
  bgl.scenery_list = {{"Seattle", "=:\\=\\SCENERY\\Seattle\\*.BGL"},
                      {"Alaska", "=:\\=\\Scenery\\alaska\\*.bgl"},
                      {"Menu", "Z:\\fs\\Scenery\\Menus\\World_MENU.bgl"}};
  bgl.areas = {Area("Seattle", {"Boeing Field", "Sea-Tac"}),
               Area("Alaska", {"Anchorage", "Juneau"}),
               Area("Mixed", {"Sea-Tac", "Juneau", "Zero", "Beyond"})};
  bgl.areas[0].locations[0].scen = 1;
  bgl.areas[0].locations[1].scen = 1;
  bgl.areas[1].locations[0].scen = 2;
  bgl.areas[1].locations[1].scen = 2;
  bgl.areas[2].locations[0].scen = 1;
  bgl.areas[2].locations[1].scen = 2;
  bgl.areas[2].locations[2].scen = 0;
  bgl.areas[2].locations[3].scen = 4;
  Read(bgl, 2);

  EXPECT_EQ(Menu(), "Seattle[Boeing Field,Sea-Tac] Mixed[Sea-Tac,Zero,Beyond]");
  EXPECT_TRUE(t.set.generated_menu_seen);
  EXPECT_EQ(t.set.Location(1)->scenery_vis, 1);
  EXPECT_EQ(t.set.Location(3)->scenery_vis, 1);
  // SCEN 0 and an index above the list's count belong to the entry the file was found in.
  EXPECT_EQ(t.set.Location(4)->scenery_vis, 3);
  EXPECT_EQ(t.set.Location(5)->scenery_vis, 3);
  EXPECT_EQ(t.set.Location(5)->found_vis, 3);
  EXPECT_EQ(LogText(),
            "This BGL is TARNWICK generated!\n"
            "BGL's scenery list has 3 entries\n"
            "Menu entry found!\n"
            "AREA found: 'Seattle'\n"
            "Checking SCEN 1==:\\=\\SCENERY\\Seattle\\*.BGL still listed: Ok\n"
            "  Area contains 2 LOCNs\n"
            "AREA found: 'Alaska'\n"
            "Checking SCEN 2==:\\=\\Scenery\\alaska\\*.bgl still listed:\n"
            "LOCN(s) omitted since now no SCEN path\n"
            "  Area omitted since has no LOCNs\n"
            "AREA found: 'Mixed'\n"
            "Checking SCEN 1==:\\=\\SCENERY\\Seattle\\*.BGL still listed: Ok\n"
            "  Area contains 3 LOCNs\n");
}

TEST_F(BglMenuTest, GeneratedFileWithoutAReadableSceneryListKeepsEveryLocation) {
  SetVisEntries(t.set, {{0, "Off", "X:\\off\\*.bgl"}});
  OpenLog();
  BglFile bgl;
  bgl.generated = true;
  bgl.areas = {Area("Area", {"Place"})};
  bgl.areas[0].locations[0].scen = 1;
  for (uint32_t past_end : {0u, 1u}) {
    SCOPED_TRACE(past_end);
    TestSession session;
    AddRoot(session);
    SetVisEntries(session.set, {{0, "Off", "X:\\off\\*.bgl"}});
    BglImage image = BuildBgl(bgl);
    PokeU32(image.bytes, 106, static_cast<uint32_t>(image.bytes.size()) + past_end);
    ReadFile(session, Put("gen.bgl", image.bytes));
    EXPECT_EQ(Menu(session), "Area[Place]");
    EXPECT_TRUE(session.set.generated_menu_seen);
  }
  // A list that holds no complete entry is no list either.
  BglImage image = BuildBgl(bgl);
  image.bytes.insert(image.bytes.end(), {1, 'T', 0, 3, 'P', 0, 0});
  PokeU32(image.bytes, 106, static_cast<uint32_t>(image.bytes.size()) - 7);
  Read(image.bytes);
  EXPECT_EQ(Menu(), "Area[Place]");
  EXPECT_EQ(LogText(),
            "This BGL is TARNWICK generated!\n"
            "Couldn't make scenery list from BGL!\n"
            "Menu entry found!\n"
            "AREA found: 'Area'\n"
            "  Area contains 1 LOCNs\n");
}

TEST_F(BglMenuTest, SceneryListIsReadUpToItsFirstFlawAndThePositionIsKept) {
  std::vector<uint8_t> bytes(128, 0);
  const std::vector<uint8_t> list = {1, 'A', 0, 2, 'p', '1', 0,  // complete
                                     1, 0,   2, 0,               // empty title and path
                                     1, 'B', 0, 2, 'p', '3'};    // path without its NUL
  bytes.insert(bytes.end(), list.begin(), list.end());
  BglHeader header;
  header.mark = kGeneratorMark;
  header.scenery_list_offset = 128;
  std::unique_ptr<File> file = t.fs->Open(Put("list.bgl", bytes), OpenMode::kRead);
  ASSERT_TRUE(file->Seek(77));
  auto paths = ReadSceneryList(t.session, *file, header);
  ASSERT_TRUE(paths.has_value());
  EXPECT_EQ(*paths, (std::vector<std::string>{"p1", ""}));
  EXPECT_EQ(file->Position(), 77u);
}

// A file far larger than any scenery list, as a crafted generated BGL can be: the list starts
// near its beginning, and only what a list can hold is asked for.
class HugeListFile : public File {
 public:
  explicit HugeListFile(std::vector<uint8_t> start) : start_(std::move(start)) {}
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    requested += size;
    const uint64_t left = kSize > position_ ? kSize - position_ : 0;
    got = static_cast<uint32_t>(std::min<uint64_t>(size, left));
    auto* out = static_cast<uint8_t*>(buffer);
    for (uint32_t i = 0; i < got; ++i) {
      const uint64_t at = position_ + i;
      out[i] = at < start_.size() ? start_[at] : 0;
    }
    position_ += got;
    return true;
  }
  bool Write(const void*, uint32_t) override { return false; }
  bool Seek(uint32_t position) override {
    position_ = position;
    return true;
  }
  uint32_t Position() const override { return static_cast<uint32_t>(position_); }
  int64_t Size() const override { return kSize; }
  bool Flush() override { return true; }

  static constexpr uint64_t kSize = uint64_t{1} << 30;
  uint64_t requested = 0;

 private:
  std::vector<uint8_t> start_;
  uint64_t position_ = 0;
};

TEST_F(BglMenuTest, SceneryListIsReadNoFurtherThanTheLongestListCanRun) {
  std::vector<uint8_t> start(128, 0);
  const std::vector<uint8_t> list = {1, 'A', 0, 2, 'p', '1', 0, 0};
  start.insert(start.end(), list.begin(), list.end());
  HugeListFile file(start);
  BglHeader header;
  header.mark = kGeneratorMark;
  header.scenery_list_offset = 128;
  auto paths = ReadSceneryList(t.session, file, header);
  ASSERT_TRUE(paths.has_value());
  EXPECT_EQ(*paths, (std::vector<std::string>{"p1"}));
  // 65535 entries of a 31-character title and a 255-character path with their markers and NULs.
  EXPECT_LE(file.requested, 65535u * 290u + 1u);
}

TEST_F(BglMenuTest, AreasSharingOneLocationListCostNoMoreThanTheFileHolds) {
  // One Area with its list, then many Areas whose records all point at that same list.
  BglFile bgl;
  std::vector<std::string> names;
  for (int i = 0; i < 50; ++i) names.push_back("Airfield " + std::to_string(i));
  bgl.areas.push_back(Area("Shared", names));
  for (int i = 0; i < 400; ++i) bgl.areas.push_back(Area("Copy " + std::to_string(i), {}));
  const BglImage first = BuildBgl(bgl);
  const uint32_t shared = first.locn_list_at[0] - bgl.menu_offset;
  for (size_t i = 1; i < bgl.areas.size(); ++i) bgl.areas[i].locn_offset = shared;
  const BglImage image = BuildBgl(bgl);
  ASSERT_EQ(image.bytes.size(), first.bytes.size());
  OpenLog();
  Read(image.bytes);

  // The work (records read, Locations made) stays within what the file's bytes can hold side
  // by side, however often its Areas point at the same records.
  const int32_t room = static_cast<int32_t>(image.bytes.size() / kMinLocnRecord) + 1;
  EXPECT_LE(t.set.location_count, room);
  EXPECT_GT(t.set.location_count, 50) << "Areas before the budget ran out keep their Locations";
  EXPECT_NE(LogText().find("BGL's Location lists overlap: rest of its menu skipped\n"),
            std::string::npos);
}

TEST_F(BglMenuTest, ExpandInitiallyOpensEachAreaOtherwiseAllAreClosedAtTheEnd) {
  for (bool expand : {true, false}) {
    SCOPED_TRACE(expand);
    TestSession session;
    AddRoot(session);
    session.options.expand_initially = expand;
    session.host.OpenProgressBox("scan");
    ReadFile(session, Put("menu.bgl", BuildBgl(ThreeAreas()).bytes));
    TreeNode root = session.set.tree_root;
    TreeNode alaska = session.tree.Next(session.tree.Next(session.tree.FirstChild(root)));
    TreeNode juneau = session.tree.Next(session.tree.FirstChild(alaska));
    for (TreeNode a = session.tree.FirstChild(root); a; a = session.tree.Next(a)) {
      EXPECT_EQ(session.tree.Expanded(a), expand);
    }
    EXPECT_EQ(session.tree.last_ensured_visible, expand ? juneau : alaska);
    // The selection is left alone: the scan closes the whole tree once, at its end.
    EXPECT_EQ(session.tree.Selected(), nullptr);
    EXPECT_TRUE(session.tree.IsShown(alaska));
  }
}

TEST_F(BglMenuTest, ReportsTheRunningTotals) {
  t.host.OpenProgressBox("scan");
  BglFile one;
  one.areas = {Area("Only", {"Place"})};
  Read(one, 0);
  EXPECT_EQ(t.host.progress[205], "1 VIS entry, 1 Area, 1 Location");
  ReadFile(t, Put("more.bgl", BuildBgl(ThreeAreas()).bytes), 4);
  EXPECT_EQ(t.host.progress[205], "5 VIS entries, 4 Areas, 6 Locations");
  EXPECT_EQ(t.host.status[static_cast<int>(StatusPart::kAreas)], 4);
  EXPECT_EQ(t.host.status[static_cast<int>(StatusPart::kLocns)], 6);
  EXPECT_EQ(t.host.status[static_cast<int>(StatusPart::kMenus)], 2);
  EXPECT_EQ(t.host.status[static_cast<int>(StatusPart::kVis)], 5);
}

// --- Writing the generated menu BGL ---

// Builds a tree and its records as the scan and the edits leave them.
struct AreaDef {
  std::string title;
  std::vector<std::pair<std::string, LocnFields>> locations;
  int32_t scenery_vis = 1;
};

void BuildMenu(TestSession& s, const std::vector<AreaDef>& areas) {
  TreeNode last_area = nullptr;
  for (const AreaDef& def : areas) {
    ++s.set.area_count;
    s.set.AddArea(1);
    last_area = s.tree.Insert(s.set.tree_root, last_area, def.title,
                              MakeTreeItemData(NodeKind::kArea, s.set.area_count));
    TreeNode last = nullptr;
    for (const auto& [description, fields] : def.locations) {
      ++s.set.location_count;
      s.set.AddLocation(fields, 1, 1, s.set.area_count, def.scenery_vis);
      last = s.tree.Insert(last_area, last, description,
                           MakeTreeItemData(NodeKind::kLocation, s.set.location_count));
    }
  }
}

class WriteMenuBglTest : public BglMenuTest {
 protected:
  // Writes the menu of `t` into `name` and returns its Windows path.
  std::string Write(const std::string& name = "World_MENU.bgl") {
    std::string path = WindowsPath(dir.path() / name);
    std::unique_ptr<File> file = t.fs->Open(path, OpenMode::kCreateReadWrite);
    EXPECT_NE(file, nullptr);
    EXPECT_TRUE(WriteMenuBgl(t.session, *file));
    return path;
  }
};

TEST_F(WriteMenuBglTest, WrittenMenuReadsBackToTheSameAreasAndLocations) {
  const std::vector<VisEntryDef> vis = {
      {1, "Seattle", "=:\\=\\Scenery\\seattle\\*.bgl"},
      {1, "Alaska", "Z:\\Addon Scenery\\Alaska\\*.bgl"},
      {3, "Global menu by Tarnwick", "Z:\\fs\\Menus\\World_MENU.bgl"}};
  SetVisEntries(t.set, vis);
  const LocnFields kbfi = Locn(47.5299, -122.3020, 5.5, 133.0, 0x2060, 0x1090, 133, 0, 0);
  const LocnFields ksea = Locn(47.4490, -122.3093, 131.7, 163.0, 0x1990, 0x1030, 163, 0x1165, 341);
  const LocnFields panc = Locn(61.1744, -149.9964, 46.6, 66.0, 0x1830, 0x1090, 66, 0, 0);
  const LocnFields south = Locn(-33.9461, 151.1772, 6.4, 343.0, 0x2030, 0x0990, 343, 0, 0);
  BuildMenu(t, {{"Seattle", {{"Boeing Field", kbfi}, {"Sea-Tac", ksea}}, 1},
                {"Nothing here", {}, 1},
                {"Alaska", {{"Anchorage", panc}}, 2},
                {"Southern hemisphere and beyond", {{std::string(45, 'S'), south}}, 3}});
  t.host.OpenProgressBox("save");
  const std::string path = Write();
  EXPECT_EQ(t.host.progress[204], "Menu contains 4 scenery Locations");
  // Each written Area knows where its LOCN offset went, and that offset finds its list.
  std::vector<uint8_t> bytes = ReadFileBytes(dir.path() / "World_MENU.bgl");
  const MenuArea* alaska = t.set.Area(3);
  ASSERT_GT(alaska->locn_offset_pos, 128);
  uint32_t list = 128 + (bytes[alaska->locn_offset_pos] | bytes[alaska->locn_offset_pos + 1] << 8);
  EXPECT_EQ(bytes[list], 3);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&bytes[list + 27])), "Anchorage");

  TestSession back;
  AddRoot(back);
  SetVisEntries(back.set, vis);
  ReadFile(back, path, 2);
  // Titles are cut to 20 characters (here ending in a blank, which reading removes) and
  // descriptions to 40; the Area without Locations is not written.
  EXPECT_EQ(Menu(back), "Seattle[Boeing Field,Sea-Tac] Alaska[Anchorage] Southern hemisphere[" +
                            std::string(40, 'S') + "]");
  EXPECT_TRUE(back.set.generated_menu_seen);
  ASSERT_EQ(back.set.location_count, 4);
  const LocnFields* expected[] = {&kbfi, &ksea, &panc, &south};
  const int32_t scenery[] = {1, 1, 2, 3};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const MenuLocation* l = back.set.Location(i + 1);
    const LocnFields& e = *expected[i];
    EXPECT_EQ(l->fields.latitude, e.latitude);
    EXPECT_EQ(l->fields.longitude, e.longitude);
    EXPECT_EQ(l->fields.altitude, e.altitude);
    EXPECT_EQ(l->fields.heading, e.heading);
    EXPECT_EQ(l->fields.com1, e.com1);
    EXPECT_EQ(l->fields.nav1, e.nav1);
    EXPECT_EQ(l->fields.obi1, e.obi1);
    EXPECT_EQ(l->fields.nav2, e.nav2);
    EXPECT_EQ(l->fields.obi2, e.obi2);
    EXPECT_EQ(l->scenery_vis, scenery[i]);
  }
  // The scenery list names the VIS entries in order.
  BglHeader header = ParseBglHeader(bytes.data());
  EXPECT_TRUE(header.HasSceneryList());
  std::unique_ptr<File> file = back.fs->Open(path, OpenMode::kRead);
  auto paths = ReadSceneryList(back.session, *file, header);
  ASSERT_TRUE(paths.has_value());
  EXPECT_EQ(*paths, (std::vector<std::string>{vis[0].path, vis[1].path, vis[2].path}));
}

TEST_F(WriteMenuBglTest, MenuWithoutAreasHoldsHeaderEndByteAndSceneryList) {
  SetVisEntries(t.set, {{1, "A title longer than thirty-one characters", std::string(300, 'p')}});
  for (int omitted : {0, 2}) {
    SCOPED_TRACE(omitted);
    TestSession session;
    AddRoot(session);
    SetVisEntries(session.set,
                  {{1, "A title longer than thirty-one characters", std::string(300, 'p')}});
    std::vector<AreaDef> empty(omitted, AreaDef{"Empty", {}, 1});
    BuildMenu(session, empty);
    session.host.OpenProgressBox("save");
    std::string path = WindowsPath(dir.path() / "empty.bgl");
    {
      std::unique_ptr<File> file = session.fs->Open(path, OpenMode::kCreateReadWrite);
      ASSERT_TRUE(WriteMenuBgl(session.session, *file));
    }
    std::vector<uint8_t> expected(128, 0);
    PokeU16(expected, 0, 1);
    PokeU32(expected, 2, 0x00993996);
    PokeU32(expected, 6, 0xFF66C66A);
    PokeU32(expected, 10, 0xFFFFFFFF);
    PokeU32(expected, 66, 128);
    PokeU32(expected, 106, 129 + omitted);
    PokeU32(expected, 118, 0xEADEBCFB);
    expected.insert(expected.end(), 1 + omitted, 0);
    expected.push_back(1);
    const std::string title = "A title longer than thirty-one ";
    expected.insert(expected.end(), title.begin(), title.end());
    expected.push_back(0);
    expected.push_back(2);
    expected.insert(expected.end(), 255, 'p');
    expected.push_back(0);
    expected.push_back(0);
    EXPECT_EQ(ReadFileBytes(dir.path() / "empty.bgl"), expected);
    if (omitted) {
      EXPECT_EQ(session.host.progress[204],
                "Menu contains 0 scenery Areas (omitted 2 through no Locations)");
    }

    TestSession back;
    AddRoot(back);
    ReadFile(back, path);
    EXPECT_FALSE(back.set.bgls.Exists());
    EXPECT_EQ(back.set.area_count, 0);
    EXPECT_TRUE(back.set.generated_menu_seen);
  }
}

TEST_F(WriteMenuBglTest, TitlesAndDescriptionsAreCutAndLengthsFollowThem) {
  BuildMenu(t,
            {{std::string("Twenty-five characters!!!"), {{std::string(41, 'd'), LocnFields{}}}, 7},
             {"", {{"", LocnFields{}}}, 0x10002}});
  Write();
  std::vector<uint8_t> bytes = ReadFileBytes(dir.path() / "World_MENU.bgl");
  // First AREA: 20 characters, length 28.
  EXPECT_EQ(bytes[128], 1);
  EXPECT_EQ(bytes[129] | bytes[130] << 8, 28);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&bytes[135])), "Twenty-five characte");
  // Second AREA: empty title, length 8; then the end of the AREA list.
  EXPECT_EQ(bytes[156], 1);
  EXPECT_EQ(bytes[157] | bytes[158] << 8, 8);
  EXPECT_EQ(bytes[163], 0);
  EXPECT_EQ(bytes[164], 0);
  // First LOCN: 40 characters, length 70, SCEN 7, then the list's end byte.
  const size_t locn = 165;
  EXPECT_EQ(bytes[locn], 3);
  EXPECT_EQ(bytes[locn + 1] | bytes[locn + 2] << 8, 70);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(&bytes[locn + 27])), std::string(40, 'd'));
  EXPECT_EQ(bytes[locn + 68] | bytes[locn + 69] << 8, 7);
  EXPECT_EQ(bytes[locn + 70], 0);
  // Second LOCN: empty description, length 30, the low 16 bits of its sceneryVis.
  const size_t second = locn + 71;
  EXPECT_EQ(bytes[second + 1] | bytes[second + 2] << 8, 30);
  EXPECT_EQ(bytes[second + 28] | bytes[second + 29] << 8, 2);
}

// A file that accepts a given number of writes and fails every one after.
class FailingFile : public File {
 public:
  explicit FailingFile(int allowed) : allowed_(allowed) {}
  bool Read(void*, uint32_t, uint32_t& got) override {
    got = 0;
    return false;
  }
  bool Write(const void*, uint32_t size) override {
    ++attempts;
    if (failed) ++after_failure;
    if (allowed_-- <= 0) {
      failed = true;
      return false;
    }
    position_ += size;
    return true;
  }
  bool Seek(uint32_t position) override {
    position_ = position;
    return true;
  }
  uint32_t Position() const override { return position_; }
  int64_t Size() const override { return position_; }
  bool Flush() override { return true; }

  int attempts = 0;
  int after_failure = 0;
  bool failed = false;

 private:
  int allowed_;
  uint32_t position_ = 0;
};

TEST_F(WriteMenuBglTest, StopsAtTheFirstFailedWrite) {
  SetVisEntries(t.set, {{1, "Seattle", "X:\\a\\*.bgl"}});
  BuildMenu(t, {{"Seattle", {{"Boeing Field", {}}, {"Sea-Tac", {}}}, 1}, {"Empty", {}, 1}});
  FailingFile all(1000);
  ASSERT_TRUE(WriteMenuBgl(t.session, all));
  for (int allowed = 0; allowed < all.attempts; ++allowed) {
    SCOPED_TRACE(allowed);
    FailingFile file(allowed);
    EXPECT_FALSE(WriteMenuBgl(t.session, file));
    EXPECT_EQ(file.after_failure, 0);
  }
}

// --- The menu switch byte ---

class SwitchMenuTest : public BglMenuTest {
 protected:
  // Switches `bytes` to `value` and returns whether the byte was written; `after` receives the
  // file's bytes afterwards.
  bool Switch(const std::vector<uint8_t>& bytes, uint8_t value, std::vector<uint8_t>& after) {
    std::filesystem::path host = dir.Write("switch.bgl", bytes);
    bool written = SetMenuSwitch(*t.fs, WindowsPath(host), value);
    after = ReadFileBytes(host);
    return written;
  }
};

TEST_F(SwitchMenuTest, WritesOnlyTheSwitchByteOfAWellFormedMenu) {
  BglFile bgl = ThreeAreas();
  const std::vector<uint8_t> on = BuildBgl(bgl).bytes;
  std::vector<uint8_t> off = on;
  off[300] = 0;
  std::vector<uint8_t> after;

  EXPECT_TRUE(Switch(on, 0, after));
  EXPECT_EQ(after, off);
  EXPECT_TRUE(Switch(off, 1, after));
  EXPECT_EQ(after, on);
  EXPECT_TRUE(Switch(off, 0, after));
  EXPECT_EQ(after, off);
}

TEST_F(SwitchMenuTest, LeavesEveryOtherFileAsItIs) {
  struct Case {
    const char* name;
    uint8_t value;
    void (*spoil)(std::vector<uint8_t>& bytes);
  };
  const Case cases[] = {
      {"file shorter than its header", 0, [](std::vector<uint8_t>& b) { b.resize(127); }},
      {"no menu data", 0, [](std::vector<uint8_t>& b) { PokeU32(b, 66, 0); }},
      {"menu offset at the end of the file", 0,
       [](std::vector<uint8_t>& b) { PokeU32(b, 66, static_cast<uint32_t>(b.size())); }},
      {"menu offset far past the end", 1,
       [](std::vector<uint8_t>& b) { PokeU32(b, 66, 0xFFFFFFF0); }},
      {"byte at the offset is no switch (off)", 0, [](std::vector<uint8_t>& b) { b[300] = 0x1F; }},
      {"byte at the offset is no switch (on)", 1, [](std::vector<uint8_t>& b) { b[300] = 2; }},
      {"on over an AREA of length 7", 1,
       [](std::vector<uint8_t>& b) {
         b[300] = 0;
         PokeU16(b, 301, 7);
       }},
      {"on over an AREA of length 4001", 1,
       [](std::vector<uint8_t>& b) {
         b[300] = 0;
         PokeU16(b, 301, 4001);
       }},
      {"on over an AREA that runs past the end", 1,
       [](std::vector<uint8_t>& b) {
         b[300] = 0;
         b.resize(305);
       }},
      {"on over a lone byte at the end", 1,
       [](std::vector<uint8_t>& b) {
         b.resize(301);
         b[300] = 0;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = BuildBgl(ThreeAreas()).bytes;
    c.spoil(bytes);
    std::vector<uint8_t> after;
    EXPECT_FALSE(Switch(bytes, c.value, after));
    EXPECT_EQ(after, bytes);
  }
}

TEST_F(SwitchMenuTest, ReadOnlyFileIsMadeWritableAndTheChooserSeesTheHeader) {
  BglFile bgl = ThreeAreas();
  bgl.generated = true;
  std::filesystem::path host = dir.Write("ro.bgl", BuildBgl(bgl).bytes);
  std::string path = WindowsPath(host);
  ASSERT_TRUE(t.fs->SetReadOnly(path));
  uint32_t seen_mark = 0;
  EXPECT_TRUE(SwitchMenu(*t.fs, path, [&](const BglHeader& header) {
    seen_mark = header.mark;
    return header.Generated() ? 0 : 1;
  }));
  EXPECT_EQ(seen_mark, kGeneratorMark);
  EXPECT_TRUE(t.fs->IsWritable(path));
  EXPECT_EQ(ReadFileBytes(host)[300], 0);
  // A chooser that declines leaves the file alone.
  EXPECT_FALSE(SwitchMenu(*t.fs, path, [](const BglHeader&) { return -1; }));
  EXPECT_EQ(ReadFileBytes(host)[300], 0);
  EXPECT_FALSE(SetMenuSwitch(*t.fs, WindowsPath(dir.path() / "missing.bgl"), 0));
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

// Off and then on gives back every byte; a byte that stands before no whole AREA record is never
// written, whatever its value.
TEST(MenuSwitchTest, OffThenOnGivesBackEveryByte) {
  std::vector<uint8_t> menu_with_locn =
      testing::BuildBgl(testing::MenuFile({{"Swiss Alps", {"Zermatt"}}})).bytes;
  std::vector<uint8_t> texture(600, 0xAB);
  texture[66] = 200;  // a "menu offset" into the data
  texture[200] = 1;
  texture[201] = 20;  // a plausible length, but the title never ends
  texture[202] = 0;
  std::vector<uint8_t> zero_before_length = texture;
  zero_before_length[200] = 0;
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    bool switched;
  };
  const Case cases[] = {
      {"menu", menu_with_locn, true},
      {"texture with a 1", texture, false},
      {"texture with a 0", zero_before_length, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    auto host = dir.Write("a.bgl", c.bytes);
    auto fs = MakeNativeFileSystem();
    std::string path = testing::WindowsPath(host);
    EXPECT_EQ(SetMenuSwitch(*fs, path, 0), c.switched);
    std::vector<uint8_t> off = testing::ReadFileBytes(host);
    EXPECT_EQ(SetMenuSwitch(*fs, path, 1), c.switched);
    EXPECT_EQ(testing::ReadFileBytes(host), c.bytes);
    if (c.switched) {
      uint32_t at = c.bytes[66] | c.bytes[67] << 8;
      EXPECT_EQ(off[at], 0);
      off[at] = c.bytes[at];
      EXPECT_EQ(off, c.bytes);
    } else {
      EXPECT_EQ(off, c.bytes);
    }
  }
}

}  // namespace
}  // namespace tarnwick
