#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "scenery/bgl_menu.h"
#include "scenery/bgl_menu_fixture.h"

namespace tarnwick {
namespace {

using namespace bgl_menu_testing;

class SwitchMenuTest : public BglMenuTest {
 protected:
  // Switches `bytes` to `value` and returns whether the byte was written; `after` receives the
  // file's bytes afterwards.
  bool Switch(const std::vector<uint8_t>& bytes, uint8_t value, std::vector<uint8_t>& after) {
    std::filesystem::path host = dir.Write("switch.bgl", bytes);
    bool written = SetMenuSwitch(*t.fs, WindowsPath(host), value);
    after = ReadFileBytes(host);
    return written;
  }
};

TEST_F(SwitchMenuTest, WritesOnlyTheSwitchByteOfAWellFormedMenu) {
  BglFile bgl = ThreeAreas();
  const std::vector<uint8_t> on = BuildBgl(bgl).bytes;
  std::vector<uint8_t> off = on;
  off[300] = 0;
  std::vector<uint8_t> after;

  EXPECT_TRUE(Switch(on, 0, after));
  EXPECT_EQ(after, off);
  EXPECT_TRUE(Switch(off, 1, after));
  EXPECT_EQ(after, on);
  EXPECT_TRUE(Switch(off, 0, after));
  EXPECT_EQ(after, off);
}

TEST_F(SwitchMenuTest, LeavesEveryOtherFileAsItIs) {
  struct Case {
    const char* name;
    uint8_t value;
    void (*spoil)(std::vector<uint8_t>& bytes);
  };
  const Case cases[] = {
      {"file shorter than its header", 0, [](std::vector<uint8_t>& b) { b.resize(127); }},
      {"no menu data", 0, [](std::vector<uint8_t>& b) { PokeU32(b, 66, 0); }},
      {"menu offset at the end of the file", 0,
       [](std::vector<uint8_t>& b) { PokeU32(b, 66, static_cast<uint32_t>(b.size())); }},
      {"menu offset far past the end", 1,
       [](std::vector<uint8_t>& b) { PokeU32(b, 66, 0xFFFFFFF0); }},
      {"byte at the offset is no switch (off)", 0, [](std::vector<uint8_t>& b) { b[300] = 0x1F; }},
      {"byte at the offset is no switch (on)", 1, [](std::vector<uint8_t>& b) { b[300] = 2; }},
      {"on over an AREA of length 7", 1,
       [](std::vector<uint8_t>& b) {
         b[300] = 0;
         PokeU16(b, 301, 7);
       }},
      {"on over an AREA of length 4001", 1,
       [](std::vector<uint8_t>& b) {
         b[300] = 0;
         PokeU16(b, 301, 4001);
       }},
      {"on over an AREA that runs past the end", 1,
       [](std::vector<uint8_t>& b) {
         b[300] = 0;
         b.resize(305);
       }},
      {"on over a lone byte at the end", 1,
       [](std::vector<uint8_t>& b) {
         b.resize(301);
         b[300] = 0;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = BuildBgl(ThreeAreas()).bytes;
    c.spoil(bytes);
    std::vector<uint8_t> after;
    EXPECT_FALSE(Switch(bytes, c.value, after));
    EXPECT_EQ(after, bytes);
  }
}

TEST_F(SwitchMenuTest, ReadOnlyFileIsMadeWritableAndTheChooserSeesTheHeader) {
  BglFile bgl = ThreeAreas();
  bgl.generated = true;
  std::filesystem::path host = dir.Write("ro.bgl", BuildBgl(bgl).bytes);
  std::string path = WindowsPath(host);
  ASSERT_TRUE(t.fs->SetReadOnly(path));
  uint32_t seen_mark = 0;
  EXPECT_TRUE(SwitchMenu(*t.fs, path, [&](const BglHeader& header) {
    seen_mark = header.mark;
    return header.Generated() ? 0 : 1;
  }));
  EXPECT_EQ(seen_mark, kGeneratorMark);
  EXPECT_TRUE(t.fs->IsWritable(path));
  EXPECT_EQ(ReadFileBytes(host)[300], 0);
  // A chooser that declines leaves the file alone.
  EXPECT_FALSE(SwitchMenu(*t.fs, path, [](const BglHeader&) { return -1; }));
  EXPECT_EQ(ReadFileBytes(host)[300], 0);
  EXPECT_FALSE(SetMenuSwitch(*t.fs, WindowsPath(dir.path() / "missing.bgl"), 0));
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

// Off and then on gives back every byte; a byte that stands before no whole AREA record is never
// written, whatever its value.
TEST(MenuSwitchTest, OffThenOnGivesBackEveryByte) {
  std::vector<uint8_t> menu_with_locn =
      testing::BuildBgl(testing::MenuFile({{"Swiss Alps", {"Zermatt"}}})).bytes;
  std::vector<uint8_t> texture(600, 0xAB);
  texture[66] = 200;  // a "menu offset" into the data
  texture[200] = 1;
  texture[201] = 20;  // a plausible length, but the title never ends
  texture[202] = 0;
  std::vector<uint8_t> zero_before_length = texture;
  zero_before_length[200] = 0;
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    bool switched;
  };
  const Case cases[] = {
      {"menu", menu_with_locn, true},
      {"texture with a 1", texture, false},
      {"texture with a 0", zero_before_length, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempDir dir;
    auto host = dir.Write("a.bgl", c.bytes);
    auto fs = MakeNativeFileSystem();
    std::string path = testing::WindowsPath(host);
    EXPECT_EQ(SetMenuSwitch(*fs, path, 0), c.switched);
    std::vector<uint8_t> off = testing::ReadFileBytes(host);
    EXPECT_EQ(SetMenuSwitch(*fs, path, 1), c.switched);
    EXPECT_EQ(testing::ReadFileBytes(host), c.bytes);
    if (c.switched) {
      uint32_t at = c.bytes[66] | c.bytes[67] << 8;
      EXPECT_EQ(off[at], 0);
      off[at] = c.bytes[at];
      EXPECT_EQ(off, c.bytes);
    } else {
      EXPECT_EQ(off, c.bytes);
    }
  }
}

}  // namespace
}  // namespace tarnwick
