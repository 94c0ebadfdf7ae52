// tarnwick-bench scan: the scan and the save of a large generated set against the I/O they cannot
// avoid, and the scan's peak memory against the menu bytes it reads.
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sched.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "bench_commands.h"
#include "bench_host.h"
#include "cli/scenery_job.h"
#include "output/save_results.h"
#include "platform/file_system.h"
#include "platform/heap_pages.h"
#include "scan_set_generator.h"
#include "scenery/memory_menu_tree.h"
#include "scenery/scan.h"
#include "scenery/session.h"

namespace tarnwick::bench {

namespace {

constexpr int kRuns = 15;

// The simulator's drive: the set lies on C: as an installed one does.
constexpr const char* kVisPath = "C:\\FS98\\Scenery\\World.vis";

// The program's pieces wired for one scenery set.
struct Program {
  explicit Program(const std::filesystem::path& drive_c)
      : fs(MakeNativeFileSystem(DriveMap{{{'C', drive_c.string()}}})), s{set,       tree,    *fs,
                                                                         host,      options, log,
                                                                         tree_state} {
    set.vis_path = kVisPath;
  }
  ScenerySet set;
  MemoryMenuTree tree;
  std::unique_ptr<FileSystem> fs;
  QuietHost host;
  Options options;
  LogFile log;
  TreeState tree_state;
  Session s;
};

double Milliseconds(const std::function<void()>& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The best of several runs of each, taken in turns so that a busy moment of the machine weighs
// on both alike.
std::pair<double, double> BestOfPair(const std::function<void()>& work,
                                     const std::function<void()>& floor) {
  double best_work = 1e300, best_floor = 1e300;
  for (int i = 0; i < kRuns; ++i) {
    best_work = std::min(best_work, Milliseconds(work));
    best_floor = std::min(best_floor, Milliseconds(floor));
  }
  return {best_work, best_floor};
}

bool Scan(Program& p) {
  bool scanned = ScanScenerySet(p.s);
  p.host.CloseProgressBox();
  return scanned;
}

uint32_t HeaderU32(const uint8_t* bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

// The least a scan must do: list each folder, open each BGL, read its header and its menu bytes.
uint64_t ScanFloor(const GeneratedSet& set) {
  uint64_t bytes = 0;
  std::vector<uint8_t> buffer;
  for (const auto& folder : set.folders) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) continue;
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
      if (fnmatch("*.bgl", entry->d_name, FNM_CASEFOLD) == 0) names.emplace_back(entry->d_name);
    }
    closedir(dir);
    for (const std::string& name : names) {
      int fd = open((folder / name).c_str(), O_RDONLY);
      if (fd < 0) continue;
      uint8_t header[128];
      struct stat st {};
      if (read(fd, header, sizeof header) == sizeof header && fstat(fd, &st) == 0) {
        uint32_t offset = HeaderU32(header, 66);
        if (offset != 0 && offset < st.st_size) {
          buffer.resize(static_cast<size_t>(st.st_size - offset));
          ssize_t got = pread(fd, buffer.data(), buffer.size(), offset);
          if (got > 0) bytes += static_cast<uint64_t>(got);
        }
      }
      close(fd);
    }
  }
  return bytes;
}

// The same loop through the program's file system, which resolves every path as Windows would
// (on POSIX: component by component, without regard to case).
uint64_t PortScanFloor(FileSystem& fs, const GeneratedSet& set) {
  uint64_t bytes = 0;
  std::vector<uint8_t> buffer;
  for (size_t e = 0; e < set.folders.size(); ++e) {
    std::string folder = "C:\\FS98\\Scenery\\Area" + std::to_string(1000 + e) + "\\Scenery\\";
    for (const std::string& name : fs.FindFiles(folder + "*.bgl")) {
      std::unique_ptr<File> file = fs.Open(folder + name, OpenMode::kRead);
      if (!file) continue;
      uint8_t header[128];
      uint32_t got = 0;
      if (!file->Read(header, sizeof header, got) || got != sizeof header) continue;
      uint32_t offset = HeaderU32(header, 66);
      int64_t size = file->Size();
      if (offset == 0 || offset >= size || !file->Seek(offset)) continue;
      buffer.resize(static_cast<size_t>(size - offset));
      if (file->Read(buffer.data(), static_cast<uint32_t>(buffer.size()), got)) bytes += got;
    }
  }
  return bytes;
}

// The least a save must do: write the menu BGL in one go and one byte into each source BGL.
void SaveFloor(const GeneratedSet& set, const std::vector<uint8_t>& menu_bgl,
               const std::filesystem::path& target) {
  int fd = open(target.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
  if (fd >= 0) {
    if (write(fd, menu_bgl.data(), menu_bgl.size()) < 0) std::perror("write");
    close(fd);
  }
  const uint8_t off = 0;
  for (const auto& bgl : set.bgls) {
    int f = open(bgl.c_str(), O_WRONLY);
    if (f < 0) continue;
    if (pwrite(f, &off, 1, 4096) < 0) std::perror("pwrite");
    close(f);
  }
}

// One run of `tarnwick-cli menu --summary` on the set, as a user would start it: the program that
// ships, in a process of its own, its output thrown away. So everything the job does (starting,
// the drive map, the scan, printing, closing the set) is counted. Returns the wall time in
// milliseconds, negative when the job failed.
struct CliRun {
  double ms = -1;
};

CliRun RunCliMenu(const std::string& cli, const std::filesystem::path& drive_c,
                  const char* output = "/dev/null") {
  std::string drive = "C=" + drive_c.string();
  CliRun run;
  // Started as a shell starts a program (posix_spawn, no copy of this process's memory).
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output, O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string menu = "menu", summary = "--summary", drive_flag = "--drive", vis = kVisPath;
  char* args[] = {const_cast<char*>(cli.c_str()),
                  menu.data(),
                  summary.data(),
                  drive_flag.data(),
                  drive.data(),
                  vis.data(),
                  nullptr};
  auto start = std::chrono::steady_clock::now();
  pid_t child = -1;
  int spawned = posix_spawn(&child, cli.c_str(), &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  if (waitpid(child, &status, 0) != child) return run;
  double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return run;
  run.ms = ms;
  return run;
}

long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  size_t length = std::strlen(field);
  while (std::getline(status, line)) {
    if (line.compare(0, length, field) == 0) return std::stol(line.substr(length + 1));
  }
  return -1;
}

// How far the resident memory of a process rises while it scans the set as the menu job of
// tarnwick-cli does (the same job object, without the printing), in bytes; -1 when the scan
// failed. Measured in a child of its own, so that nothing of this program's earlier work counts.
long ScanMemoryRise(const std::filesystem::path& drive_c) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return -1;
  pid_t child = fork();
  if (child == 0) {
    close(pipe_fds[0]);
    // As the job's own process prepares its heap.
    PreferLargeHeapPages();
    long before = StatusKb("VmRSS:");
    long rise = -1;
    {
      cli::JobLine line;
      line.file = kVisPath;
      line.drives.drives['C'] = drive_c.string();
      cli::SceneryJob job(line, cli::CliHost::Answer::kNo);
      if (job.Locate("menu") && job.Scan()) rise = (StatusKb("VmHWM:") - before) * 1024;
    }
    if (write(pipe_fds[1], &rise, sizeof rise) != sizeof rise) _exit(1);
    _exit(0);
  }
  close(pipe_fds[1]);
  long rise = -1;
  if (child < 0 || read(pipe_fds[0], &rise, sizeof rise) != sizeof rise) rise = -1;
  close(pipe_fds[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  return rise;
}

// tarnwick-cli lies beside this program in the build folder.
std::string CliBesideUs() {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return (self.parent_path() / "tarnwick-cli").string();
}

bool FileHolds(const std::filesystem::path& path, const std::string& text) {
  std::ifstream in(path);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return all.find(text) != std::string::npos;
}

void Figure(const char* name, double value, const char* unit) {
  std::printf("%s: %.2f %s\n", name, value, unit);
}

void Count(const char* name, unsigned long long value, const char* unit) {
  std::printf("%s: %llu %s\n", name, value, unit);
}

}  // namespace

int RunScanBench(int argc, char** argv) {
  std::filesystem::path dir;
  bool own_dir = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) {
      dir = argv[++i];
    } else {
      std::fprintf(stderr, "usage: tarnwick-bench scan [--dir DIR]\n");
      return 2;
    }
  }
  if (dir.empty()) {
    dir = std::filesystem::temp_directory_path() / ("tarnwick-bench-" + std::to_string(getpid()));
    own_dir = true;
  }
  std::filesystem::remove_all(dir / "FS98");
  std::filesystem::remove_all(dir / "empty");
  GeneratedSet set = GenerateSet(dir, SetShape{});
  // The same job on a set without entries: what the program costs before it reads any menu.
  SetShape no_entries;
  no_entries.entries = 0;
  GenerateSet(dir / "empty", no_entries);
  // Both sides run on one processor (the job inherits it), so that neither gains from where the
  // system happens to place it.
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(std::max(0, sched_getcpu()), &one);
  sched_setaffinity(0, sizeof one, &one);
  // The new files reach the disk before anything is timed: their write-back would otherwise run
  // beside the first measurements and slow them by a third.
  ::sync();

