// Replacing a file by another as a save does: a link keeps pointing where it did and the file it
// points at takes the new contents, even on another file system; the new file keeps the old
// one's permissions and owner, and reaches the disk before its name does.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix/errno_translation.h"
#include "platform/posix/host_paths.h"
#include "platform/posix/posix_file_system.h"

namespace tarnwick {

using posix::IsReadOnlyMode;
using posix::StatPath;

namespace {

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

}  // namespace

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

}  // namespace tarnwick
