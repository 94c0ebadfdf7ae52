#include "scenery/scan.h"

#include <memory>

#include "platform/read_ahead_file.h"
#include "scenery/bgl_menu.h"
#include "scenery/close_scenery_set.h"
#include "scenery/expand_all.h"
#include "scenery/insert_tree_item.h"
#include "scenery/menu_paths.h"
#include "scenery/progress_box.h"
#include "scenery/scan_progress.h"
#include "scenery/vis_file.h"

namespace tarnwick {

namespace {

void LogAndShow(Session& s, ProgressLine line, const std::string& log_line) {
  s.log.Write(log_line);
  s.host.SetProgressLine(line, ProgressText(log_line));
}

// Reads the menu of one BGL found by the scan. False when the file gave no header, so that the
// caller only yields after files that were really read.
bool ReadOneBgl(Session& s, const std::string& path, int entry) {
  std::unique_ptr<File> opened = s.fs.Open(path, OpenMode::kRead);
  if (!opened) return false;
  ReadAheadFile file(*opened);
  uint8_t bytes[kBglHeaderSize];
  uint32_t got = 0;
  if (!file.Read(bytes, kBglHeaderSize, got) || got != kBglHeaderSize) return false;
  BglHeader header = ParseBglHeader(bytes);
  if (header.menu_offset != 0 && file.Seek(header.menu_offset)) {
    ReadBglMenu(s, file, header, path, entry);
  }
  return true;
}

// Record numbers ran out: say once what the menu lacks.
void ReportLeftOut(Session& s) {
  if (s.set.areas_left_out == 0 && s.set.locations_left_out == 0) return;
  s.host.ShowMessage(0, "reading menus: the menu is too large, " +
                            std::to_string(s.set.areas_left_out) + " Areas and " +
                            std::to_string(s.set.locations_left_out) + " Locations were left out!");
}

}  // namespace

std::string FoundFilePath(std::string_view pattern, std::string_view name) {
  size_t slash = pattern.rfind('\\');
  std::string path(slash == std::string_view::npos ? std::string_view()
                                                   : pattern.substr(0, slash + 1));
  path += name;
  return path;
}

bool ScanScenerySet(Session& s) {
  OpenVisProgressBox(s.host, "Please wait whilst VIS file '%s' is being processed.",
                     s.set.vis_path);
  CloseScenerySet(s, false);

  const std::string& vis_path = s.set.vis_path;
  std::string_view name = vis_path;
  if (size_t slash = name.rfind('\\'); slash != std::string_view::npos)
    name.remove_prefix(slash + 1);
  s.set.tree_root = InsertTreeItem(s, nullptr, nullptr, name, NodeKind::kRoot, 0);
  if (!KeepGoing(s.host)) return false;

  s.fs.MakeFolder(MenusFolder(vis_path));
  s.set.log_path = LogPathFor(vis_path);
  if (s.options.logging) {
    s.log.Close();
    s.log.Create(s.fs, s.set.log_path);
  }

  // A save or a switch stopped half-way is put right before any menu is read, so that no
  // Location is read twice or missed.
  PutResultsInOrder(s, MenuBglPathFor(vis_path));
  if (!ReadVisFile(s)) return false;
  s.set.loaded = true;

  for (int i = 0; i < s.set.vis_count; ++i) {
    const VisEntry& entry = s.set.vis_entries[static_cast<size_t>(i)];
    if (s.set.StoredFlags(entry) & 1) {
      std::string pattern = SearchPattern(s.set, s.set.EntryPath(entry));
      LogAndShow(s, ProgressLine::kStep, "VIS path being searched: " + pattern + "\n");
      const std::vector<std::string> names =
          pattern.empty() ? std::vector<std::string>() : s.fs.FindFiles(pattern);
      for (const std::string& file_name : names) {
        std::string path = FoundFilePath(pattern, file_name);
        ++s.set.checked_bgl_count;
        s.host.SetStatusCount(StatusPart::kBgls, s.set.checked_bgl_count);
        LogAndShow(s, ProgressLine::kFile, "Checking BGL: " + path + "\n");
        // The file is closed before yielding: Cancel may close the set meanwhile.
        if (ReadOneBgl(s, path, i) && !KeepGoing(s.host)) return false;
      }
    }
    ReportScanProgress(s, i);
  }

  // Each file closed its own Areas; the tree as a whole is closed once here.
  if (!s.options.expand_initially && s.set.MenuPresent()) ExpandAll(s, false);
  if (s.set.tree_root != nullptr) s.tree.EnsureVisible(s.set.tree_root);
  s.set.results_saved = false;
  BuildMenuPaths(s);
  s.set.prev_exists = s.fs.IsWritable(PreviousCopyPath(s.set));
  ReportLeftOut(s);
  return true;
}

}  // namespace tarnwick
