// tarnwick-bench scan: the scan and the save of a large generated set against the I/O they cannot
// avoid, and the scan's peak memory against the menu bytes it reads.
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
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
#include "output/save_results.h"
#include "platform/file_system.h"
#include "scan_set_generator.h"
#include "scenery/memory_menu_tree.h"
#include "scenery/scan.h"
#include "scenery/session.h"

namespace tarnwick::bench {

namespace {

constexpr int kRuns = 9;

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

// The same through the program's file system.
void PortSaveFloor(FileSystem& fs, const GeneratedSet& set, const std::vector<uint8_t>& menu_bgl,
                   const std::string& target) {
  if (std::unique_ptr<File> file = fs.Open(target, OpenMode::kCreateWrite)) {
    file->Write(menu_bgl.data(), static_cast<uint32_t>(menu_bgl.size()));
  }
  const uint8_t off = 0;
  for (size_t e = 0; e < set.folders.size(); ++e) {
    std::string folder = "C:\\FS98\\Scenery\\Area" + std::to_string(1000 + e) + "\\Scenery\\";
    for (size_t f = 0; f < set.bgls.size() / set.folders.size(); ++f) {
      std::unique_ptr<File> file =
          fs.Open(folder + "F" + std::to_string(100 + f) + ".bgl", OpenMode::kReadWrite);
      if (file && file->Seek(4096)) file->Write(&off, 1);
    }
  }
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

// Scans once in a child process and returns how far its resident memory rose (bytes), or -1.
long ScanPeakMemory(const std::filesystem::path& drive_c) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return -1;
  pid_t child = fork();
  if (child == 0) {
    close(pipe_fds[0]);
    long before = StatusKb("VmRSS:");
    long rise = -1;
    {
      Program p(drive_c);
      if (Scan(p)) rise = (StatusKb("VmHWM:") - before) * 1024;
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

void Figure(const char* name, double value, const char* unit) {
  std::printf("%s: %.2f %s\n", name, value, unit);
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
  GeneratedSet set = GenerateSet(dir, SetShape{});

  long peak = ScanPeakMemory(dir);

  Program p(dir);
  if (!Scan(p) || p.set.location_count != set.locations) {
    std::fprintf(stderr, "scan failed: %d Locations read, %d written\n", p.set.location_count,
                 set.locations);
    return 1;
  }
  auto [scan_ms, scan_floor_ms] = BestOfPair([&] { Scan(p); }, [&] { ScanFloor(set); });
  auto [scan_again_ms, port_floor_ms] =
      BestOfPair([&] { Scan(p); }, [&] { PortScanFloor(*p.fs, set); });
  scan_ms = std::min(scan_ms, scan_again_ms);

  // The save writes the menu BGL and one byte into each source BGL.
  SaveResults(p.s, false, false);
  std::filesystem::path menu_bgl =
      dir / "FS98" / "Scenery" / "Menus" / "Scenery" / "World_MENU.bgl";
  std::ifstream in(menu_bgl, std::ios::binary);
  std::vector<uint8_t> menu_bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  std::filesystem::path scratch = dir / "floor_menu.bgl";
  auto [save_ms, save_floor_ms] = BestOfPair([&] { SaveResults(p.s, false, false); },
                                             [&] { SaveFloor(set, menu_bytes, scratch); });
  auto [save_again_ms, save_port_floor_ms] =
      BestOfPair([&] { SaveResults(p.s, false, false); },
                 [&] { PortSaveFloor(*p.fs, set, menu_bytes, "C:\\floor_menu.bgl"); });
  save_ms = std::min(save_ms, save_again_ms);

  std::printf("vis_entries: %d count\n", static_cast<int>(set.folders.size()));
  std::printf("bgl_files: %d count\n", static_cast<int>(set.bgls.size()));
  std::printf("areas: %d count\n", p.set.area_count);
  std::printf("locations: %d count\n", p.set.location_count);
  std::printf("menu_bytes_read: %llu bytes\n", static_cast<unsigned long long>(set.menu_bytes));
  std::printf("menu_bgl_written: %zu bytes\n", menu_bytes.size());
  Figure("scan_time", scan_ms, "ms");
  Figure("scan_floor_time", scan_floor_ms, "ms");
  Figure("scan_port_floor_time", port_floor_ms, "ms");
  Figure("save_time", save_ms, "ms");
  Figure("save_floor_time", save_floor_ms, "ms");
  Figure("save_port_floor_time", save_port_floor_ms, "ms");
  std::printf("scan_peak_memory: %ld bytes\n", peak);
  Figure("scan_ratio", scan_ms / scan_floor_ms, "x (goal 1.5)");
  Figure("scan_port_ratio", scan_ms / port_floor_ms, "x (goal 1.5)");
  Figure("save_ratio", save_ms / save_floor_ms, "x (goal 2)");
  Figure("save_port_ratio", save_ms / save_port_floor_ms, "x (goal 2)");
  Figure("memory_ratio", static_cast<double>(peak) / static_cast<double>(set.menu_bytes),
         "x (goal 3)");

  if (own_dir) std::filesystem::remove_all(dir);
  return 0;
}

}  // namespace tarnwick::bench
