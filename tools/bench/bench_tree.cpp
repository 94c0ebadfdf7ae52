// tarnwick-bench tree: the tree rules that walk every node, on memory trees of the largest menu
// the item data can address (65,535 Locations in 2,000 Areas) and of a quarter of it. Each figure
// is the median of several runs; the ratio of the two sizes shows whether the cost grows linearly.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bench_commands.h"
#include "bench_host.h"
#include "scenery/memory_menu_tree.h"
#include "scenery/session.h"
#include "tree/drag_drop.h"
#include "tree/search.h"
#include "tree/tree_edits.h"
#include "tree/tree_selection.h"

namespace tarnwick::bench {

namespace {

constexpr int kRuns = 15;

// A small deterministic generator, so that every run measures the same trees.
class Lcg {
 public:
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state_ >> 33);
  }

 private:
  uint64_t state_ = 0x5eed;
};

std::string RandomLabel(Lcg& rng, const char* prefix) {
  static const char* const kWords[] = {"Field", "Strip", "Intl",  "Muni",  "County",   "Regional",
                                       "Park",  "Lake",  "North", "South", "Air Base", "Heliport"};
  char number[16];
  std::snprintf(number, sizeof number, " %05u ", rng.Next() % 100000);
  return std::string(prefix) + number + kWords[rng.Next() % 12] + " " + kWords[rng.Next() % 12];
}

struct BenchTree {
  ScenerySet set;
  MemoryMenuTree tree;
  std::unique_ptr<FileSystem> fs = MakeNativeFileSystem();
  QuietHost host;
  Options options;
  LogFile log;
  TreeState tree_state;
  Session session{set, tree, *fs, host, options, log, tree_state};
  KeyState keys;
  std::vector<TreeNode> locations;  // in tree order
  Lcg rng;

  BenchTree(int location_count, int area_count) {
    tree.on_selection_changed = [this](TreeNode old_node, TreeNode new_node) {
      OnTreeSelectionChanged(session, old_node, new_node, keys);
    };
    TreeNode root =
        tree.Insert(nullptr, nullptr, "World.vis", MakeTreeItemData(NodeKind::kRoot, 0));
    tree.Expand(root, true);
    set.tree_root = root;
    set.loaded = true;
    TreeNode previous_area = nullptr;
    for (int a = 0; a < area_count; ++a) {
      ++set.area_count;
      set.AddArea(1);
      TreeNode area = tree.Insert(root, previous_area, RandomLabel(rng, "Area"),
                                  MakeTreeItemData(NodeKind::kArea, set.area_count));
      tree.Expand(area, true);
      previous_area = area;
      set.last_area = area;
      // Spread the Locations evenly; the first Areas take the remainder.
      int here = location_count / area_count + (a < location_count % area_count ? 1 : 0);
      TreeNode previous = nullptr;
      for (int l = 0; l < here; ++l) {
        ++set.location_count;
        set.AddLocation(LocnFields{}, 1, 1, set.area_count, 1);
        previous = tree.Insert(area, previous, RandomLabel(rng, "Locn"),
                               MakeTreeItemData(NodeKind::kLocation, set.location_count));
        locations.push_back(previous);
      }
    }
  }

  void Select(TreeNode node, KeyState held) {
    keys = held;
    tree.Select(node);
    keys = {};
  }
  void Relabel() {
    for (TreeNode l : locations) tree.SetLabel(l, RandomLabel(rng, "Locn"));
  }
};

