// Reading a file through a few cached blocks: the menu records of a BGL are read a few bytes at a
// time, and without the cache each of those reads would be a call into the system. The menu
// reader walks two places at once (the AREA list and the current LOCN list), so a handful of
// blocks keeps both in memory.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/file_system.h"

namespace tarnwick {

class ReadAheadFile : public File {
 public:
  static constexpr uint32_t kBlock = 16 * 1024;
  static constexpr size_t kBlocks = 4;

  explicit ReadAheadFile(File& file) : file_(file), position_(file.Position()) {}

  bool Read(void* buffer, uint32_t size, uint32_t& got) override;
  // Reading only: writes fail.
  bool Write(const void*, uint32_t) override { return false; }
  bool Seek(uint32_t position) override {
    position_ = position;
    return true;
  }
  uint32_t Position() const override { return position_; }
  int64_t Size() const override { return file_.Size(); }
  bool Flush() override { return true; }

 private:
  struct Block {
    uint32_t at = 0;
    uint32_t length = 0;
    uint64_t last_used = 0;  // 0: never filled
    std::unique_ptr<uint8_t[]> bytes;
  };

  // The block holding the file's bytes from `at` (a multiple of kBlock), read when not cached;
  // nullptr when the read fails.
  const Block* BlockAt(uint32_t at);

  File& file_;
  uint32_t position_;
  uint64_t clock_ = 0;
  std::array<Block, kBlocks> blocks_;
};

}  // namespace tarnwick
