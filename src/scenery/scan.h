// The scan: turns the VIS file at VisPath into a loaded scenery set by reading the menu records
// of every BGL file in the folders of the active VIS entries.
#pragma once

#include <string>
#include <string_view>

#include "scenery/session.h"

namespace tarnwick {

// The whole scan, behind the progress box it opens (the caller closes it). True when every entry
// was visited and the set is loaded; false when the VIS file could not be read or the scan was
// stopped (the progress box's Cancel closes the set itself; nothing of the model is touched after).
bool ScanScenerySet(Session& s);

// The full path of a file found by a search pattern: the pattern's folder, then the name.
std::string FoundFilePath(std::string_view pattern, std::string_view name);

}  // namespace tarnwick
