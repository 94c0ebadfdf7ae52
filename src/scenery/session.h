// The references every core operation works with: the open set, the tree, the ports, the options,
// the log and the tree pane's state. One per program, passed by reference.
#pragma once

#include "platform/file_system.h"
#include "platform/host.h"
#include "platform/menu_tree.h"
#include "scenery/log_file.h"
#include "scenery/options.h"
#include "scenery/scenery_set.h"
#include "scenery/tree_state.h"

namespace tarnwick {

struct Session {
  ScenerySet& set;
  MenuTree& tree;
  FileSystem& fs;
  Host& host;
  Options& options;
  LogFile& log;
  TreeState& tree_state;
};

}  // namespace tarnwick
