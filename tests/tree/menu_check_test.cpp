#include "tree/menu_check.h"

#include <gtest/gtest.h>

#include <cmath>

#include "details/value_formats.h"
#include "support/menu_builder.h"
#include "support/test_session.h"

namespace tarnwick {
namespace {

using testing::FindLabel;
using testing::TestSession;

// Stored latitude units are 1/128 m north-south; at the equator a metre east is this many
// longitude units (the earth of the stored units measures 40,007,000 m around).
constexpr int32_t kLatitudePerMetre = 128;
constexpr double kLongitudePerMetreAtEquator = 4294967296.0 / 40007000.0;
constexpr int32_t kN51 = 1280224000 / 90 * 51;

struct Locn {
  Locn(std::string d, int32_t lat = kN51, int32_t lon = 0, int h = 90, int32_t vis = 1)
      : description(std::move(d)), latitude(lat), longitude(lon), heading(h), scenery_vis(vis) {}
  std::string description;
  int32_t latitude;
  int32_t longitude;
  int heading;  // degrees, as typed
  int32_t scenery_vis;
  LocnFields fields = {};  // radios and altitude
};
struct AreaDef {
  std::string title;
  std::vector<Locn> locations;
};

// A menu as the scan leaves it, with one VIS entry "Alps" that is on and one "Coast" that is off.
struct CheckedMenu {
  explicit CheckedMenu(const std::vector<AreaDef>& areas) {
    AddVisEntry("Alps", true);
    AddVisEntry("Coast", false);
    root = t.tree.Insert(nullptr, nullptr, "World.vis", MakeTreeItemData(NodeKind::kRoot, 0));
    t.set.tree_root = root;
    TreeNode after_area = nullptr;
    for (const AreaDef& def : areas) {
      t.set.AddArea(1);
      ++t.set.area_count;
      after_area = t.tree.Insert(root, after_area, def.title,
                                 MakeTreeItemData(NodeKind::kArea, t.set.area_count));
      TreeNode after = nullptr;
      for (const Locn& l : def.locations) {
        LocnFields f = l.fields;
        f.latitude = l.latitude;
        f.longitude = l.longitude;
        f.heading = ParseHeading(std::to_string(l.heading));
        ++t.set.location_count;
        t.set.AddLocation(f, 1, 1, t.set.area_count, l.scenery_vis);
        after = t.tree.Insert(after_area, after, l.description,
                              MakeTreeItemData(NodeKind::kLocation, t.set.location_count));
      }
    }
  }

  void AddVisEntry(const std::string& title, bool on) {
    VisEntry entry;
    entry.flags_offset = static_cast<int32_t>(t.set.image.bytes.size());
    t.set.image.bytes.push_back(on ? 1 : 0);
    entry.title_offset = static_cast<int32_t>(t.set.image.bytes.size());
    t.set.image.bytes.insert(t.set.image.bytes.end(), title.begin(), title.end());
    t.set.image.bytes.push_back(0);
    entry.working_flags = on ? 1 : 0;
    t.set.vis_entries.push_back(entry);
    ++t.set.vis_count;
  }

  std::vector<MenuProblem> Check(double within = 100.0) {
    MenuCheckSettings settings;
    settings.within_metres = within;
    return CheckMenu(t.tree, t.set, settings);
  }

