#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/posix/wine_names.h"

namespace tarnwick {
namespace {

// Win32 codes that only this translation needs.
constexpr uint32_t kTooManyOpenFiles = 4;
constexpr uint32_t kNotSameDevice = 17;
constexpr uint32_t kGenFailure = 31;
constexpr uint32_t kDirNotEmpty = 145;
constexpr uint32_t kFilenameTooLong = 206;

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

bool HasDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::string Join(const std::string& folder, std::string_view name) {
  std::string out = folder;
  if (out.empty() || out.back() != '/') out += '/';
  out += name;
  return out;
}

// The name of the last component and the rest (with its drive), split at the last separator.
std::pair<std::string_view, std::string_view> SplitLast(std::string_view path) {
  size_t cut = path.find_last_of("\\/");
  if (cut == std::string_view::npos) {
    size_t start = HasDrive(path) ? 2 : 0;
    return {path.substr(0, start), path.substr(start)};
  }
  return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

// `*` and `?` without regard to case, as the Win32 directory search matches them.
bool MatchPattern(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Upper(pattern[p]) == Upper(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool MatchFileName(std::string_view pattern, std::string_view name) {
  if (MatchPattern(pattern, name)) return true;
  // "name.*" also finds a name without an extension, as on Win32 ("*.*" finds everything).
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos) {
    return MatchPattern(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

// The components of a path without its drive, "." and empty ones left out.
std::vector<std::string_view> SplitParts(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    std::string_view part = path.substr(start, end - start);
    if (!part.empty() && part != ".") parts.push_back(part);
    start = end + 1;
  }
  return parts;
}

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

bool StatPath(const std::string& path, struct stat& st) {
  return ::stat(path.c_str(), &st) == 0;
}

// Moves `from` over `to` where the two lie on different file systems: a copy under a temporary
// name beside `to`, flushed and renamed over it, then `from` goes. False (with errno) when any
// step fails; `to` is then as it was.
bool MoveAcrossFileSystems(const std::string& from, const std::string& to) {
  int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  std::string part = to + ".partXXXXXX";
  int out = ::mkstemp(part.data());
  if (out < 0) {
    ::close(in);
    return false;
  }
  struct stat st;
  bool copied = ::fstat(in, &st) == 0 && ::fchmod(out, st.st_mode & 07777) == 0;
  char buffer[65536];
  while (copied) {
    ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got == 0) break;
    copied = got > 0 && ::write(out, buffer, static_cast<size_t>(got)) == got;
  }
  copied = copied && ::fsync(out) == 0;
  int saved = errno;
  ::close(in);
  copied = ::close(out) == 0 && copied;
  if (!copied || ::rename(part.c_str(), to.c_str()) != 0) {
    saved = copied ? errno : saved;
    ::unlink(part.c_str());
    errno = saved;
    return false;
  }
  ::unlink(from.c_str());
  return true;
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return StatPath(path, st) && S_ISDIR(st.st_mode);
}

// Wine's rule for the read-only attribute: no one may write the file.
bool IsReadOnlyMode(mode_t mode) {
  return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
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

std::string Canonical(const std::string& dir) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(dir, ec);
  if (ec) p = dir;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(p, ec);
  std::string out = (ec ? p.lexically_normal() : canonical).string();
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

int64_t KnownSize(const struct stat& st) {
  return S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : -1;
}

class PosixFile : public File {
 public:
  // `known_size`: the size of a regular file when it was opened (-1 when not known), so that a
  // read that reaches it need not ask again only to be told that the file ends there.
  PosixFile(int fd, bool can_read, bool can_write, std::shared_ptr<uint32_t> last_error,
            int64_t known_size = -1)
      : fd_(fd),
        can_read_(can_read),
        can_write_(can_write),
        known_size_(known_size),
        last_error_(std::move(last_error)) {}
  ~PosixFile() override { ::close(fd_); }

  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    got = 0;
    if (!can_read_) return Fail(win32_error::kAccessDenied);
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (got < size) {
      ssize_t n = ::pread(fd_, bytes + got, size - got, static_cast<off_t>(position_) + got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Fail(errno == EIO ? win32_error::kReadFault : Win32ErrorFromErrno(errno));
      if (n == 0) break;  // end of file: a short count, not an error
      got += static_cast<uint32_t>(n);
      // At the known end, reading on would only find it again: a call saved for each short file.
      // A short count before it (network and user-space file systems give them) reads on.
      if (known_size_ >= 0 && static_cast<int64_t>(position_) + got >= known_size_) break;
    }
    position_ += got;
    return true;
  }

  bool Write(const void* buffer, uint32_t size) override {
    if (!can_write_) return Fail(win32_error::kAccessDenied);
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < size) {
      ssize_t n = ::pwrite(fd_, bytes + done, size - done, static_cast<off_t>(position_) + done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        position_ += done;
        if (n == 0) return Fail(win32_error::kDiskFull);
        return Fail(errno == EIO ? win32_error::kWriteFault : Win32ErrorFromErrno(errno));
      }
      done += static_cast<uint32_t>(n);
    }
    position_ += done;
    if (known_size_ >= 0) known_size_ = std::max(known_size_, static_cast<int64_t>(position_));
    return true;
  }

  // Reads and writes name their position, so a seek costs no call into the system: the menu
  // reader and the menu switch seek before almost every read.
  bool Seek(uint32_t position) override {
    position_ = position;
    return true;
  }

  uint32_t Position() const override { return position_; }

  int64_t Size() const override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) {
      *last_error_ = Win32ErrorFromErrno(errno);
      return -1;
    }
    return static_cast<int64_t>(st.st_size);
  }

  bool Flush() override {
    if (::fsync(fd_) != 0) return Fail(Win32ErrorFromErrno(errno));
    return true;
  }

 private:
  bool Fail(uint32_t code) {
    *last_error_ = code;
    return false;
  }

  int fd_;
  bool can_read_;
  bool can_write_;
  int64_t known_size_;
  uint32_t position_ = 0;
  std::shared_ptr<uint32_t> last_error_;
};

}  // namespace

uint32_t Win32ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return win32_error::kFileNotFound;
    case ENOTDIR:
      return win32_error::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return win32_error::kAccessDenied;
    case ENOSPC:
    case EDQUOT:
      return win32_error::kDiskFull;
    case EEXIST:
      return win32_error::kAlreadyExists;
    case ENOMEM:
      return win32_error::kNotEnoughMemory;
    case EBADF:
      return win32_error::kInvalidHandle;
    case EINVAL:
      return win32_error::kInvalidParameter;
    case ENAMETOOLONG:
      return kFilenameTooLong;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case EBUSY:
    case ETXTBSY:
      return win32_error::kSharingViolation;
    case ENOTEMPTY:
      return kDirNotEmpty;
    case EXDEV:
      return kNotSameDevice;
    case EIO:
      return win32_error::kReadFault;
    default:
      return kGenFailure;
  }
}

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
    folder = ".";
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

