#include "platform/posix/errno_translation.h"

#include <cerrno>

#include "platform/file_system.h"

namespace tarnwick {
namespace {

// Win32 codes that only this translation needs.
constexpr uint32_t kTooManyOpenFiles = 4;
constexpr uint32_t kNotSameDevice = 17;
constexpr uint32_t kGenFailure = 31;
constexpr uint32_t kDirNotEmpty = 145;
constexpr uint32_t kFilenameTooLong = 206;

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

}  // namespace tarnwick