  TestSession t;
  TreeNode root = nullptr;
};

// "kind: item, item" per problem; an item is the Location's description, or the Area's title.
std::string Summary(const std::vector<MenuProblem>& problems) {
  std::string out;
  for (const MenuProblem& p : problems) {
    if (!out.empty()) out += " | ";
    out += std::string(ProblemKindName(p.kind)) + ":";
    for (size_t i = 0; i < p.items.size(); ++i) {
      out +=
          (i == 0 ? " " : ", ") + (p.items[i].is_location ? p.items[i].location : p.items[i].area);
    }
  }
  return out;
}

std::vector<MenuProblem> OfKind(const std::vector<MenuProblem>& all, ProblemKind kind) {
  std::vector<MenuProblem> out;
  for (const MenuProblem& p : all) {
    if (p.kind == kind) out.push_back(p);
  }
  return out;
}

TEST(MenuCheckTest, LocationsAtOnePlaceByDistanceAndHeading) {
  struct Case {
    const char* what;
    double north_metres;
    double east_metres;  // at the equator
    int heading_a, heading_b;
    bool same_place;
  };
  const Case cases[] = {
      {"99 m north", 99, 0, 90, 90, true},
      {"101 m north", 101, 0, 90, 90, false},
      {"99 m east", 0, 99, 90, 90, true},
      {"101 m east", 0, 101, 90, 90, false},
      {"same spot", 0, 0, 90, 90, true},
      {"headings 10 apart", 10, 0, 90, 100, true},
      {"headings 11 apart", 10, 0, 90, 101, false},
      {"across north, 8 apart", 10, 0, 355, 3, true},
      {"across north, 11 apart", 10, 0, 355, 6, false},
      {"360 and 10", 10, 0, 360, 10, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const bool east = c.east_metres != 0;
    const int32_t lat0 = east ? 0 : kN51;
    Locn a{"A", lat0, 0, c.heading_a};
    Locn b{"B", lat0 + static_cast<int32_t>(std::lround(c.north_metres * kLatitudePerMetre)),
           static_cast<int32_t>(std::lround(c.east_metres * kLongitudePerMetreAtEquator)),
           c.heading_b};
    CheckedMenu m({{"One", {a}}, {"Two", {b}}});
    EXPECT_EQ(Summary(OfKind(m.Check(), ProblemKind::kDuplicateLocation)),
              c.same_place ? "duplicate-location: A, B" : "");
  }
}

TEST(MenuCheckTest, ChainsOfNearLocationsFormOneGroupInTreeOrder) {
  auto north = [](int metres) { return kN51 + metres * kLatitudePerMetre; };
  CheckedMenu m({
      {"One", {{"C", north(160)}, {"far", north(5000)}}},
      {"Two", {{"A", north(0)}, {"B", north(80)}, {"other way", north(40), 0, 270}}},
      {"Three", {{"D", north(5050)}}},
  });
  const auto found = OfKind(m.Check(), ProblemKind::kDuplicateLocation);
  EXPECT_EQ(Summary(found), "duplicate-location: C, A, B | duplicate-location: far, D");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].items[1].area, "Two");
  EXPECT_EQ(found[0].detail, "3 Locations within 100 m, headings within 10 degrees");

  // A wider distance takes the far pair in; a distance of 0 leaves only exact twins.
  EXPECT_EQ(Summary(OfKind(m.Check(6000), ProblemKind::kDuplicateLocation)),
            "duplicate-location: C, far, A, B, D");
  EXPECT_EQ(Summary(OfKind(m.Check(0), ProblemKind::kDuplicateLocation)), "");
}

TEST(MenuCheckTest, ManyLocationsAtOneSpotAreOneGroup) {
  std::vector<Locn> locations;
  for (int i = 0; i < 3000; ++i) locations.push_back({"L" + std::to_string(i), 0, 0, 360});
  CheckedMenu m({{"Zero", locations}});
  const auto found = OfKind(m.Check(), ProblemKind::kDuplicateLocation);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].items.size(), 3000u);
}

