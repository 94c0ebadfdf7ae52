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

}  // namespace
}  // namespace tarnwick
