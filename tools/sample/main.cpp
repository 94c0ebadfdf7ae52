// tarnwick-sample DIR [--windows-root X:\...]: writes the sample scenery set into DIR, the folder
// of a simulator install (DIR/Scenery/World.vis and the scenery it names).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/file_system.h"
#include "sample_set.h"

namespace {

// The Windows path under which Wine (and the native file system) reach a host path: drive Z: is
// the host's root.
std::string ZDrivePath(const std::filesystem::path& host) {
  std::string path = "Z:" + host.string();
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

int Usage() {
  std::fprintf(stderr,
               "usage: tarnwick-sample DIR [--windows-root X:\\...]\n"
               "Writes a sample scenery set into DIR (DIR\\Scenery\\World.vis and its areas).\n"
               "--windows-root gives the Windows path of DIR as the simulator sees it\n"
               "(default: Z: followed by DIR's absolute path).\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir;
  std::string windows_root;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--windows-root") == 0 && i + 1 < argc) {
      windows_root = argv[++i];
    } else if (argv[i][0] == '-' || !dir.empty()) {
      return Usage();
    } else {
      dir = argv[i];
    }
  }
  if (dir.empty()) return Usage();

  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::filesystem::path host = std::filesystem::absolute(dir, ec).lexically_normal();
  if (ec) {
    std::fprintf(stderr, "tarnwick-sample: cannot use %s: %s\n", dir.c_str(), ec.message().c_str());
    return 1;
  }
  const std::string folder = ZDrivePath(host);
  if (windows_root.empty()) windows_root = folder;
  while (windows_root.size() > 3 && windows_root.back() == '\\') windows_root.pop_back();

  std::unique_ptr<tarnwick::FileSystem> fs = tarnwick::MakeNativeFileSystem();
  std::string error;
  if (!tarnwick::sample::WriteSampleSet(*fs, folder, windows_root, error)) {
    std::fprintf(stderr, "tarnwick-sample: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s\\Scenery\\World.vis\n", windows_root.c_str());
  return 0;
}
