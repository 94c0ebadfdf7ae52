// tarnwick-cli menu: scans a scenery set and prints its menu as the program shows it.
#include <cstdio>
#include <string>

#include "cli/json_writer.h"
#include "cli/locn_fields_json.h"
#include "cli/scenery_job.h"

namespace tarnwick::cli {
namespace {

constexpr char kName[] = "menu";
constexpr char kUsage[] = "menu FILE.vis [--json] [--summary] [--log] [--drive X=DIR]...";
constexpr char kHelp[] =
    "Scans the scenery set of a VIS file as the program does and prints its menu: each Area\n"
    "with its Locations, the BGL and VIS entry each came from, and the five status counts.\n\n"
    "  FILE.vis       the VIS file, by its host path or its Windows path (C:\\...)\n"
    "  --json         one JSON object instead of text\n"
    "  --summary      the counts and the menu BGLs only\n"
    "  --log          write the scan's log file into the Menus folder\n"
    "  --drive X=DIR  drive X: is the host folder DIR; may be repeated\n";

struct Count {
  const char* label;  // as the status bar shows it
  const char* key;
  StatusPart part;
};
constexpr Count kCounts[] = {
    {"Areas: ", "areas", StatusPart::kAreas}, {"Locns: ", "locns", StatusPart::kLocns},
    {"Menus: ", "menus", StatusPart::kMenus}, {"BGLs:  ", "bgls", StatusPart::kBgls},
    {" VIS:  ", "vis", StatusPart::kVis},
};

// Calls `area(node, record)` for each Area and `location(node, record)` for its Locations, in the
// order of the tree.
template <typename OnArea, typename OnLocation, typename OnAreaEnd>
void WalkMenu(MenuTree& tree, OnArea on_area, OnLocation on_location, OnAreaEnd on_area_end) {
  TreeNode root = tree.Root();
  if (root == nullptr) return;
  for (TreeNode area = tree.FirstChild(root); area != nullptr; area = tree.Next(area)) {
    on_area(area, RecordOf(tree.Data(area)));
    for (TreeNode locn = tree.FirstChild(area); locn != nullptr; locn = tree.Next(locn)) {
      on_location(locn, RecordOf(tree.Data(locn)));
    }
    on_area_end();
  }
}

void PrintJson(SceneryJob& job, bool summary) {
  ScenerySet& set = job.set();
  MenuTree& tree = job.tree();
  std::string out;
  JsonWriter json(out);
  json.BeginObject().Key("vis").String(set.vis_path).Key("counts").BeginObject();
  for (const Count& count : kCounts) json.Key(count.key).Number(job.host().status(count.part));
  json.EndObject().Key("menuBgls").BeginArray();
  for (int32_t i = 1; i <= set.bgl_count; ++i) json.String(set.Bgl(i)->path);
  json.EndArray();
  if (!summary) {
    json.Key("areas").BeginArray();
    WalkMenu(
        tree,
        [&](TreeNode node, uint32_t number) {
          const MenuArea* area = set.Area(number);
          json.BeginObject()
              .Key("number")
              .Number(number)
              .Key("title")
              .String(tree.Label(node))
              .Key("visIndex")
              .Number(area ? area->vis_index : 0)
              .Key("locations")
              .BeginArray();
        },
        [&](TreeNode node, uint32_t number) {
          const MenuLocation* location = set.Location(number);
          if (location == nullptr) return;
          const LocnFields& f = location->fields;
          json.BeginObject()
              .Key("number")
              .Number(number)
              .Key("description")
              .String(tree.Label(node));
          json.Key("bgl");
          if (const MenuBgl* bgl = set.Bgl(location->bgl_index)) {
            json.String(bgl->path);
          } else {
            json.Null();
          }
          json.Key("bglIndex")
              .Number(location->bgl_index)
              .Key("foundVis")
              .Number(location->found_vis)
              .Key("sceneryVis")
              .Number(location->scenery_vis);
          WriteLocnFields(json, f).EndObject();
        },
        [&] { json.EndArray().EndObject(); });
    json.EndArray();
  }
  json.EndObject();
  std::printf("%s\n", out.c_str());
}

void PrintText(SceneryJob& job, bool summary) {
  ScenerySet& set = job.set();
  MenuTree& tree = job.tree();
  std::printf("VIS file: %s\n", set.vis_path.c_str());
  for (const Count& count : kCounts) {
    std::printf("%s%lld%s", count.label, static_cast<long long>(job.host().status(count.part)),
                count.part == StatusPart::kVis ? "\n" : "   ");
  }
  if (set.bgl_count > 0) std::printf("\nMenu BGLs:\n");
  for (int32_t i = 1; i <= set.bgl_count; ++i) {
    std::printf("%5d  %s\n", static_cast<int>(i), set.Bgl(i)->path.c_str());
  }
  if (summary) return;
  WalkMenu(
      tree,
      [&](TreeNode node, uint32_t number) {
        const MenuArea* area = set.Area(number);
        std::printf("\nArea %u: %s  (VIS entry %d)\n", number, tree.Label(node).c_str(),
                    area ? static_cast<int>(area->vis_index) : 0);
      },
      [&](TreeNode node, uint32_t number) {
        const MenuLocation* location = set.Location(number);
        if (location == nullptr) return;
        std::printf("  Location %u: %s  (BGL %d, VIS entry %d)\n", number, tree.Label(node).c_str(),
                    static_cast<int>(location->bgl_index), static_cast<int>(location->scenery_vis));
      },
      [] {});
}

int RunMenu(const Args& args) {
  JobLine line;
  if (int code = ParseJobLine(kName, kUsage, kHelp, args, {"--json", "--summary"}, 0, line);
      code >= 0) {
    return code;
  }
  SceneryJob job(line, CliHost::Answer::kNo);
  if (!job.Locate(kName) || !job.Scan()) return 1;
  bool summary = line.flags.count("--summary") != 0;
  if (line.flags.count("--json") != 0) {
    PrintJson(job, summary);
  } else {
    PrintText(job, summary);
  }
  return 0;
}

}  // namespace

extern const Command kMenuCommand = {kName, kUsage, RunMenu};

}  // namespace tarnwick::cli