// Processor time of this process, so that other work on a shared machine counts less.
double CpuMs() {
  return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Runs `prepare` (not timed) and `measure` (timed) kRuns times; the median in milliseconds.
double MedianMs(const std::function<void()>& prepare, const std::function<void()>& measure) {
  std::vector<double> ms;
  for (int i = 0; i < kRuns; ++i) {
    prepare();
    double start = CpuMs();
    measure();
    ms.push_back(CpuMs() - start);
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

struct Figures {
  size_t nodes = 0;
  double select = 0, shift_select = 0, find_wrap = 0, sort = 0;
  // The edits a user makes one at a time, each with its undo history: the median of runs that
  // each make the edit and take it back.
  double delete_location = 0, undo_delete = 0, new_location = 0, drop_area = 0, undo_drop = 0;
};

// Times `edit` and then its undo, kRuns times; the medians.
std::pair<double, double> EditAndUndoMs(BenchTree& b, const std::function<void(int)>& edit) {
  std::vector<double> made, undone;
  for (int i = 0; i < kRuns; ++i) {
    double start = CpuMs();
    edit(i);
    made.push_back(CpuMs() - start);
    start = CpuMs();
    if (!b.tree_state.history.Undo(b.session)) std::fprintf(stderr, "tree: nothing to undo\n");
    undone.push_back(CpuMs() - start);
  }
  std::sort(made.begin(), made.end());
  std::sort(undone.begin(), undone.end());
  return {made[made.size() / 2], undone[undone.size() / 2]};
}

Figures Measure(int location_count, int area_count) {
  BenchTree b(location_count, area_count);
  Figures f;
  f.nodes = b.tree.Count();
  TreeNode first = b.locations.front();
  TreeNode second = b.locations[1];
  TreeNode middle = b.locations[b.locations.size() / 2];
  TreeNode last = b.locations.back();

  f.select = MedianMs([&] { b.Select(first, {}); }, [&] { b.Select(middle, {}); });
  f.shift_select = MedianMs([&] { b.Select(first, {}); }, [&] { b.Select(last, {true, false}); });

  // The only full match sits just before the selection: the step walks the whole tree and wraps
  // round to it. Partial matching (the default) makes every label count.
  b.tree.SetLabel(first, "Heathrow Airport");
  b.tree_state.search.text = "Heathrow Airport";
  f.find_wrap = MedianMs(
      [&] {
        b.Select(second, {});
        ResetSearchPosition(b.tree_state.search);
      },
      [&] { FindNext(b.session); });
  if (b.tree.Selected() != first) std::fprintf(stderr, "tree: Find next missed its match\n");

  f.sort = MedianMs([&] { b.Relabel(); }, [&] { SortEntries(b.session, SortWhich::kLocations); });

  // Undone after each run, so every run finds the tree as built (its nodes made anew).
  auto nth_location = [&b](int i) {
    TreeNode area = b.tree.FirstChild(b.tree.Root());
    for (int a = 0; a < 1000 + i && b.tree.Next(area) != nullptr; ++a) area = b.tree.Next(area);
    return b.tree.FirstChild(area);
  };
  std::tie(f.delete_location, f.undo_delete) = EditAndUndoMs(b, [&](int i) {
    b.Select(nth_location(i), {});
    DeleteEntry(b.session, EntryKind::kLocation);
  });
  f.new_location = EditAndUndoMs(b, [&](int i) {
                     b.Select(nth_location(i), {});
                     NewEntry(b.session, EntryKind::kLocation);
                   }).first;
  std::tie(f.drop_area, f.undo_drop) = EditAndUndoMs(b, [&](int i) {
    TreeNode dragged = b.tree.Parent(nth_location(i));
    BeginItemDrag(b.session, dragged);
    DropItem(b.session, b.tree.Parent(nth_location(i + 40)), false);
  });
  return f;
}

void Print(const char* name, double value, const char* unit) {
  std::printf("%s: %.3f %s\n", name, value, unit);
}

}  // namespace

int RunTreeBench(int, char**) {
  Figures full = Measure(65535, 2000);
  Figures quarter = Measure(65535 / 4 + 1, 500);
  std::printf("tree_nodes_full: %zu nodes\n", full.nodes);
  std::printf("tree_nodes_quarter: %zu nodes\n", quarter.nodes);
  Print("tree_select_full", full.select, "ms");
  Print("tree_select_quarter", quarter.select, "ms");
  Print("tree_shift_select_full", full.shift_select, "ms");
  Print("tree_shift_select_quarter", quarter.shift_select, "ms");
  Print("tree_find_next_wrap_full", full.find_wrap, "ms");
  Print("tree_find_next_wrap_quarter", quarter.find_wrap, "ms");
  Print("tree_sort_locations_full", full.sort, "ms");
  Print("tree_sort_locations_quarter", quarter.sort, "ms");
  // Linear cost gives ratios near the ratio of the node counts.
  Print("tree_node_ratio", static_cast<double>(full.nodes) / quarter.nodes, "x");
  Print("tree_select_ratio", full.select / quarter.select, "x");
  Print("tree_shift_select_ratio", full.shift_select / quarter.shift_select, "x");
  Print("tree_find_next_wrap_ratio", full.find_wrap / quarter.find_wrap, "x");
  Print("tree_sort_locations_ratio", full.sort / quarter.sort, "x");
  Print("tree_delete_location_full", full.delete_location, "ms");
  Print("tree_undo_delete_location_full", full.undo_delete, "ms");
  Print("tree_new_location_full", full.new_location, "ms");
  Print("tree_drop_area_full", full.drop_area, "ms");
  Print("tree_undo_drop_area_full", full.undo_drop, "ms");
  return 0;
}

}  // namespace tarnwick::bench
