// The scan's plain-text log: one line per event, each written at once and ending in a single line
// feed. It outlives a scenery set: it stays open until Logging is switched off, the next scan
// creates it again, or the program ends.
#pragma once

#include <memory>
#include <string_view>

#include "platform/file_system.h"

namespace tarnwick {

class LogFile {
 public:
  // Creates the file anew (replacing an existing one). A file that cannot be created leaves
  // logging without a file.
  void Create(FileSystem& fs, std::string_view path);
  void Close() { file_.reset(); }
  bool IsOpen() const { return file_ != nullptr; }
  // Writes the text as it is; nothing when no file is open.
  void Write(std::string_view text);

 private:
  std::unique_ptr<File> file_;
};

}  // namespace tarnwick
