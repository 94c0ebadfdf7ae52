#include "cli/scenery_job.h"

#include <cstdio>

#include "cli/drive_option.h"
#include "scenery/scan.h"

namespace tarnwick::cli {

namespace {

int UsageError(const char* name, const char* usage, const std::string& why) {
  std::fprintf(stderr, "tarnwick-cli %s: %s\nusage: tarnwick-cli %s\n", name, why.c_str(), usage);
  return 2;
}

}  // namespace

int ParseJobLine(const char* name, const char* usage, const char* help, const Args& args,
                 const std::set<std::string>& flags, size_t words, JobLine& line) {
  std::string error;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      std::printf("usage: tarnwick-cli %s\n\n%s", usage, help);
      return 0;
    }
    if (arg == "--log") {
      line.log = true;
    } else if (DriveArg taken = TakeDriveOption(args, i, line.drives, error);
               taken != DriveArg::kNotDrive) {
      if (taken == DriveArg::kBad) return UsageError(name, usage, error);
    } else if (flags.count(arg) != 0) {
      line.flags.insert(arg);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError(name, usage, "unknown option '" + arg + "'");
    } else if (line.words.size() < words) {
      line.words.push_back(arg);
    } else if (line.file.empty()) {
      line.file = arg;
    } else {
      return UsageError(name, usage, "one VIS file only");
    }
  }
  if (line.file.empty()) return UsageError(name, usage, "no VIS file named");
  return -1;
}

SceneryJob::SceneryJob(const JobLine& line, CliHost::Answer answer)
    : line_(line),
      fs_(MakeNativeFileSystem(line.drives)),
      host_(answer),
      session_{set_, tree_, *fs_, host_, options_, log_, tree_state_} {
  options_.logging = line.log;
}

bool SceneryJob::Locate(const char* name) {
  set_.vis_path = fs_->ProgramPath(line_.file);
  if (set_.vis_path.empty()) {
    std::fprintf(stderr, "tarnwick-cli %s: '%s' lies on no drive\n", name, line_.file.c_str());
    return false;
  }
  return true;
}

bool SceneryJob::Scan() {
  bool scanned = ScanScenerySet(session_);
  host_.CloseProgressBox();
  return scanned && set_.loaded;
}

}  // namespace tarnwick::cli
