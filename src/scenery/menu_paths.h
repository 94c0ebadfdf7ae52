// The paths of the set's own files, derived from the VIS file's path: the Menus folder beside the
// VIS file, the scan's log, the generated menu BGL (in the Menus folder's Scenery folder, where the
// path rule of the VIS file looks for it), the path its VIS entry names, and its previous copy.
#pragma once

#include <string>
#include <string_view>

#include "scenery/menu_results.h"
#include "scenery/session.h"

namespace tarnwick {

// The VIS file's name up to its first full stop; the whole name when it has none.
std::string VisBaseName(std::string_view vis_path);
// "...\Scenery\Menus" for "...\Scenery\World.vis".
std::string MenusFolder(std::string_view vis_path);
// "...\Menus\World_.log".
std::string LogPathFor(std::string_view vis_path);
// "...\Menus\World_MENU.bgl": the path written into the generated menu's VIS entry.
std::string MenuEntryPathFor(std::string_view vis_path);
// "...\Menus\Scenery\World_MENU.bgl": the generated menu BGL itself.
std::string MenuBglPathFor(std::string_view vis_path);

// The previous-results copy of the generated menu BGL.
inline std::string PreviousCopyPath(const ScenerySet& set) {
  return PreviousCopyOf(set.menu_bgl_path);
}

// Sets MenuEntryPath and MenuBglPath, makes sure the folder of the menu BGL exists (a folder that
// cannot be made is not reported: writing into it fails later and says so), and finishes or
// undoes a save, a menu switch or an exchange of the results that was interrupted; one that can
// be neither is reported. False while the record of an interrupted switch still waits: no new job
// may start before it is put right.
bool BuildMenuPaths(Session& s);

// The part of BuildMenuPaths that puts the results of `menu_bgl` in order, for a job that must do
// so before the paths of its set are known.
bool PutResultsInOrder(Session& s, const std::string& menu_bgl);

}  // namespace tarnwick
