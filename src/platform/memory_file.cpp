#include "platform/memory_file.h"

#include <algorithm>
#include <cstring>

namespace tarnwick {

bool MemoryFile::Read(void* buffer, uint32_t size, uint32_t& got) {
  got = 0;
  if (position_ >= bytes_.size()) return true;
  got = std::min<uint32_t>(size, static_cast<uint32_t>(bytes_.size() - position_));
  std::memcpy(buffer, bytes_.data() + position_, got);
  position_ += got;
  return true;
}

bool MemoryFile::Write(const void* buffer, uint32_t size) {
  uint64_t end = uint64_t{position_} + size;
  if (end > UINT32_MAX) return false;
  if (end > bytes_.size()) bytes_.resize(static_cast<size_t>(end));
  if (size != 0) std::memcpy(bytes_.data() + position_, buffer, size);
  position_ = static_cast<uint32_t>(end);
  return true;
}

}  // namespace tarnwick
