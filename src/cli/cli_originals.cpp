// tarnwick-cli originals: switches the original menus of a scenery set on or off, as the commands
// "Enable original menus" and "Disable original menus" do without a loaded set.
#include <cstdio>

#include "cli/scenery_job.h"
#include "output/original_menus.h"
#include "scenery/menu_paths.h"

namespace tarnwick::cli {
namespace {

constexpr char kName[] = "originals";
constexpr char kUsage[] = "originals on|off FILE.vis [--log] [--drive X=DIR]...";
constexpr char kHelp[] =
    "Switches the menus of the BGL files in the folders of the active VIS entries on or off;\n"
    "a generated menu BGL met on the way is switched the other way.\n\n"
    "  on|off         on: the original menus come back; off: the generated menu is shown\n"
    "  FILE.vis       the VIS file, by its host path or its Windows path (C:\\...)\n"
    "  --log          write what was switched into the log file in the Menus folder\n"
    "  --drive X=DIR  drive X: is the host folder DIR; may be repeated\n";

int RunOriginals(const Args& args) {
  JobLine line;
  if (int code = ParseJobLine(kName, kUsage, kHelp, args, {}, 1, line); code >= 0) return code;
  if (line.words[0] != "on" && line.words[0] != "off") {
    std::fprintf(stderr, "tarnwick-cli %s: say on or off, not '%s'\nusage: tarnwick-cli %s\n",
                 kName, line.words[0].c_str(), kUsage);
    return 2;
  }
  const bool disable = line.words[0] == "off";
  SceneryJob job(line, CliHost::Answer::kNo);
  if (!job.Locate(kName)) return 1;
  // Without a scan no log is made; the one a scan would write takes the lines instead.
  if (line.log) job.log().Create(job.fs(), LogPathFor(job.set().vis_path));
  job.host().SetChosenVisFile(job.set().vis_path);
  const int shown = job.host().messages_shown();
  std::optional<int> written = RunOriginalMenusCommand(job.session(), disable);
  // A switch that failed was reported, naming the file, and left every menu as it was.
  if (!written || job.host().messages_shown() != shown) return 1;
  std::printf("%s original menus: %d menu switches written\n", disable ? "Disabled" : "Enabled",
              *written);
  return 0;
}

}  // namespace

extern const Command kOriginalsCommand = {kName, kUsage, RunOriginals};

}  // namespace tarnwick::cli
