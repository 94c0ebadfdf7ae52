#include "tree/menu_check.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <unordered_map>

#include "details/value_formats.h"
#include "scenery/bgl_records.h"

namespace tarnwick {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The earth of the stored units: 90 degrees of latitude measure 10,001,750 m.
constexpr double kEarthRadius = 10001750.0 * 2.0 / kPi;
constexpr int64_t kLatitude90 = 1280224000;
constexpr int64_t kLongitude180 = int64_t{1} << 31;
constexpr int kHeadingDegrees = 10;
// The ranges the details pane accepts; 0 means "not set".
constexpr int32_t kLowestFeet = -1500;
constexpr int32_t kHighestFeet = 15000;
constexpr uint16_t kComLowest = 0x1800, kComHighest = 0x3597;
constexpr uint16_t kNavLowest = 0x0800, kNavHighest = 0x1797;

struct Area {
  TreeNode node;
  std::string title;
  size_t order;  // position in the tree walk
  bool has_locations;
};

struct Location {
  TreeNode node;
  size_t area;  // index into the Areas
  std::string description;
  size_t order;
  const MenuLocation* record;
};

struct Menu {
  std::vector<Area> areas;
  std::vector<Location> locations;
};

Menu ReadMenu(const MenuTree& tree, const ScenerySet& set) {
  Menu menu;
  TreeNode root = tree.Root();
  if (root == nullptr) return menu;
  size_t order = 0;
  for (TreeNode a = tree.FirstChild(root); a != nullptr; a = tree.Next(a)) {
    const size_t area_index = menu.areas.size();
    menu.areas.push_back({a, tree.Label(a), order++, tree.FirstChild(a) != nullptr});
    for (TreeNode l = tree.FirstChild(a); l != nullptr; l = tree.Next(l)) {
      const MenuLocation* record = set.Location(RecordOf(tree.Data(l)));
      if (record == nullptr) continue;
      menu.locations.push_back({l, area_index, tree.Label(l), order++, record});
    }
  }
  return menu;
}

// Titles are the same menu entry when they differ only in letter case or surrounding blanks.
std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Folded(std::string_view text) {
  std::string out(Trimmed(text));
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

class Finder {
 public:
  Finder(const MenuTree& tree, const ScenerySet& set, const MenuCheckSettings& settings)
      : tree_(tree), set_(set), settings_(settings), menu_(ReadMenu(tree, set)) {}

  std::vector<MenuProblem> Run() {
    DuplicateLocations();
    DuplicateAreas();
    RepeatedLocations();
    AreaTitlesAndContents();
    SceneryOff();
    OutOfRange();
    std::stable_sort(found_.begin(), found_.end(), [](const Found& x, const Found& y) {
      if (x.order != y.order) return x.order < y.order;
      if (x.problem.kind != y.problem.kind) return x.problem.kind < y.problem.kind;
      return x.field < y.field;
    });
    std::vector<MenuProblem> problems;
    problems.reserve(found_.size());
    for (Found& f : found_) problems.push_back(std::move(f.problem));
    return problems;
  }

 private:
  struct Found {
    size_t order;  // of the first item
    int field;
    MenuProblem problem;
  };

  ProblemItem AreaItem(size_t index) const {
    const Area& area = menu_.areas[index];
    return {area.node, tree_.Data(area.node), area.title, {}, false};
  }
  ProblemItem LocationItem(size_t index) const {
    const Location& location = menu_.locations[index];
    return {location.node, tree_.Data(location.node), menu_.areas[location.area].title,
            location.description, true};
  }

  void Add(ProblemKind kind, size_t order, std::vector<ProblemItem> items, std::string detail,
           int field = 0, std::string field_name = {}) {
    found_.push_back(
        {order, field, {kind, std::move(items), std::move(detail), std::move(field_name)}});
  }

  // The sets of the union-find `parent` with two or more members, each in tree order, ordered by
  // their first member.
  static std::vector<std::vector<size_t>> Groups(std::vector<size_t>& parent) {
    const size_t n = parent.size();
    std::vector<size_t> root(n), size(n, 0), slot(n, SIZE_MAX);
    for (size_t i = 0; i < n; ++i) ++size[root[i] = Root(parent, i)];
    std::vector<std::vector<size_t>> groups;
    for (size_t i = 0; i < n; ++i) {
      const size_t r = root[i];
      if (size[r] < 2) continue;
      if (slot[r] == SIZE_MAX) {
        slot[r] = groups.size();
        groups.emplace_back();
      }
      groups[slot[r]].push_back(i);
    }
    return groups;
  }
  static size_t Root(std::vector<size_t>& parent, size_t i) {
    while (parent[i] != i) {
      parent[i] = parent[parent[i]];
      i = parent[i];
    }
    return i;
  }
  static void Join(std::vector<size_t>& parent, size_t a, size_t b) {
    a = Root(parent, a);
    b = Root(parent, b);
    if (a != b) parent[std::max(a, b)] = std::min(a, b);
  }

  // Locations at one place: pairs closer than the distance with headings close enough, joined in
  // chains. A grid of cubes as large as the distance, over the points on the earth's surface in
  // space, finds the near pairs without comparing every Location with every other; it has no
  // seam at the poles or at 180 degrees.
  void DuplicateLocations() {
    const size_t n = menu_.locations.size();
    if (n < 2) return;
    std::vector<size_t> parent(n);
    std::iota(parent.begin(), parent.end(), size_t{0});

    struct Point {
      double lat, lon, x, y, z;
      int heading;  // whole degrees as shown, 1-360
    };
    std::vector<Point> points(n);
    for (size_t i = 0; i < n; ++i) {
      const LocnFields& f = menu_.locations[i].record->fields;
      Point& p = points[i];
      p.lat = static_cast<double>(f.latitude) * (kPi / 2) / static_cast<double>(kLatitude90);
      p.lon = static_cast<double>(f.longitude) * kPi / static_cast<double>(kLongitude180);
      p.x = kEarthRadius * std::cos(p.lat) * std::cos(p.lon);
      p.y = kEarthRadius * std::cos(p.lat) * std::sin(p.lon);
      p.z = kEarthRadius * std::sin(p.lat);
      p.heading = static_cast<int>((f.heading * 360ul + 32768) / 65536);
      if (p.heading == 0) p.heading = 360;
    }

    // Locations with the same stored position and shown heading are one place at once; only one
    // of each goes into the grid, so a thousand Locations left at 0,0 cost nothing extra.
    struct Same {
      int32_t lat, lon;
      int heading;
      bool operator==(const Same&) const = default;
    };
    struct SameHash {
      size_t operator()(const Same& s) const {
        uint64_t h = static_cast<uint32_t>(s.lat);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(s.lon);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(s.heading);
        return static_cast<size_t>(h ^ (h >> 29));
      }
    };
    std::unordered_map<Same, size_t, SameHash> first_at;
    first_at.reserve(n);
    std::vector<size_t> distinct;
    for (size_t i = 0; i < n; ++i) {
      const LocnFields& f = menu_.locations[i].record->fields;
      auto [it, inserted] = first_at.try_emplace({f.latitude, f.longitude, points[i].heading}, i);
      if (inserted) {
        distinct.push_back(i);
      } else {
        Join(parent, it->second, i);
      }
    }

    const double within = std::max(settings_.within_metres, 0.0);
    // The straight line through the earth is never longer than the way over it.
    const double chord = within >= kPi * kEarthRadius
                             ? 2 * kEarthRadius
                             : 2 * kEarthRadius * std::sin(within / (2 * kEarthRadius));
    const double cell = std::max(chord, 1.0);
    struct Cell {
      int64_t x, y, z;
      bool operator==(const Cell&) const = default;
    };
    struct CellHash {
      size_t operator()(const Cell& c) const {
        uint64_t h = static_cast<uint64_t>(c.x);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(c.y);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(c.z);
        return static_cast<size_t>(h ^ (h >> 31));
      }
    };
    auto cell_of = [cell](const Point& p) {
      return Cell{static_cast<int64_t>(std::floor(p.x / cell)),
                  static_cast<int64_t>(std::floor(p.y / cell)),
                  static_cast<int64_t>(std::floor(p.z / cell))};
    };
    // The points sorted by cell, and each cell's run of them: no list per cell to allocate.
    std::vector<std::pair<Cell, size_t>> by_cell;
    by_cell.reserve(distinct.size());
    for (size_t i : distinct) by_cell.push_back({cell_of(points[i]), i});
    std::sort(by_cell.begin(), by_cell.end(), [](const auto& a, const auto& b) {
      const Cell& x = a.first;
      const Cell& y = b.first;
      if (x.x != y.x) return x.x < y.x;
      if (x.y != y.y) return x.y < y.y;
      return x.z < y.z;
    });
    std::unordered_map<Cell, std::pair<size_t, size_t>, CellHash> runs;
    runs.reserve(by_cell.size());
    for (size_t begin = 0; begin < by_cell.size();) {
      size_t end = begin + 1;
      while (end < by_cell.size() && by_cell[end].first == by_cell[begin].first) ++end;
      runs.emplace(by_cell[begin].first, std::make_pair(begin, end));
      begin = end;
    }

    for (const auto& [c, run] : runs) {
      for (int64_t dx = -1; dx <= 1; ++dx) {
        for (int64_t dy = -1; dy <= 1; ++dy) {
          for (int64_t dz = -1; dz <= 1; ++dz) {
            auto near = runs.find({c.x + dx, c.y + dy, c.z + dz});
            if (near == runs.end()) continue;
            for (size_t a = run.first; a < run.second; ++a) {
              const size_t i = by_cell[a].second;
              const Point& p = points[i];
              for (size_t b = near->second.first; b < near->second.second; ++b) {
                const size_t j = by_cell[b].second;
                if (j <= i) continue;
                const Point& q = points[j];
                int turn = std::abs(p.heading - q.heading);
                turn = std::min(turn, 360 - turn);
                if (turn > kHeadingDegrees) continue;
                if (Distance(p.lat, p.lon, q.lat, q.lon) <= within) Join(parent, i, j);
              }
            }
          }
        }
      }
    }

    for (const std::vector<size_t>& group : Groups(parent)) {
      std::vector<ProblemItem> items;
      for (size_t i : group) items.push_back(LocationItem(i));
      Add(ProblemKind::kDuplicateLocation, menu_.locations[group.front()].order, std::move(items),
          std::to_string(group.size()) + " Locations within " + FormatMetres(within) +
              " m, headings within " + std::to_string(kHeadingDegrees) + " degrees");
    }
  }

  static double Distance(double lat1, double lon1, double lat2, double lon2) {
    const double dlat = std::sin((lat2 - lat1) / 2);
    const double dlon = std::sin((lon2 - lon1) / 2);
    const double h = dlat * dlat + std::cos(lat1) * std::cos(lat2) * dlon * dlon;
    return 2 * kEarthRadius * std::asin(std::min(1.0, std::sqrt(h)));
  }

  static std::string FormatMetres(double metres) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", metres);
    return text;
  }

  void DuplicateAreas() {
    std::unordered_map<std::string, std::vector<size_t>> by_title;
    std::vector<std::string> titles;  // in order of first appearance
    for (size_t i = 0; i < menu_.areas.size(); ++i) {
      auto [it, inserted] = by_title.try_emplace(Folded(menu_.areas[i].title));
      if (inserted) titles.push_back(it->first);
      it->second.push_back(i);
    }
    for (const std::string& title : titles) {
      const std::vector<size_t>& group = by_title[title];
      if (group.size() < 2) continue;
      std::vector<ProblemItem> items;
      for (size_t i : group) items.push_back(AreaItem(i));
      Add(ProblemKind::kDuplicateArea, menu_.areas[group.front()].order, std::move(items),
          std::to_string(group.size()) + " Areas titled " +
              Quoted(Trimmed(menu_.areas[group.front()].title)) + " (case and blanks aside)");
    }
  }

  void RepeatedLocations() {
    size_t begin = 0;
    while (begin < menu_.locations.size()) {
      const size_t area = menu_.locations[begin].area;
      size_t end = begin;
      while (end < menu_.locations.size() && menu_.locations[end].area == area) ++end;
      std::unordered_map<std::string, std::vector<size_t>> by_description;
      std::vector<std::string> descriptions;
      for (size_t i = begin; i < end; ++i) {
        auto [it, inserted] = by_description.try_emplace(Folded(menu_.locations[i].description));
        if (inserted) descriptions.push_back(it->first);
        it->second.push_back(i);
      }
      for (const std::string& description : descriptions) {
        const std::vector<size_t>& group = by_description[description];
        if (group.size() < 2) continue;
        std::vector<ProblemItem> items;
        for (size_t i : group) items.push_back(LocationItem(i));
        Add(ProblemKind::kRepeatedLocation, menu_.locations[group.front()].order, std::move(items),
            std::to_string(group.size()) + " Locations described " +
                Quoted(Trimmed(menu_.locations[group.front()].description)) + " in this Area");
      }
      begin = end;
    }
  }

  void AreaTitlesAndContents() {
    for (size_t i = 0; i < menu_.areas.size(); ++i) {
      const Area& area = menu_.areas[i];
      if (area.title.size() > kMaxWrittenTitle) {
        Add(ProblemKind::kLongTitle, area.order, {AreaItem(i)},
            "saved as " + Quoted(area.title.substr(0, kMaxWrittenTitle)) + " (" +
                std::to_string(area.title.size()) + " characters)");
      }
      if (!area.has_locations) {
        Add(ProblemKind::kEmptyArea, area.order, {AreaItem(i)},
            "no Locations: the saved menu leaves this Area out");
      }
    }
  }

  void SceneryOff() {
    for (size_t i = 0; i < menu_.locations.size(); ++i) {
      const int32_t number = menu_.locations[i].record->scenery_vis;
      // 0: a Location of the user's own, which the next scan places where it is found.
      if (number == 0) continue;
      const VisEntry* entry = set_.Vis(number);
      std::string detail;
      if (entry == nullptr) {
        detail = "scenery area " + std::to_string(number) + " is no longer in the VIS file";
      } else if ((entry->working_flags & 1) == 0) {
        detail = "scenery area " + Quoted(set_.EntryTitle(*entry)) + " (VIS entry " +
                 std::to_string(number) + ") is switched off";
      } else {
        continue;
      }
      Add(ProblemKind::kSceneryOff, menu_.locations[i].order, {LocationItem(i)},
          detail + "; the next save or scan drops this Location");
    }
  }

  void OutOfRange() {
    for (size_t i = 0; i < menu_.locations.size(); ++i) {
      const LocnFields& f = menu_.locations[i].record->fields;
      const size_t order = menu_.locations[i].order;
      auto add = [&](int field, const char* name, std::string detail) {
        Add(ProblemKind::kOutOfRange, order, {LocationItem(i)}, std::move(detail), field, name);
      };
      const bool fractional = settings_.fractional_minutes;
      if (std::abs(int64_t{f.latitude}) > kLatitude90) {
        add(0, "latitude",
            "latitude " + FormatAngle(f.latitude, AngleAxis::kLatitude, fractional) +
                " is beyond 90 degrees");
      }
      // The stored longitude cannot pass 180 degrees (0x80000000 is 180 itself); the test is
      // kept for its symmetry with the latitude.
      if (std::abs(int64_t{f.longitude}) > kLongitude180) {
        add(1, "longitude",
            "longitude " + FormatAngle(f.longitude, AngleAxis::kLongitude, fractional) +
                " is beyond 180 degrees");
      }
      const int32_t feet = AltitudeToFeet(f.altitude);
      if (feet < kLowestFeet || feet > kHighestFeet) {
        std::string shown = FormatAltitude(f.altitude);
        // The pane shows feet as a 16-bit number: a height beyond it wraps there.
        if (shown != std::to_string(feet)) shown += " (" + std::to_string(feet) + ")";
        add(2, "altitude",
            "altitude " + shown + " ft is " +
                (feet < kLowestFeet ? "below -1500 ft" : "above 15000 ft"));
      }
      auto radio = [&](int field, const char* name, uint16_t value, uint16_t lowest,
                       uint16_t highest) {
        if (value == 0 || (value >= lowest && value <= highest)) return;
        add(field, name,
            std::string(name) + " " + FormatFrequency(value) + " is outside " +
                FormatFrequency(lowest) + " to " + FormatFrequency(highest));
      };
      radio(3, "COM1", f.com1, kComLowest, kComHighest);
      radio(4, "NAV1", f.nav1, kNavLowest, kNavHighest);
      radio(5, "NAV2", f.nav2, kNavLowest, kNavHighest);
    }
  }

  const MenuTree& tree_;
  const ScenerySet& set_;
  const MenuCheckSettings& settings_;
  Menu menu_;
  std::vector<Found> found_;
};

}  // namespace

