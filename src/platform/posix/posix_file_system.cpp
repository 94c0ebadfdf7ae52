#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/posix/file_name_pattern.h"
#include "platform/posix/host_paths.h"
#include "platform/posix/posix_file.h"
#include "platform/posix/windows_paths.h"
#include "platform/posix/wine_names.h"

namespace tarnwick {

using posix::IsFolder;
using posix::IsReadOnlyMode;
using posix::Join;
using posix::KnownSize;
using posix::MatchFileName;
using posix::PosixFile;
using posix::SplitLast;
using posix::StatPath;
using posix::Upper;

std::unique_ptr<File> PosixFileSystem::Open(std::string_view path, OpenMode mode) {
  if (SplitLast(path).second.find_first_of("*?") != std::string_view::npos) {
    Fail(win32_error::kInvalidName);
    return nullptr;
  }
  bool create = mode == OpenMode::kCreateReadWrite || mode == OpenMode::kCreateWrite;
  // A scan opens thousands of files, nearly all spelt as stored: opening the exact path and then
  // checking what was opened costs two calls where resolving first costs four. Any failure goes
  // the long way below, which gives the same result and error as ever. Creating never comes this
  // way, as it would truncate before the checks.
  if (!create) {
    if (std::string exact = ExactHostPath(path); !exact.empty()) {
      int fd = ::open(exact.c_str(), (mode == OpenMode::kRead ? O_RDONLY : O_RDWR) | O_CLOEXEC);
      if (fd >= 0) {
        struct stat st;
        if (::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode) &&
            (mode == OpenMode::kRead || !IsReadOnlyMode(st.st_mode))) {
          return std::make_unique<PosixFile>(fd, true, mode != OpenMode::kRead, last_error_,
                                             KnownSize(st));
        }
        ::close(fd);
      }
    }
  }
  Resolved r = Resolve(path);
  if (r.host.empty()) return nullptr;
  struct stat st;
  if (!r.exists || !StatPath(r.host, st)) {
    if (!create) {
      Fail(win32_error::kFileNotFound);
      return nullptr;
    }
  } else if (S_ISDIR(st.st_mode)) {
    Fail(win32_error::kAccessDenied);
    return nullptr;
  } else if (mode != OpenMode::kRead && IsReadOnlyMode(st.st_mode)) {
    // A read-only file refuses writers even to root, as the attribute does on Win32.
    Fail(win32_error::kAccessDenied);
    return nullptr;
  }

  int flags = O_CLOEXEC;
  bool can_read = true, can_write = true;
  switch (mode) {
    case OpenMode::kRead:
      flags |= O_RDONLY;
      can_write = false;
      break;
    case OpenMode::kReadWrite:
      flags |= O_RDWR;
      break;
    case OpenMode::kCreateReadWrite:
      flags |= O_RDWR | O_CREAT | O_TRUNC;
      break;
    case OpenMode::kCreateWrite:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      can_read = false;
      break;
  }
  int fd = ::open(r.host.c_str(), flags, 0666);
  if (fd < 0) {
    Fail(Win32ErrorFromErrno(errno));
    return nullptr;
  }
  return std::make_unique<PosixFile>(fd, can_read, can_write, last_error_);
}

std::vector<std::string> PosixFileSystem::FindFiles(std::string_view pattern) {
  std::vector<std::string> names;
  auto [folder_part, name_pattern] = SplitLast(pattern);
  std::string folder;
  DIR* dir = nullptr;
  if (folder_part.empty()) {
    folder.assign(1, '.');  // "." written so to avoid a false -Wrestrict of GCC 12
  } else {
    // A folder spelt as stored opens at once; otherwise it is found the long way. A trailing
    // separator or a bare drive names the folder itself.
    std::string exact = ExactHostPath(std::string(folder_part) + ".");
    dir = exact.empty() ? nullptr : ::opendir(exact.c_str());
    if (dir != nullptr) {
      folder = exact;
    } else {
      Resolved r = Resolve(std::string(folder_part) + ".");
      if (r.host.empty()) return names;
      if (!r.exists || !IsFolder(r.host)) {
        Fail(win32_error::kPathNotFound);
        return names;
      }
      folder = r.host;
    }
  }
  if (dir == nullptr) dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    Fail(errno == ENOENT ? win32_error::kPathNotFound : Win32ErrorFromErrno(errno));
    return names;
  }
  while (const dirent* entry = ::readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    // The program sees the name in its code page; one that the code page cannot spell (or that
    // is no UTF-8) is matched and given as its bytes.
    std::optional<std::string> program;
    if (HasHighBytes(name)) program = ProgramName(name);
    std::string_view shown = program ? std::string_view(*program) : name;
    if (!MatchFileName(name_pattern, shown)) continue;
    // The entry's type comes with it on most file systems; only links and unknown types need a
    // look at what they are.
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat st;
      regular = StatPath(Join(folder, name), st) && S_ISREG(st.st_mode);
    }
    if (regular) names.emplace_back(shown);
  }
  ::closedir(dir);
  // NTFS keeps a folder sorted by upper-cased name; the same order makes one scenery set give
  // the same menu on both platforms.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
      auto x = static_cast<unsigned char>(Upper(a[i])), y = static_cast<unsigned char>(Upper(b[i]));
      if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
  });
  if (names.empty()) Fail(win32_error::kFileNotFound);
  return names;
}

