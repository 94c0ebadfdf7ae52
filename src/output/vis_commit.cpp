#include "output/vis_commit.h"

#include "output/original_menus.h"
#include "output/save_results.h"
#include "scenery/scan.h"
#include "scenery/vis_file.h"

namespace tarnwick {

bool VisSelectionsChanged(const ScenerySet& set) {
  for (const VisEntry& entry : set.vis_entries) {
    if (entry.working_flags != set.StoredFlags(entry)) return true;
  }
  return false;
}

std::string_view VisCommitQuestion(const ScenerySet& set) {
  return set.loaded ? "Do you want to save current VIS and Menu data?"
                    : "Do you want to save the VIS file changes?";
}

void RevertVisSelections(Session& s) {
  for (VisEntry& entry : s.set.vis_entries) entry.working_flags = s.set.StoredFlags(entry);
  s.host.MarkVisSelectionsUnchanged();
}

VisCommitResult CommitVisSelections(Session& s) {
  if (!s.set.HasImage()) return VisCommitResult::kFailed;
  // The entries to switch are those the file does not hold yet: found before it is written.
  const std::vector<int32_t> entries = EntriesToSwitch(s.set, true);
  // Copies: a cancel of the switch closes the set and frees its image.
  const VisImage before = s.set.image;
  const std::string vis_path = s.set.vis_path;
  // The VIS file is complete in its place before any menu is switched: a failure on the way
  // changes no BGL.
  if (!StoreVisSelections(s)) return VisCommitResult::kFailed;
  const MenuSwitchOutcome switched = SwitchMenusOf(s, false, true, entries);
  if (switched.end != SwitchJobEnd::kDone) {
    // The menus are as they were: so is the VIS file, and the selections wait to be committed
    // again.
    if (uint32_t error = PutVisFileBack(s.fs, vis_path, before); error != 0) {
      s.host.ShowMessage(error, "putting back VIS file!");
    }
    if (switched.end == SwitchJobEnd::kStopped || !s.set.HasImage()) {
      return VisCommitResult::kCancelled;
    }
    s.set.image = before;
    return VisCommitResult::kFailed;
  }
  s.host.MarkVisSelectionsUnchanged();
  if (s.set.loaded) {
    SaveResults(s, false, false);
    ScanScenerySet(s);
    s.host.CloseProgressBox();
  }
  return VisCommitResult::kWritten;
}

}  // namespace tarnwick
