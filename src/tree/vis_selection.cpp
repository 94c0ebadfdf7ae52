#include "tree/vis_selection.h"

namespace tarnwick {

VisToggleResult ToggleVisSelection(ScenerySet& set, int number) {
  VisEntry* entry = set.Vis(number);
  if (entry == nullptr) return VisToggleResult::kNoEntry;
  if (entry->working_flags & kVisProtectedFlag) return VisToggleResult::kProtected;
  entry->working_flags ^= kVisActiveFlag;
  return VisToggleResult::kSwitched;
}

}  // namespace tarnwick
