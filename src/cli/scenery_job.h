// What the jobs on a whole scenery set share: their command line (the VIS file, --log, --drive and
// the job's own flags) and the program's pieces wired to the terminal.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/cli_host.h"
#include "scenery/memory_menu_tree.h"
#include "scenery/session.h"

namespace tarnwick::cli {

struct JobLine {
  std::string file;  // the VIS file as typed
  DriveMap drives;
  bool log = false;                // write the scan's log file
  std::set<std::string> flags;     // the job's own flags that were given
  std::vector<std::string> words;  // other words, in order
};

// Reads the command line of job `name`; `flags` are the job's own flags besides --log and --drive,
// `words` how many plain words come before the VIS file. Returns -1 when it is usable, otherwise
// the exit code after printing the help (0) or the usage error (2).
int ParseJobLine(const char* name, const char* usage, const char* help, const Args& args,
                 const std::set<std::string>& flags, size_t words, JobLine& line);

// The program's pieces for one job.
class SceneryJob {
 public:
  SceneryJob(const JobLine& line, CliHost::Answer answer);

  // The VIS path as the program sees it (a Windows path); false (reported) when the typed path lies
  // on no drive.
  bool Locate(const char* name);
  // Scans the set and closes the progress box; false when it did not load.
  bool Scan();

  Session& session() { return session_; }
  ScenerySet& set() { return set_; }
  MemoryMenuTree& tree() { return tree_; }
  CliHost& host() { return host_; }
  FileSystem& fs() { return *fs_; }
  LogFile& log() { return log_; }

 private:
  const JobLine& line_;
  std::unique_ptr<FileSystem> fs_;
  ScenerySet set_;
  MemoryMenuTree tree_;
  CliHost host_;
  Options options_;
  LogFile log_;
  TreeState tree_state_;
  Session session_;
};

// Saves the scanned (and perhaps edited) menu as the save job does, asking the warning through the
// job's host; the exit code (0 saved, 1 failed, 2 declined), the failures told on stderr.
int SaveScannedSet(SceneryJob& job, const char* name);

}  // namespace tarnwick::cli
