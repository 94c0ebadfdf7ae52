// tarnwick-cli export and import: the menu of a scenery set as a CSV file to edit elsewhere, and
// such a file (or the JSON of the menu job) made the set's menu and saved.
#include <cstdio>

#include "cli/scenery_job.h"
#include "details/menu_import.h"
#include "details/menu_text.h"
#include "details/menu_text_file.h"

namespace tarnwick::cli {
namespace {

constexpr char kExportName[] = "export";
constexpr char kExportUsage[] =
    "export FILE.vis --csv OUT.csv [--fractional] [--log] [--drive X=DIR]...";
constexpr char kExportHelp[] =
    "Scans the scenery set of a VIS file and writes its menu as a CSV file (UTF-8, one row per\n"
    "Location: Area, Location, the values as the details pane shows them, and the source BGL),\n"
    "to edit in a spreadsheet and bring back with 'tarnwick-cli import'.\n\n"
    "  FILE.vis       the VIS file, by its host path or its Windows path (C:\\...)\n"
    "  --csv OUT.csv  the file to write (replaced in one step when it exists)\n"
    "  --fractional   positions in fractional minutes instead of minutes and seconds\n"
    "  --log          write the scan's log file into the Menus folder\n"
    "  --drive X=DIR  drive X: is the host folder DIR; may be repeated\n";

constexpr char kImportName[] = "import";
constexpr char kImportUsage[] = "import FILE.vis IN.csv|IN.json [--yes] [--log] [--drive X=DIR]...";
constexpr char kImportHelp[] =
    "Scans the scenery set of a VIS file, replaces its menu with the one of a CSV file written\n"
    "by 'tarnwick-cli export' (or the JSON of 'tarnwick-cli menu --json') and saves it as\n"
    "'tarnwick-cli save' does. A value whose text was not changed keeps its stored value. Every\n"
    "problem is told as FILE:LINE:COLUMN; on any error nothing is imported and no file changes.\n\n"
    "  FILE.vis       the VIS file, by its host path or its Windows path (C:\\...)\n"
    "  IN.csv         the menu to import (a file starting with '{' is read as JSON)\n"
    "  --yes          answer yes to the warning before replacing earlier work\n"
    "  --log          write the scan's log file into the Menus folder\n"
    "  --drive X=DIR  drive X: is the host folder DIR; may be repeated\n";

int Usage(const char* name, const char* usage, const char* why) {
  std::fprintf(stderr, "tarnwick-cli %s: %s\nusage: tarnwick-cli %s\n", name, why, usage);
  return 2;
}

bool IsHelp(const Args& args) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") return true;
  }
  return false;
}

int RunExport(const Args& args) {
  // --csv takes a value, which the shared parser does not know: it is taken out first.
  Args rest;
  std::string out;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--csv") {
      rest.push_back(args[i]);
    } else if (i + 1 >= args.size() || args[i + 1].empty()) {
      return Usage(kExportName, kExportUsage, "--csv needs a file name");
    } else if (!out.empty()) {
      return Usage(kExportName, kExportUsage, "one --csv only");
    } else {
      out = args[++i];
    }
  }
  JobLine line;
  if (int code =
          ParseJobLine(kExportName, kExportUsage, kExportHelp, rest, {"--fractional"}, 0, line);
      code >= 0) {
    return code;
  }
  if (out.empty()) return Usage(kExportName, kExportUsage, "no --csv file named");
  SceneryJob job(line, CliHost::Answer::kNo);
  if (!job.Locate(kExportName) || !job.Scan()) return 1;
  const std::string path = job.fs().ProgramPath(out);
  if (path.empty()) {
    std::fprintf(stderr, "tarnwick-cli export: '%s' lies on no drive\n", out.c_str());
    return 1;
  }
  std::string csv = MenuCsv(job.set(), job.tree(), line.flags.count("--fractional") != 0);
  if (uint32_t error = WriteMenuTextFile(job.fs(), path, csv); error != 0) {
    std::fprintf(stderr, "tarnwick-cli export: cannot write '%s' (error %u)\n", out.c_str(),
                 static_cast<unsigned>(error));
    return 1;
  }
  return 0;
}

int RunImport(const Args& args) {
  if (IsHelp(args)) {
    std::printf("usage: tarnwick-cli %s\n\n%s", kImportUsage, kImportHelp);
    return 0;
  }
  // The menu file is the second plain word; the shared parser takes the VIS file from the rest.
  Args rest;
  std::string in;
  size_t plain = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--drive" && i + 1 < args.size()) {
      rest.push_back(arg);
      rest.push_back(args[++i]);
    } else if (!arg.empty() && arg[0] != '-' && ++plain == 2) {
      in = arg;
    } else {
      rest.push_back(arg);
    }
  }
  JobLine line;
  if (int code = ParseJobLine(kImportName, kImportUsage, kImportHelp, rest, {"--yes"}, 0, line);
      code >= 0) {
    return code;
  }
  if (in.empty()) return Usage(kImportName, kImportUsage, "no menu file named");
  SceneryJob job(line, line.flags.count("--yes") ? CliHost::Answer::kYes : CliHost::Answer::kAsk);
  if (!job.Locate(kImportName)) return 1;
  const std::string path = job.fs().ProgramPath(in);
  uint32_t error = 0;
  std::optional<std::string> bytes;
  if (!path.empty()) bytes = ReadMenuTextFile(job.fs(), path, error);
  if (!bytes) {
    std::fprintf(stderr, "tarnwick-cli import: cannot read '%s' (error %u)\n", in.c_str(),
                 static_cast<unsigned>(error));
    return 1;
  }
  if (!job.Scan()) return 1;
  MenuImportPlan plan = PlanMenuImport(job.set(), job.tree(), ReadMenuText(*bytes));
  size_t errors = 0;
  for (const MenuTextProblem& problem : plan.problems) {
    std::fprintf(stderr, "%s\n", FormatMenuTextProblem(in, problem).c_str());
    if (!problem.warning) ++errors;
  }
  if (errors > 0) {
    std::fprintf(stderr, "tarnwick-cli import: nothing imported (%zu error%s)\n", errors,
                 errors == 1 ? "" : "s");
    return 1;
  }
  ReplaceMenu(job.session(), plan);
  return SaveScannedSet(job, kImportName);
}

}  // namespace

extern const Command kExportCommand = {kExportName, kExportUsage, RunExport};
extern const Command kImportCommand = {kImportName, kImportUsage, RunImport};

}  // namespace tarnwick::cli
