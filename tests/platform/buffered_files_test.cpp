#include <gtest/gtest.h>

#include <numeric>

#include "platform/memory_file.h"
#include "platform/read_ahead_file.h"

namespace tarnwick {
namespace {

// A file of `size` bytes (byte i = i mod 251) that counts the reads reaching it.
class CountingFile : public MemoryFile {
 public:
  explicit CountingFile(uint32_t size) {
    std::vector<uint8_t> bytes(size);
    for (uint32_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i % 251);
    MemoryFile::Write(bytes.data(), size);
    MemoryFile::Seek(0);
  }
  bool Read(void* buffer, uint32_t size, uint32_t& got) override {
    ++reads;
    return MemoryFile::Read(buffer, size, got);
  }
  int reads = 0;
};

// Reads through the cache give the file's own bytes wherever they start and end: inside the
// a block, across a block's edge, larger than a block, and at and past the end of the file.
TEST(ReadAheadFileTest, GivesTheFilesBytesWhateverTheReads) {
  const uint32_t size = 3 * ReadAheadFile::kBlock + 100;
  struct Case {
    uint32_t at, count, expected;
  };
  const Case cases[] = {
      {0, 128, 128},
      {ReadAheadFile::kBlock - 3, 10, 10},
      {5, 2 * ReadAheadFile::kBlock, 2 * ReadAheadFile::kBlock},
      {size - 4, 10, 4},
      {size, 10, 0},
      {size + 1000, 10, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.at);
    CountingFile disk(size);
    ReadAheadFile file(disk);
    ASSERT_TRUE(file.Seek(c.at));
    std::vector<uint8_t> got_bytes(c.count, 0xEE);
    uint32_t got = 99;
    ASSERT_TRUE(file.Read(got_bytes.data(), c.count, got));
    ASSERT_EQ(got, c.expected);
    for (uint32_t i = 0; i < got; ++i) ASSERT_EQ(got_bytes[i], (c.at + i) % 251) << i;
    EXPECT_EQ(file.Position(), c.at + got);
  }
}

// The menu reader goes back and forth between the AREA list and a LOCN list far from it: both
// places stay cached, so each block is read once.
TEST(ReadAheadFileTest, ReadsGoingBackAndForthReadEachBlockOnce) {
  CountingFile disk(10 * ReadAheadFile::kBlock);
  ReadAheadFile file(disk);
  const uint32_t far = 7 * ReadAheadFile::kBlock;
  uint8_t byte = 0;
  uint32_t got = 0;
  for (uint32_t at : {128u, far + 10, 200u, far + 4000, 7u, far + 11}) {
    ASSERT_TRUE(file.Seek(at));
    ASSERT_TRUE(file.Read(&byte, 1, got));
    ASSERT_EQ(got, 1u);
    ASSERT_EQ(byte, at % 251);
  }
  EXPECT_EQ(disk.reads, 2);
  EXPECT_FALSE(file.Write(&byte, 1));
}

TEST(MemoryFileTest, WritesPatchesAndGapsReadBackAsOnDisk) {
  MemoryFile file;
  const uint8_t head[] = {1, 2, 3, 4};
  ASSERT_TRUE(file.Write(head, 4));
  ASSERT_TRUE(file.Seek(8));
  ASSERT_TRUE(file.Write(head, 2));
  ASSERT_TRUE(file.Seek(1));
  const uint8_t patch = 9;
  ASSERT_TRUE(file.Write(&patch, 1));
  EXPECT_EQ(file.Position(), 2u);
  EXPECT_EQ(file.Bytes(), (std::vector<uint8_t>{1, 9, 3, 4, 0, 0, 0, 0, 1, 2}));
  EXPECT_EQ(file.Size(), 10);

  uint8_t back[16] = {};
  uint32_t got = 0;
  ASSERT_TRUE(file.Seek(7));
  ASSERT_TRUE(file.Read(back, 16, got));
  EXPECT_EQ(got, 3u);
  EXPECT_EQ(back[1], 1);
}

}  // namespace
}  // namespace tarnwick
