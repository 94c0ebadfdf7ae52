// Switching a VIS entry on or off in the VIS selections pane: only the user's working copy of its
// flags changes, and never for an entry the VIS file marks as protected.
#pragma once

#include "scenery/scenery_set.h"

namespace tarnwick {

constexpr uint8_t kVisActiveFlag = 1;
constexpr uint8_t kVisProtectedFlag = 2;

enum class VisToggleResult {
  kNoEntry,    // no entry has that number
  kProtected,  // the entry cannot be switched; nothing changed
  kSwitched,   // the working flags' active bit was inverted
};

VisToggleResult ToggleVisSelection(ScenerySet& set, int number);

}  // namespace tarnwick