bool PosixFileSystem::Exists(std::string_view path) {
  Resolved r = Resolve(path);
  if (r.host.empty()) return false;
  if (!r.exists) return Fail(win32_error::kFileNotFound);
  return true;
}

bool PosixFileSystem::IsWritable(std::string_view path) {
  Resolved r = Resolve(path);
  if (r.host.empty()) return false;
  struct stat st;
  if (!StatOf(r, st)) return Fail(win32_error::kFileNotFound);
  return !IsReadOnlyMode(st.st_mode);
}

bool PosixFileSystem::SetNormalAttributes(std::string_view path) {
  Resolved r = Resolve(path);
  if (r.host.empty()) return false;
  struct stat st;
  if (!StatOf(r, st)) return Fail(win32_error::kFileNotFound);
  // Already writable: nothing to change, and no metadata write for each of many files.
  if ((st.st_mode & S_IWUSR) != 0) return true;
  if (::chmod(r.host.c_str(), (st.st_mode & 07777) | S_IWUSR) != 0) {
    return Fail(Win32ErrorFromErrno(errno));
  }
  return true;
}

std::unique_ptr<File> PosixFileSystem::OpenMadeWritable(std::string_view path) {
  // Opened first and made writable through the open file: one look-up of the path instead of two
  // for each of the thousands of files a save switches. A file that does not open so (missing,
  // spelt in another case, refused) goes the usual way, with the usual result.
  if (SplitLast(path).second.find_first_of("*?") == std::string_view::npos) {
    if (std::string exact = ExactHostPath(path); !exact.empty()) {
      int fd = ::open(exact.c_str(), O_RDWR | O_CLOEXEC);
      if (fd >= 0) {
        struct stat st;
        if (::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode)) {
          // As SetNormalAttributes: the owner may write; a refusal is no failure of the open.
          if ((st.st_mode & S_IWUSR) == 0) ::fchmod(fd, (st.st_mode & 07777) | S_IWUSR);
          return std::make_unique<PosixFile>(fd, true, true, last_error_, KnownSize(st));
        }
        ::close(fd);
      }
    }
  }
  return FileSystem::OpenMadeWritable(path);
}

bool PosixFileSystem::SetReadOnly(std::string_view path) {
  Resolved r = Resolve(path);
  if (r.host.empty()) return false;
  struct stat st;
  if (!StatOf(r, st)) return Fail(win32_error::kFileNotFound);
  if (::chmod(r.host.c_str(), st.st_mode & 07777 & ~(S_IWUSR | S_IWGRP | S_IWOTH)) != 0) {
    return Fail(Win32ErrorFromErrno(errno));
  }
  return true;
}

bool PosixFileSystem::Delete(std::string_view path) {
  Resolved r = Resolve(path);
  if (r.host.empty()) return false;
  struct stat st;
  if (!r.exists || ::lstat(r.host.c_str(), &st) != 0) return Fail(win32_error::kFileNotFound);
  if (S_ISDIR(st.st_mode)) return Fail(win32_error::kAccessDenied);
  if (!S_ISLNK(st.st_mode) && IsReadOnlyMode(st.st_mode)) {
    return Fail(win32_error::kAccessDenied);
  }
  if (::unlink(r.host.c_str()) != 0) return Fail(Win32ErrorFromErrno(errno));
  return true;
}

bool PosixFileSystem::Rename(std::string_view from, std::string_view to) {
  Resolved source = Resolve(from);
  if (source.host.empty()) return false;
  if (!source.exists) return Fail(win32_error::kFileNotFound);
  Resolved target = Resolve(to);
  if (target.host.empty()) return false;
  std::string target_host = target.host;
  if (target.exists) {
    struct stat a, b;
    bool same = ::lstat(source.host.c_str(), &a) == 0 && ::lstat(target.host.c_str(), &b) == 0 &&
                a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    // Renaming a file to another case of its own name is allowed, as on Win32.
    if (!same) return Fail(win32_error::kAlreadyExists);
    target_host =
        Join(target.host.substr(0, target.host.rfind('/')), HostName(SplitLast(to).second));
  }
  if (::rename(source.host.c_str(), target_host.c_str()) != 0) {
    return Fail(Win32ErrorFromErrno(errno));
  }
  return true;
}

bool PosixFileSystem::MakeFolder(std::string_view path) {
  Resolved r = Resolve(path);
  if (r.host.empty()) return false;
  if (r.exists) return Fail(win32_error::kAlreadyExists);
  if (::mkdir(r.host.c_str(), 0777) != 0) return Fail(Win32ErrorFromErrno(errno));
  return true;
}

std::unique_ptr<FileSystem> MakeNativeFileSystem(const DriveMap& drives) {
  return std::make_unique<PosixFileSystem>(DefaultDrives(drives));
}

}  // namespace tarnwick