std::string_view ProblemKindName(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::kDuplicateLocation:
      return "duplicate-location";
    case ProblemKind::kDuplicateArea:
      return "duplicate-area";
    case ProblemKind::kRepeatedLocation:
      return "repeated-location";
    case ProblemKind::kLongTitle:
      return "long-title";
    case ProblemKind::kEmptyArea:
      return "empty-area";
    case ProblemKind::kSceneryOff:
      return "scenery-off";
    case ProblemKind::kOutOfRange:
      return "out-of-range";
  }
  return "unknown";
}

std::vector<MenuProblem> CheckMenu(const MenuTree& tree, const ScenerySet& set,
                                   const MenuCheckSettings& settings) {
  return Finder(tree, set, settings).Run();
}

std::array<size_t, kProblemKindCount> CountProblems(const std::vector<MenuProblem>& problems) {
  std::array<size_t, kProblemKindCount> counts{};
  for (const MenuProblem& problem : problems) ++counts[static_cast<size_t>(problem.kind)];
  return counts;
}

TreeNode FindProblemItem(const MenuTree& tree, const ProblemItem& item) {
  TreeNode root = tree.Root();
  if (root == nullptr) return nullptr;
  TreeNode by_data = nullptr;
  auto visit = [&](TreeNode node) {
    if (tree.Data(node) != item.data) return false;
    if (node == item.node) return true;
    if (by_data == nullptr) by_data = node;
    return false;
  };
  for (TreeNode a = tree.FirstChild(root); a != nullptr; a = tree.Next(a)) {
    if (visit(a)) return a;
    for (TreeNode l = tree.FirstChild(a); l != nullptr; l = tree.Next(l)) {
      if (visit(l)) return l;
    }
  }
  return by_data;
}

