#include "support/vis_builder.h"

namespace tarnwick::testing {

std::vector<uint8_t> VisEntryBytes(uint8_t byte0, uint8_t byte1, uint8_t flags,
                                   const std::string& path, const std::string& title) {
  std::vector<uint8_t> out = {byte0, byte1, flags};
  out.insert(out.end(), path.begin(), path.end());
  out.push_back(0);
  out.insert(out.end(), title.begin(), title.end());
  out.push_back(0);
  return out;
}

VisBuilder& VisBuilder::Entry(uint8_t flags, const std::string& path, const std::string& title,
                              uint8_t byte0, uint8_t byte1) {
  entries_.push_back({{byte0, byte1, flags}, path, title});
  return *this;
}

VisBuilder& VisBuilder::Preamble(const std::vector<uint8_t>& bytes) {
  preamble_ = bytes;
  return *this;
}

VisBuilder& VisBuilder::Trailer(const std::vector<uint8_t>& bytes) {
  trailer_ = bytes;
  return *this;
}

VisBuilder& VisBuilder::Counts(uint16_t first, uint16_t second) {
  count1_ = first;
  count2_ = second;
  return *this;
}

int32_t VisBuilder::EntryOffset(size_t index) const {
  int32_t at = 14 + static_cast<int32_t>(preamble_.size());
  for (size_t i = 0; i < index; ++i) {
    at += static_cast<int32_t>(entries_[i].path.size() + entries_[i].title.size() + 5);
  }
  return at;
}

int32_t VisBuilder::EndOffset() const {
  return EntryOffset(entries_.size());
}

std::vector<uint8_t> VisBuilder::Build() const {
  const int32_t first = EntryOffset(0);
  std::vector<uint8_t> out = {static_cast<uint8_t>(count1_ & 0xFF),
                              static_cast<uint8_t>(count1_ >> 8),
                              'H',
                              'E',
                              'A',
                              'D',
                              'E',
                              'R',
                              0xA5,
                              0x5A,
                              static_cast<uint8_t>(first & 0xFF),
                              static_cast<uint8_t>((first >> 8) & 0xFF),
                              static_cast<uint8_t>(count2_ & 0xFF),
                              static_cast<uint8_t>(count2_ >> 8)};
  out.insert(out.end(), preamble_.begin(), preamble_.end());
  for (const auto& e : entries_) {
    auto bytes = VisEntryBytes(e.bytes[0], e.bytes[1], e.bytes[2], e.path, e.title);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  out.push_back(0);
  out.insert(out.end(), trailer_.begin(), trailer_.end());
  return out;
}

}  // namespace tarnwick::testing
