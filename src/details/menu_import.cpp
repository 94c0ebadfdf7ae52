#include "details/menu_import.h"

#include <algorithm>
#include <unordered_map>

#include "tree/tree_edits.h"

namespace tarnwick {

namespace {

// A path as a key that ignores case, as file names are compared.
std::string PathKey(std::string_view path) {
  std::string key(path);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string key;
  for (std::string_view part : parts) {
    key += part;
    key += '\x1F';
  }
  return key;
}

bool SameFields(const LocnFields& a, const LocnFields& b) {
  return a.latitude == b.latitude && a.longitude == b.longitude && a.altitude == b.altitude &&
         a.heading == b.heading && a.com1 == b.com1 && a.nav1 == b.nav1 && a.obi1 == b.obi1 &&
         a.nav2 == b.nav2 && a.obi2 == b.obi2;
}

// A Location of the tree, as a file row may name it.
struct Original {
  uint32_t record = 0;
  const MenuLocation* location = nullptr;
  std::string description;
  std::string source;                              // PathKey of its BGL, empty for none
  std::array<std::string, 2> latitude, longitude;  // both angle styles
  bool taken = false;
};

// Originals by one kind of key, each list in tree order; a look-up takes the first not yet taken.
class OriginalIndex {
 public:
  void Add(const std::string& key, size_t original) { lists_[key].push_back(original); }
  std::optional<size_t> Take(const std::string& key, std::vector<Original>& originals) {
    auto found = lists_.find(key);
    if (found == lists_.end()) return std::nullopt;
    for (size_t i : found->second) {
      if (!originals[i].taken) {
        originals[i].taken = true;
        return i;
      }
    }
    return std::nullopt;
  }

 private:
  std::unordered_map<std::string, std::vector<size_t>> lists_;
};

class ImportPlanner {
 public:
  ImportPlanner(const ScenerySet& set, const MenuTree& tree) : set_(set) {
    TreeNode root = tree.Root();
    if (root == nullptr) return;
    for (TreeNode area = tree.FirstChild(root); area != nullptr; area = tree.Next(area)) {
      uint32_t area_record = RecordOf(tree.Data(area));
      if (set.Area(area_record) != nullptr) area_titles_[tree.Label(area)].push_back(area_record);
      for (TreeNode node = tree.FirstChild(area); node != nullptr; node = tree.Next(node)) {
        Original o;
        o.record = RecordOf(tree.Data(node));
        o.location = set.Location(o.record);
        if (o.location == nullptr) continue;
        o.description = tree.Label(node);
        if (const MenuBgl* bgl = set.Bgl(o.location->bgl_index)) o.source = PathKey(bgl->path);
        for (int style = 0; style < 2; ++style) {
          o.latitude[style] = MenuValueText(o.location->fields, MenuValue::kLatitude, style == 1);
          o.longitude[style] = MenuValueText(o.location->fields, MenuValue::kLongitude, style == 1);
        }
        originals_.push_back(std::move(o));
      }
    }
    for (size_t i = 0; i < originals_.size(); ++i) {
      const Original& o = originals_[i];
      for (int style = 0; style < 2; ++style) {
        whole_.Add(Join({o.source, o.description, o.latitude[style], o.longitude[style]}), i);
        place_.Add(Join({o.source, o.latitude[style], o.longitude[style]}), i);
        if (o.latitude[0] == o.latitude[1] && o.longitude[0] == o.longitude[1]) break;
      }
      named_.Add(Join({o.source, o.description}), i);
    }
    for (int32_t i = 1; i <= set.bgl_count; ++i) {
      bgl_by_path_.try_emplace(PathKey(set.Bgl(i)->path), i);
    }
    for (int32_t i = set.location_count; i >= 1; --i) {
      const MenuLocation* location = set.Location(i);
      if (location != nullptr && location->bgl_index > 0) {
        bgl_found_vis_[location->bgl_index] = location->found_vis;
      }
    }
  }

