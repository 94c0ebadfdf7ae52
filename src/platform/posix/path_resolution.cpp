// Windows paths found on the host without regard to case: each component is looked up in its
// folder, spelt as Wine stores names or byte for byte, and the whole path is tried first as it
// is written.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>

#include "platform/posix/host_paths.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/windows_paths.h"
#include "platform/posix/wine_names.h"

namespace tarnwick {

using posix::EqualIgnoringCase;
using posix::IsFolder;
using posix::Join;
using posix::SplitParts;
using posix::StatPath;

namespace {

// The host path the components name when each is spelt as Wine stores it; empty when there are
// none or one is "..", which only the full resolution handles.
std::string ExactPath(const std::string& base, const std::vector<std::string_view>& parts) {
  if (parts.empty() || std::find(parts.begin(), parts.end(), "..") != parts.end()) return {};
  std::string exact = base;
  for (const auto& part : parts) {
    if (exact.empty() || exact.back() != '/') exact += '/';
    // Nearly every name is ASCII, spelt the same on both sides: no copy is made of it.
    if (HasHighBytes(part)) {
      exact += HostName(part);
    } else {
      exact += part;
    }
  }
  return exact;
}

// Whether the host name `entry` is the program name `name` without regard to case: read as
// UTF-8 as Wine stores it (its letters beyond ASCII folded as Windows folds them), or byte for
// byte as another program may have stored it.
bool EntryIsNamed(std::string_view entry, std::string_view name) {
  if (EqualIgnoringCase(entry, name)) return true;
  if (!HasHighBytes(entry)) return false;
  std::optional<std::string> program = ProgramName(entry);
  return program && SameProgramName(*program, name);
}

// The entry of `folder` that the program name `name` stands for: the exact name when it exists
// (spelt as Wine stores it, then byte for byte), otherwise the first (in byte order) that equals
// it without regard to case, preferring folders when `want_folder`.
bool FindEntry(const std::string& folder, std::string_view name, bool want_folder,
               std::string& found) {
  struct stat st;
  const std::string spellings[] = {HostName(name), std::string(name)};
  for (const std::string& spelling : spellings) {
    std::string exact = Join(folder, spelling);
    if (::lstat(exact.c_str(), &st) == 0 && (!want_folder || IsFolder(exact))) {
      found = spelling;
      return true;
    }
    if (!HasHighBytes(name)) break;  // both spellings are the same
  }
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return false;
  std::vector<std::string> matches;
  while (const dirent* entry = ::readdir(dir)) {
    std::string_view entry_name = entry->d_name;
    if (entry_name == "." || entry_name == "..") continue;
    if (EntryIsNamed(entry_name, name)) matches.emplace_back(entry_name);
  }
  ::closedir(dir);
  std::sort(matches.begin(), matches.end());
  for (const auto& match : matches) {
    if (!want_folder || IsFolder(Join(folder, match))) {
      found = match;
      return true;
    }
  }
  return false;
}

}  // namespace

std::string PosixFileSystem::ExactHostPath(std::string_view path) const {
  std::string base;
  bool relative = false;
  if (path.empty() || !Base(path, base, relative)) return {};
  return ExactPath(base, SplitParts(path));
}

PosixFileSystem::Resolved PosixFileSystem::Resolve(std::string_view path) {
  Resolved out;
  if (path.empty()) {
    Fail(win32_error::kPathNotFound);
    return out;
  }
  std::string base;
  bool relative = false;
  if (!Base(path, base, relative)) {
    Fail(win32_error::kPathNotFound);
    return out;
  }

  std::vector<std::string_view> parts = SplitParts(path);

  // Most paths are spelt as they are stored: one look-up of the whole path then does instead of
  // one or more per component. ".." is left to the walk below, which treats it lexically.
  if (std::string exact = ExactPath(base, parts); !exact.empty()) {
    if (::lstat(exact.c_str(), &out.st) == 0) {
      out.host = exact;
      out.exists = true;
      out.has_stat = !S_ISLNK(out.st.st_mode);
      return out;
    }
  }

  std::vector<std::string> names;
  for (size_t i = 0; i < parts.size(); ++i) {
    bool last = i + 1 == parts.size();
    if (parts[i] == "..") {
      // Lexical, as Win32 does; never above the drive's root.
      if (!names.empty() && names.back() != "..") {
        names.pop_back();
      } else if (relative) {
        names.emplace_back("..");
      }
      if (!last) continue;
      out.host = base;
      for (const auto& name : names) out.host = Join(out.host, name);
      out.exists = IsFolder(out.host);
      return out;
    }
    std::string folder = base;
    for (const auto& name : names) folder = Join(folder, name);
    std::string found;
    if (FindEntry(folder, parts[i], !last, found)) {
      names.push_back(found);
      if (last) out.exists = true;
    } else if (last) {
      names.push_back(HostName(parts[i]));  // a new name is created as Wine would spell it
    } else {
      Fail(win32_error::kPathNotFound);
      return out;
    }
  }
  out.host = base;
  for (const auto& name : names) out.host = Join(out.host, name);
  if (parts.empty()) out.exists = IsFolder(out.host);
  return out;
}

bool PosixFileSystem::StatOf(const Resolved& r, struct stat& st) {
  if (!r.exists) return false;
  if (r.has_stat) {
    st = r.st;
    return true;
  }
  return StatPath(r.host, st);
}

std::string PosixFileSystem::HostPath(std::string_view path) {
  return Resolve(path).host;
}

}  // namespace tarnwick