  const std::string cli = CliBesideUs();
  const std::filesystem::path listing = dir / "menu.txt";
  if (cli.empty() || RunCliMenu(cli, dir, listing.c_str()).ms < 0 ||
      !FileHolds(listing, "Locns: " + std::to_string(set.locations) + " ")) {
    std::fprintf(stderr, "tarnwick-cli menu did not read the %d Locations (%s)\n", set.locations,
                 cli.c_str());
    return 1;
  }

  // Memory first, while this program is still small.
  const long scan_memory = ScanMemoryRise(dir);
  if (scan_memory < 0) {
    std::fprintf(stderr, "the scan for the memory figure failed\n");
    return 1;
  }

  // Scan: the job against the raw loop, and the same loop through the program's file system
  // (which shows what resolving Windows paths costs), in turns, best of each.
  double scan_ms = 1e300, floor_ms = 1e300, port_floor_ms = 1e300, empty_ms = 1e300;
  Program p(dir);
  for (int i = 0; i < kRuns; ++i) {
    CliRun run = RunCliMenu(cli, dir);
    CliRun empty = RunCliMenu(cli, dir / "empty");
    if (run.ms < 0 || empty.ms < 0) {
      std::fprintf(stderr, "tarnwick-cli menu failed\n");
      return 1;
    }
    scan_ms = std::min(scan_ms, run.ms);
    empty_ms = std::min(empty_ms, empty.ms);
    floor_ms = std::min(floor_ms, Milliseconds([&] { ScanFloor(set); }));
    port_floor_ms = std::min(port_floor_ms, Milliseconds([&] { PortScanFloor(*p.fs, set); }));
  }

