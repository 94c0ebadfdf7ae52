#include "platform/read_ahead_file.h"

#include <algorithm>
#include <cstring>

namespace tarnwick {

const ReadAheadFile::Block* ReadAheadFile::BlockAt(uint32_t at) {
  Block* oldest = &blocks_[0];
  for (Block& block : blocks_) {
    if (block.last_used != 0 && block.at == at) {
      block.last_used = ++clock_;
      return &block;
    }
    if (block.last_used < oldest->last_used) oldest = &block;
  }
  // Filled by the read below: clearing it first would cost as much again.
  if (!oldest->bytes) oldest->bytes = std::make_unique_for_overwrite<uint8_t[]>(kBlock);
  uint32_t got = 0;
  oldest->last_used = 0;
  if (!file_.Seek(at) || !file_.Read(oldest->bytes.get(), kBlock, got)) return nullptr;
  oldest->at = at;
  oldest->length = got;
  oldest->last_used = ++clock_;
  return oldest;
}

bool ReadAheadFile::Read(void* buffer, uint32_t size, uint32_t& got) {
  got = 0;
  uint8_t* out = static_cast<uint8_t*>(buffer);
  // A read as large as a block gains nothing from the cache.
  if (size >= kBlock) {
    if (!file_.Seek(position_) || !file_.Read(out, size, got)) return false;
    position_ += got;
    return true;
  }
  while (got < size) {
    uint32_t at = position_ - position_ % kBlock;
    const Block* block = BlockAt(at);
    if (block == nullptr) return false;
    uint32_t offset = position_ - at;
    if (offset >= block->length) return true;  // the end of the file
    uint32_t take = std::min(size - got, block->length - offset);
    std::memcpy(out + got, block->bytes.get() + offset, take);
    got += take;
    position_ += take;
  }
  return true;
}

}  // namespace tarnwick
