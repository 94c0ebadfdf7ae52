// tarnwick-bench check: the menu check on memory trees of 60,000 Locations in 2,000 Areas, with
// the Locations spread over the world, gathered in one region of 50 km, and all at one spot; and
// the fingerprint the check list compares twice a second. Each figure is the median of several
// runs.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "bench_commands.h"
#include "scenery/memory_menu_tree.h"
#include "scenery/scenery_set.h"
#include "tree/menu_check.h"

namespace tarnwick::bench {

namespace {

constexpr int kRuns = 7;
constexpr int kLocations = 60000;
constexpr int kAreas = 2000;

class Lcg {
 public:
  uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state_ >> 33);
  }

 private:
  uint64_t state_ = 0xc4ec;
};

enum class Spread { kWorld, kRegion, kOneSpot };

struct CheckTree {
  ScenerySet set;
  MemoryMenuTree tree;

  explicit CheckTree(Spread spread) {
    Lcg rng;
    TreeNode root =
        tree.Insert(nullptr, nullptr, "World.vis", MakeTreeItemData(NodeKind::kRoot, 0));
    set.tree_root = root;
    TreeNode area = nullptr;
    TreeNode previous = nullptr;
    for (int i = 0; i < kLocations; ++i) {
      if (i % (kLocations / kAreas) == 0) {
        ++set.area_count;
        set.AddArea(1);
        // Some titles repeat and some are long, as in a real collection.
        std::string title = "Area " + std::to_string(rng.Next() % 1900);
        if (rng.Next() % 10 == 0) title += " International Airport";
        area = tree.Insert(root, area, title, MakeTreeItemData(NodeKind::kArea, set.area_count));
        previous = nullptr;
      }
      LocnFields f;
      switch (spread) {
        case Spread::kWorld:
          f.latitude = static_cast<int32_t>(rng.Next() % 2000000000u) - 1000000000;
          f.longitude = static_cast<int32_t>(rng.Next());
          break;
        case Spread::kRegion:
          // About 50 km square: 6,400,000 latitude units, and the same in longitude at 51 N.
          f.latitude = 725000000 + static_cast<int32_t>(rng.Next() % 6400000u);
          f.longitude = static_cast<int32_t>(rng.Next() % 8500000u);
          break;
        case Spread::kOneSpot:
          break;
      }
      f.heading = static_cast<uint16_t>(rng.Next());
      f.com1 = rng.Next() % 50 == 0 ? 0x1000 : 0x2250;
      ++set.location_count;
      set.AddLocation(f, 1, 1, set.area_count, 0);
      previous = tree.Insert(area, previous, "Location " + std::to_string(rng.Next() % 5000),
                             MakeTreeItemData(NodeKind::kLocation, set.location_count));
    }
  }
};

double NowMs() {
  timespec now = {};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

template <typename Fn>
double MedianMs(Fn fn) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const double start = NowMs();
    fn();
    times.push_back(NowMs() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int RunCheckBench(int, char**) {
  const struct {
    const char* name;
    Spread spread;
  } cases[] = {
      {"world", Spread::kWorld}, {"region", Spread::kRegion}, {"one_spot", Spread::kOneSpot}};
  for (const auto& c : cases) {
    CheckTree t(c.spread);
    size_t problems = 0;
    const double check = MedianMs([&] { problems = CheckMenu(t.tree, t.set).size(); });
    const double fingerprint = MedianMs([&] { (void)MenuCheckFingerprint(t.tree, t.set); });
    std::printf("check_%s_60000: %.3f ms (%zu problems)\n", c.name, check, problems);
    std::printf("fingerprint_%s_60000: %.3f ms\n", c.name, fingerprint);
  }
  return 0;
}

}  // namespace tarnwick::bench
