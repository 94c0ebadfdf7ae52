// tarnwick-cli bgl FILE.bgl [--json] [--fractional]: the menu of one BGL file as the program
// reads it (every rule of the reader; the scenery check needs a VIS file and is left out).
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/cli_host.h"
#include "cli/drive_option.h"
#include "cli/json_writer.h"
#include "cli/locn_fields_json.h"
#include "details/value_formats.h"
#include "scenery/bgl_menu.h"
#include "scenery/memory_menu_tree.h"
#include "scenery/tree_state.h"

namespace tarnwick::cli {

namespace {

constexpr char kUsage[] = "bgl FILE.bgl [--json] [--fractional] [--drive X=DIR]...";

void PrintHelp() {
  std::printf(
      "usage: tarnwick-cli %s\n\n"
      "Shows one BGL file's menu as Tarnwick reads it: the header fields it uses, each\n"
      "Area with the Locations it keeps (descriptions trimmed, empty Areas dropped) and\n"
      "their values as the details pane shows them, and the scenery list of a menu BGL\n"
      "written by Tarnwick (SCEN numbers refer to it; without the VIS file no Location\n"
      "is dropped for its scenery area).\n\n"
      "  FILE.bgl       the BGL file, by its host path or its Windows path (C:\\...)\n"
      "  --json         one JSON object instead of text\n"
      "  --fractional   positions in fractional minutes instead of minutes and seconds\n"
      "  --drive X=DIR  drive X: is the host folder DIR; may be repeated\n",
      kUsage);
}

int UsageError(const std::string& why) {
  std::fprintf(stderr, "tarnwick-cli bgl: %s\nusage: tarnwick-cli %s\n", why.c_str(), kUsage);
  return 2;
}

struct Shown {
  std::string latitude, longitude, altitude, heading, com1, nav1, obi1, nav2, obi2;
};

Shown ShowFields(const LocnFields& f, bool fractional) {
  return {FormatAngle(f.latitude, AngleAxis::kLatitude, fractional),
          FormatAngle(f.longitude, AngleAxis::kLongitude, fractional),
          FormatAltitude(f.altitude),
          FormatHeading(f.heading),
          FormatFrequency(f.com1),
          FormatFrequency(f.nav1),
          FormatObi(f.obi1),
          FormatFrequency(f.nav2),
          FormatObi(f.obi2)};
}

struct Menu {
  BglHeader header;
  std::vector<std::string> scenery_list;
};

void PrintText(const std::string& path, const Menu& menu, const MenuTree& tree,
               const ScenerySet& set, bool fractional) {
  const BglHeader& h = menu.header;
  std::printf("File: %s\n", path.c_str());
  std::printf("Menu data offset: %u%s\n", h.menu_offset, h.menu_offset == 0 ? " (no menu)" : "");
  std::printf("Generator mark: 0x%08X%s\n", h.mark, h.Generated() ? " (written by Tarnwick)" : "");
  std::printf("Scenery list offset: %u\n", h.scenery_list_offset);
  int area_number = 0;
  for (TreeNode a = tree.FirstChild(tree.Root()); a; a = tree.Next(a)) {
    std::printf("\nArea %d: %s\n", ++area_number, tree.Label(a).c_str());
    int location_number = 0;
    for (TreeNode l = tree.FirstChild(a); l; l = tree.Next(l)) {
      const MenuLocation* location = set.Location(RecordOf(tree.Data(l)));
      const Shown s = ShowFields(location->fields, fractional);
      std::printf("  Location %d: %s\n", ++location_number, tree.Label(l).c_str());
      std::printf("    Position %s %s  Altitude %s ft  Heading %s\n", s.latitude.c_str(),
                  s.longitude.c_str(), s.altitude.c_str(), s.heading.c_str());
      std::printf("    COM1 %s  NAV1 %s  OBI1 %s  NAV2 %s  OBI2 %s", s.com1.c_str(), s.nav1.c_str(),
                  s.obi1.c_str(), s.nav2.c_str(), s.obi2.c_str());
      if (h.HasSceneryList()) std::printf("  SCEN %d", location->scenery_vis);
      std::printf("\n");
    }
  }
  if (area_number == 0) std::printf("\nNo Areas.\n");
  if (h.HasSceneryList()) {
    std::printf("\nScenery list: %zu %s\n", menu.scenery_list.size(),
                menu.scenery_list.size() == 1 ? "entry" : "entries");
    for (size_t i = 0; i < menu.scenery_list.size(); ++i) {
      std::printf("  %zu %s\n", i + 1, menu.scenery_list[i].c_str());
    }
  }
}

void PrintJson(const std::string& path, const Menu& menu, const MenuTree& tree,
               const ScenerySet& set, bool fractional) {
  const BglHeader& h = menu.header;
  std::string out;
  JsonWriter json(out);
  json.BeginObject()
      .Key("file")
      .String(path)
      .Key("menuOffset")
      .Number(h.menu_offset)
      .Key("mark")
      .Number(h.mark)
      .Key("sceneryListOffset")
      .Number(h.scenery_list_offset)
      .Key("generated")
      .Bool(h.Generated())
      .Key("areas")
      .BeginArray();
  for (TreeNode a = tree.FirstChild(tree.Root()); a; a = tree.Next(a)) {
    json.BeginObject().Key("title").String(tree.Label(a)).Key("locations").BeginArray();
    for (TreeNode l = tree.FirstChild(a); l; l = tree.Next(l)) {
      const MenuLocation* location = set.Location(RecordOf(tree.Data(l)));
      const LocnFields& f = location->fields;
      const Shown s = ShowFields(f, fractional);
      json.BeginObject().Key("description").String(tree.Label(l));
      WriteLocnFields(json, f)
          .Key("scen")
          .Number(location->scenery_vis)
          .Key("shown")
          .BeginObject()
          .Key("latitude")
          .String(s.latitude)
          .Key("longitude")
          .String(s.longitude)
          .Key("altitude")
          .String(s.altitude)
          .Key("heading")
          .String(s.heading)
          .Key("com1")
          .String(s.com1)
          .Key("nav1")
          .String(s.nav1)
          .Key("obi1")
          .String(s.obi1)
          .Key("nav2")
          .String(s.nav2)
          .Key("obi2")
          .String(s.obi2)
          .EndObject()
          .EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray().Key("sceneryList").BeginArray();
  for (const std::string& entry : menu.scenery_list) json.String(entry);
  json.EndArray().EndObject();
  std::printf("%s\n", out.c_str());
}

int RunBgl(const Args& args) {
  std::string typed;
  bool json = false;
  bool fractional = false;
  DriveMap drives;
  std::string error;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      PrintHelp();
      return 0;
    }
    if (arg == "--json") {
      json = true;
    } else if (arg == "--fractional") {
      fractional = true;
    } else if (DriveArg taken = TakeDriveOption(args, i, drives, error);
               taken != DriveArg::kNotDrive) {
      if (taken == DriveArg::kBad) return UsageError(error);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("unknown option '" + arg + "'");
    } else if (typed.empty()) {
      typed = arg;
    } else {
      return UsageError("one BGL file only");
    }
  }
  if (typed.empty()) return UsageError("no BGL file named");

  std::unique_ptr<FileSystem> fs = MakeNativeFileSystem(drives);
  const std::string path = fs->ProgramPath(typed);
  if (path.empty()) {
    std::fprintf(stderr, "tarnwick-cli bgl: '%s' lies on no drive\n", typed.c_str());
    return 1;
  }
  std::unique_ptr<File> file = fs->Open(path, OpenMode::kRead);
  if (!file) {
    std::fprintf(stderr, "tarnwick-cli bgl: cannot open %s (error %u)\n", path.c_str(),
                 fs->LastError());
    return 1;
  }
  uint8_t header_bytes[kBglHeaderSize];
  uint32_t got = 0;
  if (!file->Read(header_bytes, kBglHeaderSize, got) || got != kBglHeaderSize) {
    std::fprintf(stderr, "tarnwick-cli bgl: %s is too short for a BGL header (%u of %u bytes)\n",
                 path.c_str(), got, kBglHeaderSize);
    return 1;
  }

  ScenerySet set;
  MemoryMenuTree tree;
  CliHost host(CliHost::Answer::kNo);
  Options options;
  LogFile log;
  TreeState tree_state;
  Session s{set, tree, *fs, host, options, log, tree_state};
  set.tree_root = tree.Insert(nullptr, nullptr, path.substr(path.find_last_of('\\') + 1), 0);

  Menu menu;
  menu.header = ParseBglHeader(header_bytes);
  if (menu.header.HasSceneryList()) {
    if (auto list = ReadSceneryList(s, *file, menu.header)) menu.scenery_list = *list;
  }
  // Read without a VIS file: no VIS entry (-1), and SCEN numbers are kept as saved.
  if (menu.header.menu_offset != 0 && file->Seek(menu.header.menu_offset)) {
    ReadBglMenu(s, *file, menu.header, path, -1, SceneryCheck::kAsSaved);
  }
  if (json) {
    PrintJson(path, menu, tree, set, fractional);
  } else {
    PrintText(path, menu, tree, set, fractional);
  }
  return 0;
}

}  // namespace

extern const Command kBglCommand = {"bgl", kUsage, RunBgl};

}  // namespace tarnwick::cli
