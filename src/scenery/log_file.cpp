#include "scenery/log_file.h"

namespace tarnwick {

void LogFile::Create(FileSystem& fs, std::string_view path) {
  file_.reset();
  file_ = fs.Open(path, OpenMode::kCreateWrite);
}

void LogFile::Write(std::string_view text) {
  if (file_) file_->Write(text.data(), static_cast<uint32_t>(text.size()));
}

}  // namespace tarnwick