TEST(MenuCheckTest, TitlesAreComparedWithoutCaseAndSurroundingBlanks) {
  struct Case {
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {"Chicago", "Chicago", true},   {"Chicago", " chicago  ", true},
      {"CHICAGO", "\tChicago", true}, {"Chicago", "Chicago Midway", false},
      {"Chi cago", "Chicago", false}, {"", "   ", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("'" + c.a + "' and '" + c.b + "'");
    CheckedMenu areas(
        {{c.a, {{"x", kN51, 0}}}, {"Other", {{"y", 0, 0}}}, {c.b, {{"z", 0, 1000000}}}});
    EXPECT_EQ(OfKind(areas.Check(), ProblemKind::kDuplicateArea).size(), c.same ? 1u : 0u);

    // Locations: only within one Area.
    CheckedMenu one({{"A", {{c.a, kN51, 0}, {"y", 0, 0}, {c.b, 0, 1000000}}}});
    EXPECT_EQ(OfKind(one.Check(), ProblemKind::kRepeatedLocation).size(), c.same ? 1u : 0u);
    CheckedMenu two({{"A", {{c.a, kN51, 0}}}, {"B", {{c.b, 0, 1000000}}}});
    EXPECT_EQ(OfKind(two.Check(), ProblemKind::kRepeatedLocation).size(), 0u);
  }
}

TEST(MenuCheckTest, DuplicateAreasListEveryMember) {
  CheckedMenu m({{"Chicago", {{"a", 0, 0}}},
                 {"Boston", {{"b", 0, 100000}}},
                 {" CHICAGO", {{"c", 0, 200000}}},
                 {"chicago ", {{"d", 0, 300000}}}});
  const auto found = OfKind(m.Check(), ProblemKind::kDuplicateArea);
  EXPECT_EQ(Summary(found), "duplicate-area: Chicago,  CHICAGO, chicago ");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].detail, "3 Areas titled \"Chicago\" (case and blanks aside)");
  EXPECT_FALSE(found[0].items[0].is_location);
}

TEST(MenuCheckTest, LongTitlesAndEmptyAreas) {
  CheckedMenu m({
      {"Exactly twenty chars", {{"a", 0, 0}}},
      {"Twenty-one characters", {{"b", 0, 100000}}},
      {"Empty", {}},
  });
  const auto found = m.Check();
  EXPECT_EQ(Summary(found), "long-title: Twenty-one characters | empty-area: Empty");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].detail, "saved as \"Twenty-one character\" (21 characters)");
}

TEST(MenuCheckTest, LocationsOfScenerySwitchedOffOrGone) {
  CheckedMenu m({{"A",
                  {{"on", kN51, 0, 90, 1},
                   {"off", kN51, 100000, 90, 2},
                   {"gone", kN51, 200000, 90, 3},
                   {"own", kN51, 300000, 90, 0}}}});
  std::vector<MenuProblem> found = m.Check();
  EXPECT_EQ(Summary(found), "scenery-off: off | scenery-off: gone");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_NE(found[0].detail.find("\"Coast\" (VIS entry 2) is switched off"), std::string::npos);
  EXPECT_NE(found[1].detail.find("no longer in the VIS file"), std::string::npos);

  // The user's pending selection counts, not the file's flags.
  m.t.set.vis_entries[0].working_flags = 0;
  m.t.set.vis_entries[1].working_flags = 1;
  EXPECT_EQ(Summary(m.Check()), "scenery-off: on | scenery-off: gone");
}