bool PosixFileSystem::Replace(std::string_view from, std::string_view to) {
  Resolved source = Resolve(from);
  if (source.host.empty()) return false;
  struct stat st;
  if (!source.exists || !StatPath(source.host, st)) return Fail(win32_error::kFileNotFound);
  if (S_ISDIR(st.st_mode)) return Fail(win32_error::kAccessDenied);
  Resolved target = Resolve(to);
  if (target.host.empty()) return false;
  if (target.exists && StatPath(target.host, st) &&
      (S_ISDIR(st.st_mode) || IsReadOnlyMode(st.st_mode))) {
    return Fail(win32_error::kAccessDenied);
  }
  // A link stays a link: the file it points at is the one replaced.
  std::string destination = target.host;
  struct stat link;
  if (::lstat(destination.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (char* real = ::realpath(destination.c_str(), nullptr)) {
      destination = real;
      std::free(real);
    }
  }
  // The new file keeps the permissions and, where allowed, the owner of the one it replaces.
  if (target.exists && StatPath(destination, st)) {
    ::chmod(source.host.c_str(), st.st_mode & 07777);
    if (::chown(source.host.c_str(), st.st_uid, st.st_gid) != 0) {
      // Only the owner's own files can be given away; the file stays the user's.
    }
  }
  // The new contents reach the disk before the name points at them.
  int fd = ::open(source.host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  if (::rename(source.host.c_str(), destination.c_str()) != 0) {
    // A link into another file system: the new contents are copied beside the file it points
    // at and put in its place there.
    if (errno != EXDEV || !MoveAcrossFileSystems(source.host, destination)) {
      return Fail(Win32ErrorFromErrno(errno));
    }
  }
  std::string folder = destination.substr(0, destination.rfind('/') + 1);
  fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
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

std::unique_ptr<FileSystem> MakeNativeFileSystem(const DriveMap& drives) {
  return std::make_unique<PosixFileSystem>(DefaultDrives(drives));
}

}  // namespace tarnwick
