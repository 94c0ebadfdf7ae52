// tarnwick-cli print: scans a scenery set and prints its whole menu into a PDF file, page by page
// as a 600-dpi printer on A4 would get it.
#include <cstdio>

#include "cli/pdf_pages.h"
#include "cli/scenery_job.h"

namespace tarnwick::cli {
namespace {

constexpr char kName[] = "print";
constexpr char kUsage[] =
    "print FILE.vis --pdf OUT.pdf [--fractional] [--all-fields] [--log] [--drive X=DIR]...";
constexpr char kHelp[] =
    "Scans the scenery set of a VIS file and prints its whole menu into a PDF file: A4 pages\n"
    "laid out as for a 600-dpi printer, each Area with its Locations and their positions.\n\n"
    "  FILE.vis       the VIS file, by its host path or its Windows path (C:\\...)\n"
    "  --pdf OUT.pdf  the PDF file to write (replaced when it exists)\n"
    "  --fractional   positions in fractional minutes instead of minutes and seconds\n"
    "  --all-fields   a line of radio settings under each position\n"
    "  --log          write the scan's log file into the Menus folder\n"
    "  --drive X=DIR  drive X: is the host folder DIR; may be repeated\n";

int Usage(const char* why) {
  std::fprintf(stderr, "tarnwick-cli %s: %s\nusage: tarnwick-cli %s\n", kName, why, kUsage);
  return 2;
}

int RunPrint(const Args& args) {
  // --pdf takes a value, which the shared parser does not know: it is taken out first.
  Args rest;
  std::string out;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--pdf") {
      rest.push_back(args[i]);
    } else if (i + 1 >= args.size() || args[i + 1].empty()) {
      return Usage("--pdf needs a file name");
    } else if (!out.empty()) {
      return Usage("one --pdf only");
    } else {
      out = args[++i];
    }
  }
  JobLine line;
  if (int code =
          ParseJobLine(kName, kUsage, kHelp, rest, {"--fractional", "--all-fields"}, 0, line);
      code >= 0) {
    return code;
  }
  if (out.empty()) return Usage("no --pdf file named");
  if (!PdfAvailable()) {
    std::fprintf(stderr,
                 "tarnwick-cli print: PDF output is not available in this build (it needs "
                 "cairo)\n");
    return 1;
  }
  SceneryJob job(line, CliHost::Answer::kNo);
  if (!job.Locate(kName) || !job.Scan()) return 1;
  PrintChoices choices;
  choices.fractional_minutes = line.flags.count("--fractional") != 0;
  choices.show_all_fields = line.flags.count("--all-fields") != 0;
  std::string error;
  if (!WritePdfPages(job.tree(), job.set(), choices, out, error)) {
    std::fprintf(stderr, "tarnwick-cli print: cannot write '%s': %s\n", out.c_str(), error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

extern const Command kPrintCommand = {kName, kUsage, RunPrint};

}  // namespace tarnwick::cli