TEST(MenuCheckTest, ValuesOutsideTheRangesTheDetailsPaneAccepts) {
  struct Case {
    const char* what;
    int32_t latitude;
    int32_t altitude;
    uint16_t com1, nav1, nav2;
    std::string detail;  // empty: no problem
  };
  const int32_t ft15000 = FeetToAltitude(15000);
  const int32_t ft_minus1500 = FeetToAltitude(-1500);
  const Case cases[] = {
      {"latitude 90 N", 1280224000, 0, 0, 0, 0, ""},
      {"latitude 90 S", -1280224000, 0, 0, 0, 0, ""},
      {"beyond 90 N", 1280224001, 0, 0, 0, 0, "latitude N90:00:00.0002 is beyond 90 degrees"},
      {"far beyond 90 S", -1300000000, 0, 0, 0, 0, "latitude S91:23:24.9242 is beyond 90 degrees"},
      {"15000 ft", 0, ft15000, 0, 0, 0, ""},
      {"15001 ft", 0, FeetToAltitude(15001), 0, 0, 0, "altitude 15001 ft is above 15000 ft"},
      {"-1500 ft", 0, ft_minus1500, 0, 0, 0, ""},
      {"-1501 ft", 0, FeetToAltitude(-1501), 0, 0, 0, "altitude -1501 ft is below -1500 ft"},
      {"40000 ft", 0, FeetToAltitude(40000), 0, 0, 0,
       "altitude -25536 (40000) ft is above 15000 ft"},
      {"radios not set", 0, 0, 0, 0, 0, ""},
      {"radios at their ends", 0, 0, 0x1800, 0x0800, 0x1797, ""},
      {"COM1 at the top", 0, 0, 0x3597, 0, 0, ""},
      {"COM1 below", 0, 0, 0x1797, 0, 0, "COM1 117.97 is outside 118.00 to 135.97"},
      {"COM1 above", 0, 0, 0x3600, 0, 0, "COM1 136.00 is outside 118.00 to 135.97"},
      {"NAV1 below", 0, 0, 0, 0x0797, 0, "NAV1 107.97 is outside 108.00 to 117.97"},
      {"NAV2 above", 0, 0, 0, 0, 0x1800, "NAV2 118.00 is outside 108.00 to 117.97"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Locn l{"L", c.latitude, 0};
    l.fields.altitude = c.altitude;
    l.fields.com1 = c.com1;
    l.fields.nav1 = c.nav1;
    l.fields.nav2 = c.nav2;
    CheckedMenu m({{"A", {l}}});
    const auto found = m.Check();
    if (c.detail.empty()) {
      EXPECT_EQ(Summary(found), "");
    } else {
      ASSERT_EQ(found.size(), 1u) << Summary(found);
      EXPECT_EQ(found[0].kind, ProblemKind::kOutOfRange);
      EXPECT_EQ(found[0].detail, c.detail);
    }
  }
}

TEST(MenuCheckTest, OneProblemPerFieldAndAllInTreeOrder) {
  Locn bad{"bad", 1290000000, 0};
  bad.fields.altitude = FeetToAltitude(-2000);
  bad.fields.com1 = 0x1000;
  bad.fields.nav2 = 0x2000;
  CheckedMenu m({
      {"A very long Area title here", {{"twin", kN51, 0}, {"Twin ", kN51, 0}, bad}},
      {"Empty", {}},
      {"a very long area title here", {{"z", kN51, 5000000}}},
  });
  const auto found = m.Check();
  EXPECT_EQ(Summary(found),
            "duplicate-area: A very long Area title here, a very long area title here"
            " | long-title: A very long Area title here"
            " | duplicate-location: twin, Twin "
            " | repeated-location: twin, Twin "
            " | out-of-range: bad | out-of-range: bad | out-of-range: bad | out-of-range: bad"
            " | empty-area: Empty | long-title: a very long area title here");
  std::string fields;
  for (const MenuProblem& p : OfKind(found, ProblemKind::kOutOfRange)) fields += p.field + " ";
  EXPECT_EQ(fields, "latitude altitude COM1 NAV2 ");
  const auto counts = CountProblems(found);
  EXPECT_EQ(counts[static_cast<size_t>(ProblemKind::kOutOfRange)], 4u);
  EXPECT_EQ(counts[static_cast<size_t>(ProblemKind::kSceneryOff)], 0u);
}

TEST(MenuCheckTest, AnEmptyTreeHasNoProblems) {
  TestSession t;
  EXPECT_TRUE(CheckMenu(t.tree, t.set).empty());
  CheckedMenu m({{"Fine", {{"a", kN51, 0}}}});
  EXPECT_TRUE(m.Check().empty());
}

TEST(MenuCheckTest, AnItemIsFoundAgainAfterItsNodeWasMadeAnew) {
  CheckedMenu m({{"A", {{"x", kN51, 0}, {"X", kN51, 0}}}});
  const auto found = m.Check();
  ASSERT_FALSE(found.empty());
  const ProblemItem item = found[0].items[1];
  EXPECT_EQ(FindProblemItem(m.t.tree, item), item.node);

  // A move re-creates the node with the same data.
  TreeNode area = m.t.tree.Parent(item.node);
  m.t.tree.Remove(item.node);
  TreeNode moved = m.t.tree.Insert(area, nullptr, "X", item.data);
  EXPECT_EQ(FindProblemItem(m.t.tree, item), moved);

  m.t.tree.Remove(moved);
  EXPECT_EQ(FindProblemItem(m.t.tree, item), nullptr);
}

TEST(MenuCheckTest, MarkAllMarksTheListedItemsAndNothingElse) {
  CheckedMenu m({{"Dup", {{"a", kN51, 0}}},
                 {"Fine", {{"b", kN51, 1000000}, {"twin", kN51, 2000000}, {"c", 0, 0}}},
                 {"dup ", {{"d", kN51, 3000000}}},
                 {"Other", {{"twin", kN51, 2000000}}}});
  m.t.tree.SetMarked(FindLabel(m.t.tree, "c"), true);
  MarkProblemItems(m.t.tree, m.Check());
  std::string marked;
  for (TreeNode a = m.t.tree.FirstChild(m.root); a != nullptr; a = m.t.tree.Next(a)) {
    if (m.t.tree.Marked(a)) marked += m.t.tree.Label(a) + " ";
    for (TreeNode l = m.t.tree.FirstChild(a); l != nullptr; l = m.t.tree.Next(l)) {
      if (m.t.tree.Marked(l)) marked += m.t.tree.Label(l) + " ";
    }
  }
  // The duplicate Areas with their Locations, and both twins at one place.
  EXPECT_EQ(marked, "Dup a twin dup  d twin ");
}

TEST(MenuCheckTest, TheFingerprintFollowsEveryKindOfEdit) {
  CheckedMenu m({{"A", {{"a", kN51, 0}, {"b", kN51, 1000}}}, {"B", {}}});
  const uint64_t before = MenuCheckFingerprint(m.t.tree, m.t.set);
  EXPECT_EQ(MenuCheckFingerprint(m.t.tree, m.t.set), before);
  TreeNode a = FindLabel(m.t.tree, "a");
  MenuLocation* record = m.t.set.Location(RecordOf(m.t.tree.Data(a)));

  m.t.tree.SetLabel(a, "a2");
  EXPECT_NE(MenuCheckFingerprint(m.t.tree, m.t.set), before);
  m.t.tree.SetLabel(a, "a");
  EXPECT_EQ(MenuCheckFingerprint(m.t.tree, m.t.set), before);

  record->fields.com1 = 0x1850;
  EXPECT_NE(MenuCheckFingerprint(m.t.tree, m.t.set), before);
  record->fields.com1 = 0;

  m.t.set.vis_entries[1].working_flags = 1;
  EXPECT_NE(MenuCheckFingerprint(m.t.tree, m.t.set), before);
  m.t.set.vis_entries[1].working_flags = 0;

  // A Location moved to the other Area.
  TreeItemData data = m.t.tree.Data(a);
  m.t.tree.Remove(a);
  TreeNode moved = m.t.tree.Insert(FindLabel(m.t.tree, "B"), nullptr, "a", data);
  EXPECT_NE(MenuCheckFingerprint(m.t.tree, m.t.set), before);
  m.t.tree.Remove(moved);
  m.t.tree.Insert(FindLabel(m.t.tree, "A"), nullptr, "a", data);
  EXPECT_EQ(MenuCheckFingerprint(m.t.tree, m.t.set), before);
}

}  // namespace
}  // namespace tarnwick
