// Everything a core operation needs, wired for a test: the model, a memory tree, the native file
// system (Z: is "/", so host paths of a TempDir are reachable as Z:\...), a recording host.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "scenery/close_scenery_set.h"
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

// The progress box's Cancel pressed while the `at`-th message pump from now runs: as in the
// window, the state becomes cancelled and the set is closed under the running operation.
inline void PressCancelAtPump(TestSession& t, int at) {
  t.host.pumps = 0;
  t.host.on_pump = [&t, at](int n) {
    if (n == at) {
      t.host.busy = BusyState::kCancelled;
      CloseScenerySet(t.session, false);
    }
    return true;
  };
}

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
