// tarnwick-cli save: scans a scenery set and saves its menu, as the Save command does.
#include <cstdio>

#include "cli/scenery_job.h"
#include "output/path_compare.h"
#include "output/save_results.h"
#include "scenery/bgl_menu.h"

namespace tarnwick::cli {

int SaveScannedSet(SceneryJob& job, const char* name) {
  int shown = job.host().messages_shown();
  if (!SaveResults(job.session(), true, false)) {
    std::fprintf(stderr, "tarnwick-cli %s: nothing saved\n", name);
    return 2;
  }
  if (job.host().messages_shown() != shown || !job.set().results_saved) return 1;
  // A source menu still on shows twice in the simulator beside the generated one.
  int left_on = 0;
  for (int32_t i = 1; i <= job.set().bgl_count; ++i) {
    const MenuBgl* bgl = job.set().Bgl(i);
    if (bgl == nullptr || SamePath(bgl->path, job.set().menu_bgl_path)) continue;
    if (MenuSwitchIsOn(job.fs(), bgl->path)) {
      std::fprintf(stderr, "tarnwick-cli %s: the menu of %s could not be switched off\n", name,
                   bgl->path.c_str());
      ++left_on;
    }
  }
  if (left_on > 0) return 1;
  std::printf("Menu BGL:  %s\nVIS entry: %s\n", job.set().menu_bgl_path.c_str(),
              job.set().menu_entry_path.c_str());
  return 0;
}

namespace {

constexpr char kName[] = "save";
constexpr char kUsage[] = "save FILE.vis [--yes] [--log] [--drive X=DIR]...";
constexpr char kHelp[] =
    "Scans the scenery set of a VIS file and saves its menu: the generated menu BGL in the\n"
    "Menus folder (the one before it kept as the previous result), its entry in the VIS file,\n"
    "and the menus of the source BGLs switched off.\n\n"
    "  FILE.vis       the VIS file, by its host path or its Windows path (C:\\...)\n"
    "  --yes          answer yes to the warning before replacing earlier work (without it the\n"
    "                 warning is asked on the terminal)\n"
    "  --log          write the scan's log file into the Menus folder\n"
    "  --drive X=DIR  drive X: is the host folder DIR; may be repeated\n";

int RunSave(const Args& args) {
  JobLine line;
  if (int code = ParseJobLine(kName, kUsage, kHelp, args, {"--yes"}, 0, line); code >= 0) {
    return code;
  }
  SceneryJob job(line, line.flags.count("--yes") ? CliHost::Answer::kYes : CliHost::Answer::kAsk);
  if (!job.Locate(kName) || !job.Scan()) return 1;
  return SaveScannedSet(job, kName);
}

}  // namespace

extern const Command kSaveCommand = {kName, kUsage, RunSave};

}  // namespace tarnwick::cli