  MenuImportPlan Plan(MenuText text) {
    MenuImportPlan plan;
    plan.problems = std::move(text.problems);
    std::vector<std::optional<size_t>> match = Match(text);
    for (size_t i = 0; i < text.locations.size(); ++i) {
      TextLocation& row = text.locations[i];
      if (row.starts_area || plan.areas.empty()) {
        plan.areas.push_back({row.area_title, 0, 0, {}});
      }
      PlannedArea& area = plan.areas.back();
      const Original* original = match[i] ? &originals_[*match[i]] : nullptr;
      const PlannedLocation* neighbour = area.locations.empty() ? nullptr : &area.locations.back();
      area.locations.push_back(Resolve(row, original, neighbour, plan.problems));
    }
    for (PlannedArea& area : plan.areas) {
      if (auto& titles = area_titles_[area.title]; !titles.empty()) {
        area.record = titles.front();
        area.vis_index = set_.Area(area.record)->vis_index;
        titles.erase(titles.begin());
      } else {
        area.vis_index = area.locations.empty() ? 0 : area.locations.front().values.found_vis;
        ++plan.new_areas;
      }
      for (const PlannedLocation& location : area.locations) {
        if (location.record == 0) ++plan.new_locations;
      }
    }
    CheckRoom(plan, text);
    // In the order of the file, as a reader goes through it.
    std::stable_sort(plan.problems.begin(), plan.problems.end(),
                     [](const MenuTextProblem& a, const MenuTextProblem& b) {
                       return a.place.line != b.place.line ? a.place.line < b.place.line
                                                           : a.place.column < b.place.column;
                     });
    return plan;
  }

 private:
  std::vector<std::optional<size_t>> Match(const MenuText& text) {
    std::vector<std::optional<size_t>> match(text.locations.size());
    std::vector<std::string> sources(text.locations.size());
    for (size_t i = 0; i < text.locations.size(); ++i) {
      sources[i] = PathKey(text.locations[i].source);
    }
    auto latitude = [](const TextLocation& row) {
      return row.stored ? MenuValueText(row.fields, MenuValue::kLatitude, false)
                        : std::string(row.texts[0]);
    };
    auto longitude = [](const TextLocation& row) {
      return row.stored ? MenuValueText(row.fields, MenuValue::kLongitude, false)
                        : std::string(row.texts[1]);
    };
    // Whole first, so that Locations of one BGL with the same description are told apart by
    // their positions; then a renamed one by its position, then a moved one by its name.
    for (int pass = 0; pass < 3; ++pass) {
      for (size_t i = 0; i < text.locations.size(); ++i) {
        if (match[i]) continue;
        const TextLocation& row = text.locations[i];
        if (pass == 0) {
          match[i] = whole_.Take(Join({sources[i], row.description, latitude(row), longitude(row)}),
                                 originals_);
        } else if (pass == 1) {
          match[i] = place_.Take(Join({sources[i], latitude(row), longitude(row)}), originals_);
        } else {
          match[i] = named_.Take(Join({sources[i], row.description}), originals_);
        }
      }
    }
    return match;
  }

  PlannedLocation Resolve(const TextLocation& row, const Original* original,
                          const PlannedLocation* neighbour,
                          std::vector<MenuTextProblem>& problems) {
    PlannedLocation planned;
    planned.description = row.description;
    MenuLocation& values = planned.values;
    if (original != nullptr) values = *original->location;
    if (row.stored) {
      LocnFields fields = values.fields;
      fields.latitude = row.fields.latitude;
      fields.longitude = row.fields.longitude;
      fields.altitude = row.fields.altitude;
      fields.heading = row.fields.heading;
      fields.com1 = row.fields.com1;
      fields.nav1 = row.fields.nav1;
      fields.obi1 = row.fields.obi1;
      fields.nav2 = row.fields.nav2;
      fields.obi2 = row.fields.obi2;
      values.fields = fields;
    } else if (!row.incomplete) {
      for (size_t v = 0; v < kMenuValueCount; ++v) {
        auto value = static_cast<MenuValue>(v);
        if (original != nullptr && SameMenuValue(original->location->fields, value, row.texts[v])) {
          continue;
        }
        if (auto wrong = CheckMenuValue(value, row.texts[v])) {
          problems.push_back({row.text_places[v], *wrong, false});
          continue;
        }
        StoreMenuValue(values.fields, value, row.texts[v]);
      }
    }
    int32_t bgl = 0;
    if (!row.source.empty()) {
      auto found = bgl_by_path_.find(PathKey(row.source));
      if (found != bgl_by_path_.end()) bgl = found->second;
    }
    if (original == nullptr || bgl != original->location->bgl_index) {
      // Where the source is in the set, the Location belongs where that BGL was found; a
      // Location without one goes with its neighbour, as a new entry does.
      values.bgl_index = bgl;
      if (bgl != 0) {
        auto found = bgl_found_vis_.find(bgl);
        values.found_vis = found != bgl_found_vis_.end() ? found->second : 0;
        values.scenery_vis = values.found_vis;
      } else if (neighbour != nullptr) {
        values.found_vis = neighbour->values.found_vis;
        values.scenery_vis = neighbour->values.scenery_vis;
      } else {
        values.found_vis = 0;
        values.scenery_vis = 0;
      }
    }
    if (original != nullptr && SameFields(values.fields, original->location->fields) &&
        values.bgl_index == original->location->bgl_index &&
        values.found_vis == original->location->found_vis &&
        values.scenery_vis == original->location->scenery_vis) {
      planned.record = original->record;
    }
    return planned;
  }

