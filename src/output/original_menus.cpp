#include "output/original_menus.h"

#include <string>
#include <vector>

#include "scenery/bgl_menu.h"
#include "scenery/close_scenery_set.h"
#include "scenery/menu_paths.h"
#include "scenery/progress_box.h"
#include "scenery/scan.h"
#include "scenery/vis_file.h"

namespace tarnwick {

namespace {

void LogAndShow(Session& s, ProgressLine line, const std::string& log_line) {
  s.log.Write(log_line);
  s.host.SetProgressLine(line, ProgressText(log_line));
}

// The switches to change, found by visiting the entries' folders: the generated menus' first.
struct SwitchPlan {
  SwitchJob job;
  std::optional<bool> generated_off;  // how the last generated menu met will stand
  bool stopped = false;
  std::string unreadable;  // a file that could not be read
  uint32_t error = 0;
};

SwitchPlan PlanSwitches(Session& s, bool disable, const std::vector<int32_t>& entries) {
  SwitchPlan plan;
  std::vector<SwitchChange> sources;
  for (int32_t number : entries) {
    // Cancel closes the set: nothing of it may be read after a stop.
    if (!s.set.HasImage() || s.host.GetBusyState() != BusyState::kBusy) {
      plan.stopped = true;
      break;
    }
    const VisEntry& entry = *s.set.Vis(number);
    std::string pattern = SearchPattern(s.set, s.set.EntryPath(entry));
    LogAndShow(s, ProgressLine::kStep, "VIS path being searched: " + pattern + "\n");
    const std::vector<std::string> names =
        pattern.empty() ? std::vector<std::string>() : s.fs.FindFiles(pattern);
    for (const std::string& name : names) {
      std::string path = FoundFilePath(pattern, name);
      LogAndShow(s, ProgressLine::kFile, "Checking BGL: " + path + "\n");
      uint32_t error = 0;
      if (std::optional<MenuSwitchState> state = ReadMenuSwitch(s.fs, path, error)) {
        const bool generated = state->header.Generated();
        const uint8_t to = generated == disable ? 1 : 0;
        if (generated) plan.generated_off = to == 0;
        if (state->byte != to) {
          (generated ? plan.job.changes : sources).push_back({path, state->byte, to});
        }
      } else if (HeldByAnotherProgram(error)) {
        plan.unreadable = path;
        plan.error = error;
        return plan;
      }
      if (!KeepGoing(s.host)) {
        plan.stopped = true;
        return plan;
      }
    }
  }
  // The generated menu goes first: when it cannot be switched, no source has changed.
  plan.job.changes.insert(plan.job.changes.end(), sources.begin(), sources.end());
  return plan;
}

}  // namespace

std::vector<int32_t> EntriesToSwitch(const ScenerySet& set, bool changed_only) {
  std::vector<int32_t> entries;
  for (int32_t i = 1; i <= set.vis_count; ++i) {
    const VisEntry& entry = *set.Vis(i);
    uint8_t stored = set.StoredFlags(entry);
    if (changed_only ? entry.working_flags != stored : (stored & 1) != 0) entries.push_back(i);
  }
  return entries;
}

MenuSwitchOutcome SwitchMenusOf(Session& s, bool disable, bool changed_only,
                                const std::vector<int32_t>& entries) {
  std::string start = std::string(disable ? "Dis" : "En") + "abling Menus according to " +
                      (changed_only ? "Changed" : "Active") + " VIS entries\n";
  s.log.Write(start);
  s.host.OpenProgressBox(ProgressText(start));

  MenuSwitchOutcome outcome;
  auto fail = [&](uint32_t error, const std::string& phrase) {
    outcome.end = SwitchJobEnd::kFailed;
    s.log.Write("Menus left as they were: " + phrase + "\n");
    s.host.ShowMessage(error, phrase);
  };
  // The job's record lives beside the results; one left by a stopped job is finished first.
  const bool in_order = BuildMenuPaths(s);
  const std::string menu_bgl = s.set.menu_bgl_path;
  if (!in_order) {
    outcome.end = SwitchJobEnd::kFailed;
  } else if (!KeepGoing(s.host)) {
    outcome.end = SwitchJobEnd::kStopped;
  } else if (SwitchPlan plan = PlanSwitches(s, disable, entries); plan.stopped) {
    outcome.end = SwitchJobEnd::kStopped;
  } else if (!plan.unreadable.empty()) {
    fail(plan.error, "reading the menu switch of " + plan.unreadable + "! No menu was switched.");
  } else {
    const int total = static_cast<int>(plan.job.changes.size());
    SwitchJobResult result =
        RunSwitchJob(s.fs, menu_bgl, plan.job, [&s, total](const SwitchChange&, int made) {
          s.host.SetProgressLine(ProgressLine::kFile, "Switched menus in " + std::to_string(made) +
                                                          " of " + std::to_string(total) +
                                                          " BGL files");
          return KeepGoing(s.host);
        });
    outcome.end = result.end;
    outcome.written = result.changed;
    if (result.end == SwitchJobEnd::kFailed) fail(result.error, SwitchFailurePhrase(result));
    if (result.end == SwitchJobEnd::kDone && plan.generated_off && s.set.HasImage()) {
      s.set.generated_menu_off = *plan.generated_off;
    }
  }

  s.host.CloseProgressBox();
  return outcome;
}

MenuSwitchOutcome SwitchOriginalMenus(Session& s, bool disable, bool changed_only) {
  return SwitchMenusOf(s, disable, changed_only, EntriesToSwitch(s.set, changed_only));
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
  MenuSwitchOutcome outcome = SwitchOriginalMenus(s, disable, false);
  // A switch that failed changed nothing: a loaded set stays as it is, unsaved edits and all.
  if (outcome.end != SwitchJobEnd::kFailed || !s.set.loaded) FinishMenuSwitch(s);
  if (outcome.end != SwitchJobEnd::kDone) return std::nullopt;
  return outcome.written;
}

}  // namespace tarnwick
