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
  // The VIS file is opened before any menu is switched: when it cannot be written no file
  // changes. It is written last, so that a cancel of the switch (which closes the set and frees
  // its image) leaves it as it was.
  VisFileReplacement file;
  if (!file.Open(s)) return VisCommitResult::kFailed;
  SwitchOriginalMenus(s, false, true);
  if (!s.set.HasImage()) return VisCommitResult::kCancelled;
  if (!StoreVisSelections(s, file)) return VisCommitResult::kFailed;
  s.host.MarkVisSelectionsUnchanged();
  if (s.set.loaded) {
    SaveResults(s, false, false);
    ScanScenerySet(s);
    s.host.CloseProgressBox();
  }
  return VisCommitResult::kWritten;
}

}  // namespace tarnwick
