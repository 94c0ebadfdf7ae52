#include "output/original_menus.h"

#include <string>
#include <vector>

#include "scenery/bgl_menu.h"
#include "scenery/close_scenery_set.h"
#include "scenery/progress_box.h"
#include "scenery/scan.h"
#include "scenery/vis_file.h"

namespace tarnwick {

namespace {

void LogAndShow(Session& s, ProgressLine line, const std::string& log_line) {
  s.log.Write(log_line);
  s.host.SetProgressLine(line, ProgressText(log_line));
}

bool Selected(const ScenerySet& set, const VisEntry& entry, bool changed_only) {
  uint8_t stored = set.StoredFlags(entry);
  return changed_only ? entry.working_flags != stored : (stored & 1) != 0;
}

}  // namespace

int SwitchOriginalMenus(Session& s, bool disable, bool changed_only) {
  std::string start = std::string(disable ? "Dis" : "En") + "abling Menus according to " +
                      (changed_only ? "Changed" : "Active") + " VIS entries\n";
  s.log.Write(start);
  s.host.OpenProgressBox(ProgressText(start));

  int written = 0;
  // A generated menu is switched the other way; the flag records that it is now off.
  auto choose = [&s, disable](const BglHeader& header) -> int {
    if (header.Generated()) {
      int byte = disable ? 1 : 0;
      s.set.generated_menu_off = byte == 0;
      return byte;
    }
    return disable ? 0 : 1;
  };

  bool going = KeepGoing(s.host);
  for (int32_t i = 1; going && i <= s.set.vis_count; ++i) {
    const VisEntry& entry = *s.set.Vis(i);
    if (!Selected(s.set, entry, changed_only)) continue;
    std::string pattern = SearchPattern(s.set, s.set.EntryPath(entry));
    LogAndShow(s, ProgressLine::kStep, "VIS path being searched: " + pattern + "\n");
    const std::vector<std::string> names =
        pattern.empty() ? std::vector<std::string>() : s.fs.FindFiles(pattern);
    for (const std::string& name : names) {
      std::string path = FoundFilePath(pattern, name);
      LogAndShow(s, ProgressLine::kFile, "Checking BGL: " + path + "\n");
      if (SwitchMenu(s.fs, path, choose)) ++written;
      // Cancel closes the set: nothing of it may be read after a stop.
      if (!KeepGoing(s.host)) {
        going = false;
        break;
      }
    }
    if (s.host.GetBusyState() != BusyState::kBusy) going = false;
  }

  s.host.CloseProgressBox();
  return written;
}

bool FinishMenuSwitch(Session& s) {
  if (!s.set.loaded) {
    CloseScenerySet(s, false);
    return false;
  }
  bool scanned = ScanScenerySet(s);
  s.host.CloseProgressBox();
  return scanned;
}

std::optional<int> RunOriginalMenusCommand(Session& s, bool disable) {
  if (!s.set.loaded) {
    CloseScenerySet(s, false);
    std::optional<std::string> chosen = s.host.ChooseVisFile(s.set.vis_path);
    if (!chosen) {
      CloseScenerySet(s, false);
      return std::nullopt;
    }
    s.set.vis_path = *chosen;
    if (!ReadVisFile(s)) {
      CloseScenerySet(s, false);
      return std::nullopt;
    }
  }
  int written = SwitchOriginalMenus(s, disable, false);
  FinishMenuSwitch(s);
  return written;
}

}  // namespace tarnwick
