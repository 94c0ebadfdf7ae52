#include "tree/vis_commit_losses.h"

#include <string_view>
#include <vector>

#include "output/path_compare.h"
#include "output/vis_commit.h"

namespace tarnwick {

namespace {

// The generated menu's scenery list keeps this much of an entry's path; the scan after the
// commit looks the kept path up among the active entries.
constexpr size_t kListedPathLength = 255;

bool ActiveWithPath(const ScenerySet& set, std::string_view path, bool working) {
  for (const VisEntry& entry : set.vis_entries) {
    uint8_t flags = working ? entry.working_flags : set.StoredFlags(entry);
    if ((flags & 1) != 0 && SamePath(set.EntryPath(entry), path)) return true;
  }
  return false;
}

// For each VIS entry (by number less one): whether the Locations it is the scenery of drop out
// through this commit.
std::vector<bool> DroppingEntries(const ScenerySet& set) {
  std::vector<bool> drops(set.vis_entries.size(), false);
  if (!set.HasImage()) return drops;
  for (size_t i = 0; i < set.vis_entries.size(); ++i) {
    std::string_view path =
        std::string_view(set.EntryPath(set.vis_entries[i])).substr(0, kListedPathLength);
    drops[i] = ActiveWithPath(set, path, /*working=*/false) &&
               !ActiveWithPath(set, path, /*working=*/true);
  }
  return drops;
}

bool Dropping(const std::vector<bool>& drops, int32_t number) {
  return number >= 1 && static_cast<size_t>(number) <= drops.size() && drops[number - 1];
}

std::string Counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

VisCommitLosses CountVisCommitLosses(const ScenerySet& set, const MenuTree& tree) {
  VisCommitLosses losses;
  TreeNode root = tree.Root();
  if (!set.loaded || root == nullptr) return losses;
  const std::vector<bool> drops = DroppingEntries(set);
  for (TreeNode area = tree.FirstChild(root); area != nullptr; area = tree.Next(area)) {
    int kept = 0;
    int dropped = 0;
    for (TreeNode node = tree.FirstChild(area); node != nullptr; node = tree.Next(node)) {
      const MenuLocation* location = set.Location(RecordOf(tree.Data(node)));
      // A Location made here without a scenery area (number 0) is kept by every scan.
      if (location != nullptr && Dropping(drops, location->scenery_vis)) {
        ++dropped;
      } else {
        ++kept;
      }
    }
    losses.locations += dropped;
    // An Area of a switched-off area's own menu comes back with it; any other that empties (made
    // by the user, or read from the generated menu) is gone for good.
    const MenuArea* record = set.Area(RecordOf(tree.Data(area)));
    if (dropped > 0 && kept == 0 && !(record != nullptr && Dropping(drops, record->vis_index))) {
      ++losses.areas_made_here;
    }
  }
  return losses;
}

std::string VisCommitQuestionText(const ScenerySet& set, const MenuTree& tree) {
  std::string question(VisCommitQuestion(set));
  VisCommitLosses losses = CountVisCommitLosses(set, tree);
  if (losses.locations == 0) return question;
  std::string text =
      "The scenery areas switched off take " + Counted(losses.locations, "Location", "Locations");
  if (losses.areas_made_here > 0) {
    text += " (and " + Counted(losses.areas_made_here, "Area", "Areas") + " made here)";
  }
  text +=
      " out of the menu. Switching an area on again later brings back its original menu, not "
      "the edited one.\n\n";
  return text + question;
}

}  // namespace tarnwick
