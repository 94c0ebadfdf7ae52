#include "platform/posix/posix_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/posix/errno_translation.h"

namespace tarnwick::posix {

PosixFile::PosixFile(int fd, bool can_read, bool can_write, std::shared_ptr<uint32_t> last_error,
                     int64_t known_size)
    : fd_(fd),
      can_read_(can_read),
      can_write_(can_write),
      known_size_(known_size),
      last_error_(std::move(last_error)) {}

PosixFile::~PosixFile() {
  ::close(fd_);
}

bool PosixFile::Read(void* buffer, uint32_t size, uint32_t& got) {
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

bool PosixFile::Write(const void* buffer, uint32_t size) {
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

int64_t PosixFile::Size() const {
  struct stat st;
  if (::fstat(fd_, &st) != 0) {
    *last_error_ = Win32ErrorFromErrno(errno);
    return -1;
  }
  return static_cast<int64_t>(st.st_size);
}

bool PosixFile::Flush() {
  if (::fsync(fd_) != 0) return Fail(Win32ErrorFromErrno(errno));
  return true;
}

}  // namespace tarnwick::posix
