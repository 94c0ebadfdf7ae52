// A file held in memory: a file that is written in many small pieces, with seeks back to patch
// earlier bytes, is built here and then written to the disk in one go.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/file_system.h"

namespace tarnwick {

class MemoryFile : public File {
 public:
  MemoryFile() = default;

  bool Read(void* buffer, uint32_t size, uint32_t& got) override;
  // Writing past the end fills the gap with zero bytes, as the disk does.
  bool Write(const void* buffer, uint32_t size) override;
  bool Seek(uint32_t position) override {
    position_ = position;
    return true;
  }
  uint32_t Position() const override { return position_; }
  int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
  bool Flush() override { return true; }

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  // Room for `size` bytes, so that growing to that size moves nothing.
  void Reserve(size_t size) { bytes_.reserve(size); }

 private:
  std::vector<uint8_t> bytes_;
  uint32_t position_ = 0;
};

}  // namespace tarnwick