  // Save: the program's save of the scanned set (the menu BGL, its VIS entry, one byte in each
  // source BGL) against writing the same menu bytes in one go and the same bytes into the
  // sources.
  if (!Scan(p) || p.set.location_count != set.locations) {
    std::fprintf(stderr, "scan failed: %d Locations read, %d written\n", p.set.location_count,
                 set.locations);
    return 1;
  }
  SaveResults(p.s, false, false);
  std::filesystem::path menu_bgl =
      dir / "FS98" / "Scenery" / "Menus" / "Scenery" / "World_MENU.bgl";
  std::ifstream in(menu_bgl, std::ios::binary);
  std::vector<uint8_t> menu_bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  std::filesystem::path scratch = dir / "floor_menu.bgl";
  auto [save_ms, save_floor_ms] = BestOfPair([&] { SaveResults(p.s, false, false); },
                                             [&] { SaveFloor(set, menu_bytes, scratch); });

  // The scan a user makes next: the saved set, whose menu is now the one generated file with a
  // scenery list that every Location's entry is checked against.
  double saved_scan_ms = 1e300;
  for (int i = 0; i < kRuns; ++i) {
    CliRun run = RunCliMenu(cli, dir);
    if (run.ms < 0) {
      std::fprintf(stderr, "tarnwick-cli menu failed on the saved set\n");
      return 1;
    }
    saved_scan_ms = std::min(saved_scan_ms, run.ms);
  }

  Count("vis entries", set.folders.size(), "count");
  Count("bgl files", set.bgls.size(), "count");
  Count("areas", static_cast<unsigned long long>(p.set.area_count), "count");
  Count("locations", static_cast<unsigned long long>(p.set.location_count), "count");
  Count("menu bytes read", set.menu_bytes, "bytes");
  Count("menu bgl written", menu_bytes.size(), "bytes");
  Figure("scan time", scan_ms, "ms");
  Figure("scan floor time", floor_ms, "ms");
  Figure("scan port floor time", port_floor_ms, "ms");
  Figure("cli empty set time", empty_ms, "ms");
  Figure("saved set scan time", saved_scan_ms, "ms");
  Figure("save time", save_ms, "ms");
  Figure("save floor time", save_floor_ms, "ms");
  Count("scan peak memory", static_cast<unsigned long long>(scan_memory), "bytes");
  Figure("scan ratio", scan_ms / floor_ms, "x");
  Figure("save ratio", save_ms / save_floor_ms, "x");
  Figure("memory ratio", static_cast<double>(scan_memory) / static_cast<double>(set.menu_bytes),
         "x");

  if (own_dir) std::filesystem::remove_all(dir);
  return 0;
}

}  // namespace tarnwick::bench
