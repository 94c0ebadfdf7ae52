// The VIS scenery control file: reading it into the model, turning an entry's path into its BGL
// search pattern, appending the generated menu's entry, and writing the image back.
#pragma once

#include <string>
#include <string_view>

#include "scenery/session.h"

namespace tarnwick {

// Reads the file at s.set.vis_path into the image and the VisEntry table, hands the rows of the
// VIS selections pane to the host and logs each entry. The caller has closed any earlier set.
// A file that cannot be read or indexed is reported through ShowMessage; it then returns false
// and no image or entry table is left behind.
bool ReadVisFile(Session& s);

// An entry's path turned into its search pattern (at most 259 characters), for example
// "=:\=\Scenery\area1\*.bgl" with host root "C:\FS98" -> "C:\FS98\Scenery\Area1\Scenery\*.bgl".
std::string ExpandVisPath(std::string_view host_root, std::string_view entry_path);

// Adds (or re-activates) the generated menu's entry at the end of the entry list; true when the
// image changed.
bool AppendMenuEntry(ScenerySet& set);

// Writes the image to s.set.vis_path, complete or not at all (a temporary file in the same folder
// replaces the VIS file once written). Failures are reported through ShowMessage.
bool WriteVisImage(Session& s);

// Copies the working flags of changed entries into the image and writes it (the file part of
// committing changed VIS selections).
bool StoreVisSelections(Session& s);

}  // namespace tarnwick
