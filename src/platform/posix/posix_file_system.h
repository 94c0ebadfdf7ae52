// The file system on a POSIX host, addressed by Windows paths as Wine does: drive letters are
// mapped onto host folders (Z: is "/"), backslashes and slashes both separate components, and
// every component is found without regard to case. Its parts live in files of their own: the
// drive map (drive_map.cpp), finding a path (path_resolution.cpp), replacing a file
// (file_replacement.cpp), the open file (posix_file.cpp) and the rest of the calls here.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/drive_map.h"
#include "platform/posix/errno_translation.h"

namespace tarnwick {

class PosixFileSystem : public FileSystem {
 public:
  // Uses exactly the drives given (see DefaultDrives for the usual set).
  explicit PosixFileSystem(const DriveMap& drives);

  std::unique_ptr<File> Open(std::string_view path, OpenMode mode) override;
  std::vector<std::string> FindFiles(std::string_view pattern) override;
  bool Exists(std::string_view path) override;
  bool IsWritable(std::string_view path) override;
  bool SetNormalAttributes(std::string_view path) override;
  std::unique_ptr<File> OpenMadeWritable(std::string_view path) override;
  bool SetReadOnly(std::string_view path) override;
  bool Delete(std::string_view path) override;
  bool Rename(std::string_view from, std::string_view to) override;
  bool Replace(std::string_view from, std::string_view to) override;
  bool MakeFolder(std::string_view path) override;
  uint32_t LastError() const override { return *last_error_; }
  std::string ProgramPath(std::string_view typed) override;

  // The host path a Windows path leads to; empty (with LastError set) when one of its folders
  // does not exist. The last component need not exist: then it is kept as written.
  std::string HostPath(std::string_view path);

 private:
  struct Resolved {
    std::string host;     // the host path, empty when a folder on the way is missing
    bool exists = false;  // the last component was found
    // What the path leads to, when the look-up already learnt it (the path is no link).
    bool has_stat = false;
    struct stat st {};
  };
  // What `r` leads to, following links; false when nothing is there.
  static bool StatOf(const Resolved& r, struct stat& st);
  Resolved Resolve(std::string_view path);
  // The host folder a path starts from (its drive, "/" or "."), with the drive taken off `path`;
  // false for a drive that is not mapped.
  bool Base(std::string_view& path, std::string& base, bool& relative) const;
  // The host path with every component spelt as written; empty when that cannot be built.
  std::string ExactHostPath(std::string_view path) const;
  bool Fail(uint32_t code) {
    *last_error_ = code;
    return false;
  }

  DriveMap drives_;  // host folders in canonical form
  // Shared with the open files, which report their errors here as well.
  std::shared_ptr<uint32_t> last_error_;
};

}  // namespace tarnwick
