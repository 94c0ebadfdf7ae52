// An open host file as the program's File: reads and writes at a position kept here, errors
// reported as Win32 codes into the file system's last error.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/file_system.h"

namespace tarnwick::posix {

class PosixFile : public File {
 public:
  // Takes `fd` and closes it. `known_size`: the size of a regular file when it was opened (-1 when
  // not known), so that a read that reaches it need not ask again only to be told that the file
  // ends there.
  PosixFile(int fd, bool can_read, bool can_write, std::shared_ptr<uint32_t> last_error,
            int64_t known_size = -1);
  ~PosixFile() override;
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  bool Read(void* buffer, uint32_t size, uint32_t& got) override;
  bool Write(const void* buffer, uint32_t size) override;
  // Reads and writes name their position, so a seek costs no call into the system: the menu
  // reader and the menu switch seek before almost every read.
  bool Seek(uint32_t position) override {
    position_ = position;
    return true;
  }
  uint32_t Position() const override { return position_; }
  int64_t Size() const override;
  bool Flush() override;

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

}  // namespace tarnwick::posix
