// tarnwick-cli vis: the entries of a VIS file as the program reads them.
#include <cstdio>
#include <string>

#include "cli/cli_command.h"
#include "cli/cli_host.h"
#include "cli/drive_option.h"
#include "cli/json_writer.h"
#include "scenery/memory_menu_tree.h"
#include "scenery/session.h"
#include "scenery/vis_file.h"

namespace tarnwick::cli {
namespace {

constexpr char kUsage[] = "vis FILE.vis [--json] [--drive X=DIR]...";

void PrintHelp() {
  std::printf(
      "usage: tarnwick-cli %s\n\n"
      "Lists the entries of a VIS scenery control file: number, byte offset, the three\n"
      "leading bytes, on/off and protected, title, the path as stored and the search\n"
      "pattern it expands to.\n\n"
      "  FILE.vis       the VIS file, by its host path or its Windows path (C:\\...)\n"
      "  --json         one JSON object instead of text\n"
      "  --drive X=DIR  drive X: is the host folder DIR (Z: is /, and the drives of\n"
      "                 $WINEPREFIX or ~/.wine are known already); may be repeated\n",
      kUsage);
}

int UsageError(const std::string& why) {
  std::fprintf(stderr, "tarnwick-cli vis: %s\nusage: tarnwick-cli %s\n", why.c_str(), kUsage);
  return 2;
}

struct EntryView {
  int number;
  int32_t offset;
  const uint8_t* bytes;
  bool active;
  bool is_protected;
  const char* title;
  const char* path;
  std::string pattern;
};

std::vector<EntryView> Entries(const ScenerySet& set) {
  std::vector<EntryView> out;
  int number = 0;
  for (const VisEntry& entry : set.vis_entries) {
    uint8_t flags = set.StoredFlags(entry);
    out.push_back({++number, entry.offset, set.image.bytes.data() + entry.offset, (flags & 1) != 0,
                   (flags & 2) != 0, set.EntryTitle(entry), set.EntryPath(entry),
                   ExpandVisPath(set.host_root, set.EntryPath(entry))});
  }
  return out;
}

void PrintJson(const ScenerySet& set) {
  std::string out;
  JsonWriter json(out);
  json.BeginObject().Key("vis").String(set.vis_path).Key("hostRoot").String(set.host_root);
  json.Key("entries").BeginArray();
  for (const auto& e : Entries(set)) {
    json.BeginObject()
        .Key("number")
        .Number(e.number)
        .Key("offset")
        .Number(e.offset)
        .Key("bytes")
        .BeginArray()
        .Number(e.bytes[0])
        .Number(e.bytes[1])
        .Number(e.bytes[2])
        .EndArray()
        .Key("active")
        .Bool(e.active)
        .Key("protected")
        .Bool(e.is_protected)
        .Key("title")
        .String(e.title)
        .Key("path")
        .String(e.path)
        .Key("pattern")
        .String(e.pattern)
        .EndObject();
  }
  json.EndArray().EndObject();
  std::printf("%s\n", out.c_str());
}

void PrintText(const ScenerySet& set) {
  std::printf("VIS file:  %s\nHost root: %s\nEntries:   %d\n", set.vis_path.c_str(),
              set.host_root.c_str(), set.vis_count);
  if (set.vis_entries.empty()) return;
  std::printf("\n  #  offset  bytes     state         title\n");
  for (const auto& e : Entries(set)) {
    std::printf("%3d  %6d  %02X %02X %02X  %-3s %-9s %s\n", e.number, static_cast<int>(e.offset),
                e.bytes[0], e.bytes[1], e.bytes[2], e.active ? "on" : "off",
                e.is_protected ? "protected" : "", e.title);
    std::printf("     path:    %s\n     pattern: %s\n", e.path, e.pattern.c_str());
  }
}

int RunVis(const Args& args) {
  bool json = false;
  DriveMap drives;
  std::string file;
  std::string error;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      PrintHelp();
      return 0;
    }
    if (arg == "--json") {
      json = true;
    } else if (DriveArg taken = TakeDriveOption(args, i, drives, error);
               taken != DriveArg::kNotDrive) {
      if (taken == DriveArg::kBad) return UsageError(error);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("unknown option '" + arg + "'");
    } else if (file.empty()) {
      file = arg;
    } else {
      return UsageError("one VIS file only");
    }
  }
  if (file.empty()) return UsageError("no VIS file named");

  auto fs = MakeNativeFileSystem(drives);
  ScenerySet set;
  set.vis_path = fs->ProgramPath(file);
  if (set.vis_path.empty()) {
    std::fprintf(stderr, "tarnwick-cli vis: '%s' lies on no drive\n", file.c_str());
    return 1;
  }
  MemoryMenuTree tree;
  CliHost host(CliHost::Answer::kNo);
  Options options;
  LogFile log;
  TreeState tree_state;
  Session session{set, tree, *fs, host, options, log, tree_state};
  if (!ReadVisFile(session)) return 1;

  if (json) {
    PrintJson(set);
  } else {
    PrintText(set);
  }
  return 0;
}

}  // namespace

extern const Command kVisCommand = {"vis", kUsage, RunVis};

}  // namespace tarnwick::cli
