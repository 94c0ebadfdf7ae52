// The drive map both ways: the drives a prefix and the user give, the host folder a Windows path
// starts from, and the Windows path of a host path.
#include "platform/posix/drive_map.h"

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/posix/host_paths.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/windows_paths.h"
#include "platform/posix/wine_names.h"

namespace tarnwick {

using posix::Canonical;
using posix::HasDrive;
using posix::IsFolder;
using posix::IsSeparator;
using posix::Join;
using posix::Upper;

DriveMap WinePrefixDrives(const std::string& prefix) {
  DriveMap map;
  std::string folder = Join(prefix, "dosdevices");
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return map;
  while (const dirent* entry = ::readdir(dir)) {
    std::string_view name = entry->d_name;
    // "c:" is a drive; "c::" (the raw device) and everything else are not.
    if (name.size() != 2 || !HasDrive(name)) continue;
    std::string link = Join(folder, name);
    char* target = ::realpath(link.c_str(), nullptr);
    if (target == nullptr) continue;  // a dangling link leads nowhere
    if (IsFolder(target)) map.drives[Upper(name[0])] = target;
    std::free(target);
  }
  ::closedir(dir);
  return map;
}

DriveMap DefaultDrives(const DriveMap& explicit_drives) {
  DriveMap map;
  map.drives['Z'] = "/";
  std::string prefix;
  if (const char* env = std::getenv("WINEPREFIX"); env != nullptr && *env != '\0') {
    prefix = env;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    if (IsFolder(Join(home, ".wine"))) prefix = Join(home, ".wine");
  }
  if (!prefix.empty()) {
    for (const auto& [letter, folder] : WinePrefixDrives(prefix).drives) {
      map.drives[letter] = folder;
    }
  }
  for (const auto& [letter, folder] : explicit_drives.drives) map.drives[Upper(letter)] = folder;
  return map;
}

PosixFileSystem::PosixFileSystem(const DriveMap& drives)
    : last_error_(std::make_shared<uint32_t>(0)) {
  for (const auto& [letter, folder] : drives.drives)
    drives_.drives[Upper(letter)] = Canonical(folder);
}

bool PosixFileSystem::Base(std::string_view& path, std::string& base, bool& relative) const {
  relative = false;
  if (HasDrive(path)) {
    auto drive = drives_.drives.find(Upper(path[0]));
    if (drive == drives_.drives.end()) return false;
    base = drive->second;
    path.remove_prefix(2);
  } else if (IsSeparator(path[0])) {
    auto drive = drives_.drives.find('Z');
    base = drive == drives_.drives.end() ? "/" : drive->second;
  } else {
    base = ".";
    relative = true;
  }
  return true;
}

std::string PosixFileSystem::ProgramPath(std::string_view typed) {
  if (typed.empty()) return {};
  if (HasDrive(typed)) return std::string(typed);
  std::string host = Canonical(std::string(typed));
  char best_letter = 0;
  size_t best_length = 0;
  for (const auto& [letter, root] : drives_.drives) {
    bool inside = root == "/" || host == root ||
                  (host.size() > root.size() && host.compare(0, root.size(), root) == 0 &&
                   host[root.size()] == '/');
    if (!inside) continue;
    // The most specific drive wins; on equal roots any drive beats Z:.
    bool better = best_letter == 0 || root.size() > best_length ||
                  (root.size() == best_length && best_letter == 'Z' && letter != 'Z');
    if (better) {
      best_letter = letter;
      best_length = root.size();
    }
  }
  if (best_letter == 0) return {};
  std::string rest =
      best_length == 1 ? host.substr(1) : host.substr(std::min(host.size(), best_length + 1));
  // Host names are UTF-8; the program's are in its code page where that can spell them.
  if (std::optional<std::string> program = ProgramName(rest)) rest = std::move(*program);
  std::string out = std::string(1, best_letter) + ":\\" + rest;
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

}  // namespace tarnwick
