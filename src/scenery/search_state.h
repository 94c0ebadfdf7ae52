// Where the text search stands: the text, the best match of the step under way and where the next
// step starts. Kept for the whole run of the program; the text outlives every scenery set.
#pragma once

#include <optional>
#include <string>

#include "platform/menu_tree.h"

namespace tarnwick {

struct SearchState {
  std::optional<std::string> text;  // none until the first search
  int text_length = 0;              // taken at each step
  int best_length = 0;              // leading characters of the text matched by best_item
  TreeNode best_item = nullptr;
  TreeNode start_item = nullptr;  // none: the next step starts at the tree's selection
  // True while a step runs: selecting the item found re-enters the selection-change handling,
  // which must then leave this state alone.
  bool searching = false;
};

}  // namespace tarnwick
