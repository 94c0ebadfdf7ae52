#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "scenery/bgl_menu.h"
#include "scenery/bgl_menu_fixture.h"

namespace tarnwick {
namespace {

using namespace bgl_menu_testing;

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

}  // namespace
}  // namespace tarnwick
