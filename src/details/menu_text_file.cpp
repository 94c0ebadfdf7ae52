#include "details/menu_text_file.h"

#include <memory>

namespace tarnwick {

std::optional<std::string> ReadMenuTextFile(FileSystem& fs, std::string_view path,
                                            uint32_t& error) {
  std::unique_ptr<File> file = fs.Open(path, OpenMode::kRead);
  if (!file) {
    error = fs.LastError();
    return std::nullopt;
  }
  int64_t size = file->Size();
  if (size < 0) {
    error = fs.LastError() != 0 ? fs.LastError() : win32_error::kReadFault;
    return std::nullopt;
  }
  if (size > kMaxMenuTextFile) {
    error = win32_error::kNotEnoughMemory;
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size), '\0');
  uint32_t got = 0;
  if (size > 0 && (!file->Read(bytes.data(), static_cast<uint32_t>(size), got) || got != size)) {
    error = fs.LastError() != 0 ? fs.LastError() : win32_error::kReadFault;
    return std::nullopt;
  }
  error = 0;
  return bytes;
}

uint32_t WriteMenuTextFile(FileSystem& fs, std::string_view path, std::string_view bytes) {
  const std::string temporary = std::string(path) + ".tarnwick-new";
  std::unique_ptr<File> file = fs.Open(temporary, OpenMode::kCreateWrite);
  if (!file) return fs.LastError() != 0 ? fs.LastError() : win32_error::kWriteFault;
  bool written = file->Write(bytes.data(), static_cast<uint32_t>(bytes.size())) && file->Flush();
  uint32_t error = fs.LastError();
  file.reset();
  if (written && fs.Replace(temporary, path)) return 0;
  if (written) error = fs.LastError();
  fs.Delete(temporary);
  return error != 0 ? error : win32_error::kWriteFault;
}

}  // namespace tarnwick
