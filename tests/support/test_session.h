// Everything a core operation needs, wired for a test: the model, a memory tree, the native file
// system (Z: is "/", so host paths of a TempDir are reachable as Z:\...), a recording host.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "scenery/memory_menu_tree.h"
#include "scenery/session.h"
#include "support/recording_host.h"

namespace tarnwick::testing {

struct TestSession {
  explicit TestSession(const DriveMap& drives = {})
      : fs(MakeNativeFileSystem(drives)), session{set, tree, *fs, host, options, log, tree_state} {}

  ScenerySet set;
  MemoryMenuTree tree;
  std::unique_ptr<FileSystem> fs;
  RecordingHost host;
  Options options;
  LogFile log;
  TreeState tree_state;
  Session session;
};

// The Windows path under which the native file system reaches a host path (Z:\ is "/" on POSIX).
inline std::string WindowsPath(const std::filesystem::path& host_path) {
#ifdef _WIN32
  return host_path.string();
#else
  std::string s = "Z:" + host_path.string();
  for (char& c : s) {
    if (c == '/') c = '\\';
  }
  return s;
#endif
}

}  // namespace tarnwick::testing
