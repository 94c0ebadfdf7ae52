// tarnwick-cli check: scans a scenery set and lists what in its menu the simulator would show
// wrongly or not at all.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/json_writer.h"
#include "cli/scenery_job.h"
#include "tree/menu_check.h"

namespace tarnwick::cli {
namespace {

constexpr char kName[] = "check";
constexpr char kUsage[] = "check FILE.vis [--json] [--within METRES] [--log] [--drive X=DIR]...";
constexpr char kHelp[] =
    "Scans the scenery set of a VIS file and lists the problems of its menu, in the menu's order:\n"
    "  duplicate-location  Locations within METRES of each other, headings within 10 degrees\n"
    "  duplicate-area      Areas whose titles differ only in letter case or surrounding blanks\n"
    "  repeated-location   Locations of one Area with such equal descriptions\n"
    "  long-title          Area titles longer than the 20 characters the saved menu keeps\n"
    "  empty-area          Areas without Locations, which the saved menu leaves out\n"
    "  scenery-off         Locations whose scenery area is switched off or gone\n"
    "  out-of-range        positions, altitudes and radios outside what the details pane takes\n\n"
    "  FILE.vis         the VIS file, by its host path or its Windows path (C:\\...)\n"
    "  --json           one JSON object instead of text\n"
    "  --within METRES  the distance of duplicate Locations (default 100)\n"
    "  --log            write the scan's log file into the Menus folder\n"
    "  --drive X=DIR    drive X: is the host folder DIR; may be repeated\n\n"
    "Exit status: 0 nothing found, 3 problems found, 1 the set cannot be read, 2 bad usage.\n";

constexpr int kProblemsFound = 3;

int Usage(const std::string& why) {
  std::fprintf(stderr, "tarnwick-cli %s: %s\nusage: tarnwick-cli %s\n", kName, why.c_str(), kUsage);
  return 2;
}

// A distance in metres: a plain non-negative finite number.
bool ReadMetres(const std::string& text, double& metres) {
  if (text.empty()) return false;
  char* end = nullptr;
  metres = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(metres) && metres >= 0;
}

void PrintJson(const std::vector<MenuProblem>& problems) {
  std::string out;
  JsonWriter json(out);
  json.BeginObject().Key("problems").BeginArray();
  for (const MenuProblem& problem : problems) {
    json.BeginObject().Key("kind").String(ProblemKindName(problem.kind)).Key("items").BeginArray();
    for (const ProblemItem& item : problem.items) {
      json.BeginObject().Key("area").String(item.area).Key("location");
      if (item.is_location) {
        json.String(item.location);
      } else {
        json.Null();
      }
      json.EndObject();
    }
    json.EndArray().Key("detail").String(problem.detail);
    if (!problem.field.empty()) json.Key("field").String(problem.field);
    json.EndObject();
  }
  json.EndArray().Key("counts").BeginObject();
  const auto counts = CountProblems(problems);
  for (ProblemKind kind : kAllProblemKinds) {
    json.Key(ProblemKindName(kind)).Number(static_cast<int64_t>(counts[static_cast<size_t>(kind)]));
  }
  json.EndObject().EndObject();
  std::printf("%s\n", out.c_str());
}

void PrintText(const std::vector<MenuProblem>& problems) {
  std::string line;
  for (const MenuProblem& problem : problems) {
    line.assign(ProblemKindName(problem.kind));
    line += ":";
    for (size_t i = 0; i < problem.items.size(); ++i) {
      const ProblemItem& item = problem.items[i];
      line += i == 0 ? " " : ", ";
      line += "\"" + item.area + "\"";
      if (item.is_location) line += " / \"" + item.location + "\"";
    }
    line += ": " + problem.detail + "\n";
    std::fputs(line.c_str(), stdout);
  }
  if (problems.empty()) {
    std::printf("No problems found.\n");
    return;
  }
  std::printf("%zu problem%s:", problems.size(), problems.size() == 1 ? "" : "s");
  const auto counts = CountProblems(problems);
  const char* separator = " ";
  for (ProblemKind kind : kAllProblemKinds) {
    const size_t count = counts[static_cast<size_t>(kind)];
    if (count == 0) continue;
    std::printf("%s%zu %s", separator, count, std::string(ProblemKindName(kind)).c_str());
    separator = ", ";
  }
  std::printf("\n");
}

int RunCheck(const Args& args) {
  // --within takes a value, which the shared parser does not know: it is taken out first.
  Args rest;
  MenuCheckSettings settings;
  bool within_given = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (args[i] == "--within") {
      if (i + 1 >= args.size()) return Usage("--within needs a distance in metres");
      value = args[++i];
    } else if (args[i].rfind("--within=", 0) == 0) {
      value = args[i].substr(9);
    } else {
      rest.push_back(args[i]);
      continue;
    }
    if (within_given) return Usage("one --within only");
    if (!ReadMetres(value, settings.within_metres)) {
      return Usage("--within needs a distance in metres of 0 or more, not '" + value + "'");
    }
    within_given = true;
  }
  JobLine line;
  if (int code = ParseJobLine(kName, kUsage, kHelp, rest, {"--json"}, 0, line); code >= 0) {
    return code;
  }
  SceneryJob job(line, CliHost::Answer::kNo);
  if (!job.Locate(kName) || !job.Scan()) return 1;
  const std::vector<MenuProblem> problems = CheckMenu(job.tree(), job.set(), settings);
  if (line.flags.count("--json") != 0) {
    PrintJson(problems);
  } else {
    PrintText(problems);
  }
  return problems.empty() ? 0 : kProblemsFound;
}

}  // namespace

extern const Command kCheckCommand = {kName, kUsage, RunCheck};

}  // namespace tarnwick::cli