  void CheckRoom(MenuImportPlan& plan, const MenuText& text) {
    const TextPlace where = text.locations.empty() ? TextPlace() : text.locations.front().place;
    if (static_cast<size_t>(set_.area_count) + plan.new_areas > kMaxRecordNumber) {
      plan.problems.push_back(
          {where,
           "the menu has no room for " + std::to_string(plan.new_areas) +
               " more Areas (at most 65,535 can be made while the set is open): open the set "
               "again and import into it",
           false});
    }
    if (static_cast<size_t>(set_.location_count) + plan.new_locations > kMaxRecordNumber) {
      plan.problems.push_back(
          {where,
           "the menu has no room for " + std::to_string(plan.new_locations) +
               " more Locations (at most 65,535 can be made while the set is open): open the set "
               "again and import into it",
           false});
    }
  }

  const ScenerySet& set_;
  std::vector<Original> originals_;
  OriginalIndex whole_, place_, named_;
  std::unordered_map<std::string, std::vector<uint32_t>> area_titles_;
  std::unordered_map<std::string, int32_t> bgl_by_path_;
  std::unordered_map<int32_t, int32_t> bgl_found_vis_;
};

}  // namespace

bool MenuImportPlan::HasErrors() const {
  for (const MenuTextProblem& problem : problems) {
    if (!problem.warning) return true;
  }
  return false;
}

MenuImportPlan PlanMenuImport(const ScenerySet& set, const MenuTree& tree, MenuText text) {
  return ImportPlanner(set, tree).Plan(std::move(text));
}

void ReplaceMenu(Session& s, const MenuImportPlan& plan) {
  ScenerySet& set = s.set;
  TreeNode root = s.tree.Root();
  if (plan.HasErrors() || root == nullptr) return;
  s.tree_state.rename_undo.Clear();
  while (TreeNode area = s.tree.FirstChild(root)) RemoveTreeNode(s, area);

  TreeNode after = nullptr;
  size_t locations = 0;
  for (const PlannedArea& planned : plan.areas) {
    uint32_t area_record = planned.record;
    if (area_record == 0) {
      ++set.area_count;
      set.AddArea(planned.vis_index);
      area_record = static_cast<uint32_t>(set.area_count);
    }
    TreeNode area =
        s.tree.Insert(root, after, planned.title, MakeTreeItemData(NodeKind::kArea, area_record));
    if (area == nullptr) continue;
    after = area;
    TreeNode previous = nullptr;
    for (const PlannedLocation& location : planned.locations) {
      uint32_t record = location.record;
      if (record == 0) {
        const MenuLocation& v = location.values;
        ++set.location_count;
        set.AddLocation(v.fields, v.found_vis, v.bgl_index, static_cast<int32_t>(area_record),
                        v.scenery_vis);
        record = static_cast<uint32_t>(set.location_count);
      }
      if (TreeNode node = s.tree.Insert(area, previous, location.description,
                                        MakeTreeItemData(NodeKind::kLocation, record))) {
        previous = node;
        ++locations;
      }
    }
    if (s.options.expand_initially) s.tree.Expand(area, true);
  }
  set.last_area = after;
  // The status bar counts what the tree holds: the records no Area or Location of the tree uses
  // any more count as deleted.
  set.deleted_area_count = set.area_count - static_cast<int32_t>(plan.areas.size());
  set.deleted_location_count = set.location_count - static_cast<int32_t>(locations);
  ShowAreaCount(s);
  ShowLocationCount(s);
  set.results_saved = false;
  s.tree.Expand(root, true);
  s.tree.Select(root);
}

}  // namespace tarnwick