void MarkProblemItems(MenuTree& tree, const std::vector<MenuProblem>& problems) {
  TreeNode root = tree.Root();
  if (root == nullptr) return;
  std::unordered_map<TreeNode, bool> listed;
  for (const MenuProblem& problem : problems) {
    for (const ProblemItem& item : problem.items) {
      if (TreeNode node = FindProblemItem(tree, item)) listed[node] = true;
    }
  }
  auto set_mark = [&tree](TreeNode node, bool on) {
    // Only changes: each one redraws the item in the window.
    if (tree.Marked(node) != on) tree.SetMarked(node, on);
  };
  set_mark(root, false);
  for (TreeNode a = tree.FirstChild(root); a != nullptr; a = tree.Next(a)) {
    const bool area_marked = listed.count(a) != 0;
    set_mark(a, area_marked);
    for (TreeNode l = tree.FirstChild(a); l != nullptr; l = tree.Next(l)) {
      set_mark(l, area_marked || listed.count(l) != 0);
    }
  }
}

uint64_t MenuCheckFingerprint(const MenuTree& tree, const ScenerySet& set) {
  // FNV-1a over the bytes of each part.
  uint64_t hash = 0xCBF29CE484222325ull;
  auto add = [&hash](const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001B3ull;
  };
  auto add_node = [&](TreeNode node, uint8_t level) {
    const std::string label = tree.Label(node);
    const TreeItemData data = tree.Data(node);
    add(&level, 1);
    add(&data, sizeof data);
    add(label.data(), label.size() + 1);
    if (KindOf(data) == NodeKind::kLocation) {
      if (const MenuLocation* location = set.Location(RecordOf(data))) {
        const LocnFields& f = location->fields;
        const int32_t numbers[] = {f.latitude, f.longitude, f.altitude, f.heading,
                                   f.com1,     f.nav1,      f.nav2,     location->scenery_vis};
        add(numbers, sizeof numbers);
      }
    }
  };
  for (const VisEntry& entry : set.vis_entries) add(&entry.working_flags, 1);
  if (TreeNode root = tree.Root()) {
    for (TreeNode a = tree.FirstChild(root); a != nullptr; a = tree.Next(a)) {
      add_node(a, 1);
      for (TreeNode l = tree.FirstChild(a); l != nullptr; l = tree.Next(l)) add_node(l, 2);
    }
  }
  return hash;
}

}  // namespace tarnwick
