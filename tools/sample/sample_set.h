// A sample scenery set laid out like a simulator install: World.vis in the Scenery folder, area
// folders below it, add-on folders beside it, and BGL files with and without airport menus.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace tarnwick::sample {

// Writes the set into `folder` (the simulator folder, a path the file system opens) and names
// its add-on folders in World.vis by `windows_root`, the path under which the simulator sees
// that folder. False, with `error` set, when a file or folder cannot be written.
bool WriteSampleSet(FileSystem& fs, const std::string& folder, const std::string& windows_root,
                    std::string& error);

}  // namespace tarnwick::sample
