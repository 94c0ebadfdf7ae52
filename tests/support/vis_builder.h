// Hand-made VIS files for tests: a 14-byte header, optional bytes before the first entry, the
// entries, the terminating zero and optional bytes after it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::testing {

class VisBuilder {
 public:
  // An entry with its three leading bytes (the first must not be 0), path and title.
  VisBuilder& Entry(uint8_t flags, const std::string& path, const std::string& title,
                    uint8_t byte0 = 1, uint8_t byte1 = 10);
  // Bytes between the header and the first entry.
  VisBuilder& Preamble(const std::vector<uint8_t>& bytes);
  // Bytes after the terminating zero.
  VisBuilder& Trailer(const std::vector<uint8_t>& bytes);
  // The two byte counts at offsets 0 and 12.
  VisBuilder& Counts(uint16_t first, uint16_t second);

  std::vector<uint8_t> Build() const;
  // Where entry `index` (from 0) starts, and where the terminating zero is.
  int32_t EntryOffset(size_t index) const;
  int32_t EndOffset() const;

 private:
  struct Item {
    uint8_t bytes[3];
    std::string path;
    std::string title;
  };
  std::vector<Item> entries_;
  std::vector<uint8_t> preamble_;
  std::vector<uint8_t> trailer_;
  uint16_t count1_ = 0x1234;
  uint16_t count2_ = 0x5678;
};

// The bytes of one entry as the file stores it.
std::vector<uint8_t> VisEntryBytes(uint8_t byte0, uint8_t byte1, uint8_t flags,
                                   const std::string& path, const std::string& title);

}  // namespace tarnwick::testing
