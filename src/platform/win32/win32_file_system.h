// The file system on Windows: the ...A calls, with paths and names kept as single-byte strings.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tarnwick {

class Win32FileSystem : public FileSystem {
 public:
  std::unique_ptr<File> Open(std::string_view path, OpenMode mode) override;
  std::vector<std::string> FindFiles(std::string_view pattern) override;
  bool Exists(std::string_view path) override;
  bool IsWritable(std::string_view path) override;
  bool SetNormalAttributes(std::string_view path) override;
  bool SetReadOnly(std::string_view path) override;
  bool Delete(std::string_view path) override;
  bool Rename(std::string_view from, std::string_view to) override;
  bool Replace(std::string_view from, std::string_view to) override;
  bool MakeFolder(std::string_view path) override;
  uint32_t LastError() const override { return *last_error_; }
  std::string ProgramPath(std::string_view typed) override;

 private:
  bool Fail();  // records GetLastError() and returns false

  // Shared with the open files, which report their errors here as well.
  std::shared_ptr<uint32_t> last_error_ = std::make_shared<uint32_t>(0);
};

}  // namespace tarnwick
