#include "scenery/menu_paths.h"

#include "scenery/menu_results.h"

namespace tarnwick {

namespace {

// The VIS file's folder with its trailing backslash ("" for a bare name).
std::string_view FolderPrefix(std::string_view vis_path) {
  size_t slash = vis_path.rfind('\\');
  return slash == std::string_view::npos ? std::string_view() : vis_path.substr(0, slash + 1);
}

}  // namespace

std::string VisBaseName(std::string_view vis_path) {
  std::string_view name = vis_path.substr(FolderPrefix(vis_path).size());
  return std::string(name.substr(0, name.find('.')));
}

std::string MenusFolder(std::string_view vis_path) {
  return std::string(FolderPrefix(vis_path)) + "Menus";
}

std::string LogPathFor(std::string_view vis_path) {
  return MenusFolder(vis_path) + "\\" + VisBaseName(vis_path) + "_.log";
}

std::string MenuEntryPathFor(std::string_view vis_path) {
  return MenusFolder(vis_path) + "\\" + VisBaseName(vis_path) + "_MENU.bgl";
}

std::string MenuBglPathFor(std::string_view vis_path) {
  return MenusFolder(vis_path) + "\\Scenery\\" + VisBaseName(vis_path) + "_MENU.bgl";
}

bool BuildMenuPaths(Session& s) {
  const std::string& vis_path = s.set.vis_path;
  // Both levels, so that saving works even where the scan could not make the Menus folder.
  s.fs.MakeFolder(MenusFolder(vis_path));
  s.fs.MakeFolder(MenusFolder(vis_path) + "\\Scenery");
  s.set.menu_bgl_path = MenuBglPathFor(vis_path);
  s.set.menu_entry_path = MenuEntryPathFor(vis_path);
  // Whatever comes next reads or replaces the results: an interrupted job first.
  return PutResultsInOrder(s, s.set.menu_bgl_path);
}

bool PutResultsInOrder(Session& s, const std::string& menu_bgl) {
  const SwitchJobResult recovered = RecoverMenuResults(s.fs, menu_bgl);
  if (recovered.end == SwitchJobEnd::kDone) return true;
  s.host.ShowMessage(recovered.error,
                     "finishing an interrupted job: " + SwitchFailurePhrase(recovered));
  return recovered.undone;
}

}  // namespace tarnwick
