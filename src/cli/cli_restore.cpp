// tarnwick-cli restore: makes the previous result of a scenery set the current one again, as the
// command "Restore previous results" does.
#include <cstdio>

#include "cli/scenery_job.h"
#include "output/previous_results.h"
#include "scenery/menu_paths.h"

namespace tarnwick::cli {
namespace {

constexpr char kName[] = "restore";
constexpr char kUsage[] = "restore FILE.vis [--log] [--drive X=DIR]...";
constexpr char kHelp[] =
    "Exchanges the generated menu BGL of a scenery set with its previous result, switches\n"
    "the original menus off and the restored menu on, and scans the set again. A second\n"
    "restore exchanges them back.\n\n"
    "  FILE.vis       the VIS file, by its host path or its Windows path (C:\\...)\n"
    "  --log          write the scans' log file into the Menus folder\n"
    "  --drive X=DIR  drive X: is the host folder DIR; may be repeated\n";

int RunRestore(const Args& args) {
  JobLine line;
  if (int code = ParseJobLine(kName, kUsage, kHelp, args, {}, 0, line); code >= 0) return code;
  SceneryJob job(line, CliHost::Answer::kNo);
  if (!job.Locate(kName) || !job.Scan()) return 1;
  if (!job.set().prev_exists) {
    std::fprintf(stderr, "tarnwick-cli %s: no previous result to restore (%s)\n", kName,
                 PreviousCopyPath(job.set()).c_str());
    return 1;
  }
  // This run edited nothing, so there are no unsaved edits to ask about.
  job.set().results_saved = true;
  int shown = job.host().messages_shown();
  if (!RestorePreviousResults(job.session())) {
    std::fprintf(stderr, "tarnwick-cli %s: nothing was restored\n", kName);
    return 1;
  }
  if (job.host().messages_shown() != shown || !job.set().loaded) return 1;
  std::printf("Restored: %s\n", job.set().menu_bgl_path.c_str());
  return 0;
}

}  // namespace

extern const Command kRestoreCommand = {kName, kUsage, RunRestore};

}  // namespace tarnwick::cli
