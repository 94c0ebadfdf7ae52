// The file operations the program uses, addressed by Windows paths ("C:\FS98\Scenery\World.vis").
// The Win32 implementation calls the ...A functions directly; the POSIX implementation maps the
// paths onto a host folder tree (drive map, case-insensitive components) so that the same scenery
// set reads the same on both platforms.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// System error codes as Win32 reports them (GetLastError); the POSIX file system translates errno
// into the same numbers so that messages read alike on both platforms.
namespace win32_error {
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kInvalidHandle = 6;
constexpr uint32_t kNotEnoughMemory = 8;
constexpr uint32_t kBadFormat = 11;
constexpr uint32_t kWriteFault = 29;
constexpr uint32_t kReadFault = 30;
constexpr uint32_t kSharingViolation = 32;
constexpr uint32_t kLockViolation = 33;
constexpr uint32_t kHandleEof = 38;
constexpr uint32_t kFileExists = 80;
constexpr uint32_t kInvalidParameter = 87;
constexpr uint32_t kDiskFull = 112;
constexpr uint32_t kInvalidName = 123;
constexpr uint32_t kAlreadyExists = 183;
}  // namespace win32_error

// How a file is opened. Every mode shares reading with other openers, as the program always asks.
enum class OpenMode {
  kRead,             // existing file, read only
  kReadWrite,        // existing file, read and write, not truncated
  kCreateReadWrite,  // created anew (an existing file is truncated), read and write
  kCreateWrite,      // created anew (an existing file is truncated), write only
};

// One open file; closed when the object goes.
class File {
 public:
  virtual ~File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Reads up to `size` bytes; `got` receives how many arrived (fewer at the end of the file).
  // Returns false on an error; the error code is then the file system's LastError().
  virtual bool Read(void* buffer, uint32_t size, uint32_t& got) = 0;
  // Writes `size` bytes; false unless all were written.
  virtual bool Write(const void* buffer, uint32_t size) = 0;
  // Moves to an absolute position (positions past the end are allowed, as on Win32).
  virtual bool Seek(uint32_t position) = 0;
  virtual uint32_t Position() const = 0;
  // Size in bytes, or -1 when it cannot be read.
  virtual int64_t Size() const = 0;
  // Flushes written bytes to the disk (used before a file replaces another).
  virtual bool Flush() = 0;

 protected:
  File() = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens `path`; nullptr on failure, with LastError() set.
  virtual std::unique_ptr<File> Open(std::string_view path, OpenMode mode) = 0;
  // The names (not paths) of the files, not folders, that match the last component's `*`/`?`
  // pattern, in the order the platform's directory search yields them (NTFS: sorted by the
  // upper-cased name). An empty list when nothing matches or the folder does not exist.
  virtual std::vector<std::string> FindFiles(std::string_view pattern) = 0;
  virtual bool Exists(std::string_view path) = 0;  // a file or a folder
  // The file exists and is not read-only.
  virtual bool IsWritable(std::string_view path) = 0;
  // Clears the read-only attribute (Win32: FILE_ATTRIBUTE_NORMAL).
  virtual bool SetNormalAttributes(std::string_view path) = 0;
  // SetNormalAttributes, then Open for reading and writing: the way a file that may be read-only
  // is opened to be changed. A platform that can do both with one look-up of the path does so.
  virtual std::unique_ptr<File> OpenMadeWritable(std::string_view path) {
    SetNormalAttributes(path);
    return Open(path, OpenMode::kReadWrite);
  }
  virtual bool SetReadOnly(std::string_view path) = 0;
  virtual bool Delete(std::string_view path) = 0;
  // Renames a file; fails when `to` exists.
  virtual bool Rename(std::string_view from, std::string_view to) = 0;
  // Replaces `to` with `from` in one step (the file at `to` is either the old or the new one).
  virtual bool Replace(std::string_view from, std::string_view to) = 0;
  // Creates one folder; false (with kAlreadyExists) when it exists already.
  virtual bool MakeFolder(std::string_view path) = 0;

  // The system error code of the last failed call.
  virtual uint32_t LastError() const = 0;

  // A path as the user typed it (on POSIX a host path or a Windows path) turned into the Windows
  // path that the simulator would see; Win32 returns it unchanged. Empty when it cannot be mapped.
  virtual std::string ProgramPath(std::string_view typed) = 0;
};

// Drive letters mapped onto host folders, for the POSIX file system. Letters are upper case.
struct DriveMap {
  std::map<char, std::string> drives;  // 'C' -> "/home/user/.wine/drive_c"
};

// The file system of the platform the program was built for. On POSIX, `drives` adds to the
// defaults (Z: is "/", and the dosdevices of the Wine prefix in $WINEPREFIX or ~/.wine when it
// exists); on Win32 it is ignored.
std::unique_ptr<FileSystem> MakeNativeFileSystem(const DriveMap& drives = {});

}  // namespace tarnwick
