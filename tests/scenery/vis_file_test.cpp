#include "scenery/vis_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "support/failing_file_system.h"
#include "support/temp_dir.h"
#include "support/test_session.h"
#include "support/vis_builder.h"

namespace tarnwick {
namespace {

using testing::FailingFileSystem;
using testing::TempDir;
using testing::TestSession;
using testing::VisBuilder;
using testing::VisEntryBytes;
using testing::WindowsPath;

constexpr char kMenuEntry[] = "C:\\FS98\\Scenery\\Menus\\World_MENU.bgl";

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

class VisFileTest : public ::testing::Test {
 protected:
  // Puts the VIS file at C:\FS98\Scenery\World.vis (C: is the temporary folder) and points the
  // set at it.
  void Put(const std::vector<uint8_t>& bytes) {
    host_file = dir.Write("FS98/Scenery/World.vis", bytes);
    ts.set.vis_path = "C:\\FS98\\Scenery\\World.vis";
  }
  std::vector<uint8_t> Image() const {
    return std::vector<uint8_t>(ts.set.image.bytes.begin(),
                                ts.set.image.bytes.begin() + ts.set.image.size);
  }

  TempDir dir;
  TestSession ts{DriveMap{{{'C', dir.path().string()}}}};
  std::filesystem::path host_file;
};

TEST_F(VisFileTest, ReadsEntriesIntoTheModelThePaneAndTheLog) {
  VisBuilder vis;
  vis.Preamble({0xEE, 0xFF})
      .Entry(1, "=:\\=\\Scenery\\area1\\*.bgl", "Area One")
      .Entry(2, "D:\\Addon\\scenery\\*.BGL", "Addon", 0x80, 0xFF)
      .Entry(3, "=:\\=\\Scenery\\Menus\\World_MENU.bgl", "Global menu by Tarnwick")
      .Trailer({'T', 'R'});
  Put(vis.Build());
  ts.log.Create(*ts.fs, WindowsPath(dir.path() / "scan.log"));

  ASSERT_TRUE(ReadVisFile(ts.session));
  ts.log.Close();

  const ScenerySet& set = ts.set;
  EXPECT_EQ(set.host_root, "C:\\FS98");
  EXPECT_EQ(ts.host.vis_file_setting, "World.vis");
  EXPECT_EQ(set.vis_count, 3);
  ASSERT_EQ(set.vis_entries.size(), 3u);
  EXPECT_EQ(set.image.size, static_cast<int32_t>(vis.Build().size()));
  EXPECT_EQ(set.image.bytes.size(), vis.Build().size() + VisImage::kSpare);
  EXPECT_EQ(set.image.last_entry_offset, vis.EntryOffset(2));
  EXPECT_EQ(set.image.end_offset, vis.EndOffset());
  const VisEntry& addon = set.vis_entries[1];
  EXPECT_EQ(addon.offset, vis.EntryOffset(1));
  EXPECT_EQ(set.StoredFlags(addon), 2);
  EXPECT_EQ(addon.working_flags, 2);
  EXPECT_STREQ(set.EntryPath(addon), "D:\\Addon\\scenery\\*.BGL");
  EXPECT_STREQ(set.EntryTitle(addon), "Addon");

  ASSERT_EQ(ts.host.vis_rows.size(), 3u);
  const std::vector<std::tuple<int, bool, std::string, std::string>> rows = {
      {1, true, "Area One", "C:\\FS98\\Scenery\\Area1\\Scenery\\*.bgl"},
      {2, false, "Addon", "D:\\Addon\\Scenery\\Scenery\\*.BGL"},
      {3, true, "Global menu by Tarnwick", "C:\\FS98\\Scenery\\Menus\\Scenery\\World_MENU.bgl"},
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& row = ts.host.vis_rows[i];
    EXPECT_EQ(std::tie(row.number, row.on, row.title, row.path), rows[i]);
  }
  EXPECT_EQ(ts.host.vis_rows_finished, 1);
  EXPECT_EQ(ts.host.vis_unchanged_marks, 1);
  EXPECT_EQ(ts.host.menu_updates, 1);
  EXPECT_TRUE(ts.host.messages.empty());

  auto log = dir.Read("scan.log");
  EXPECT_EQ(std::string(log.begin(), log.end()),
            "VIS[16] entry: 01 0A 01 =:\\=\\Scenery\\area1\\*.bgl\n"
            "VIS[53] entry: 80 FF 02 D:\\Addon\\scenery\\*.BGL\n"
            "VIS[85] entry: 01 0A 03 =:\\=\\Scenery\\Menus\\World_MENU.bgl\n");
}

TEST_F(VisFileTest, ALongFileIsReadWithTheWindowAnsweringAndStopsAtCancel) {
  VisBuilder vis;
  for (int i = 1; i <= 300; ++i) {
    vis.Entry(1, "=:\\=\\Scenery\\a" + std::to_string(i) + "\\*.bgl", "Area " + std::to_string(i));
  }
  Put(vis.Build());

  // Outside a long operation nothing is drained.
  ASSERT_TRUE(ReadVisFile(ts.session));
  EXPECT_EQ(ts.host.pumps, 0);
  EXPECT_EQ(ts.host.vis_rows.size(), 300u);

  // Inside one, the queue is drained every few entries...
  ts.host.ClearVisRows();
  ts.host.OpenProgressBox("reading");
  ASSERT_TRUE(ReadVisFile(ts.session));
  EXPECT_GE(ts.host.pumps, 4);
  EXPECT_EQ(ts.host.vis_rows.size(), 300u);

  // ...and Cancel, which closes the set, ends the read there: no row is added after it.
  ts.host.ClearVisRows();
  ts.host.pumps = 0;
  ts.host.on_pump = [&](int) {
    ts.host.busy = BusyState::kCancelled;
    ts.host.ClearVisRows();
    return true;
  };
  ts.host.OpenProgressBox("reading");
  EXPECT_FALSE(ReadVisFile(ts.session));
  EXPECT_EQ(ts.host.pumps, 1);
  EXPECT_TRUE(ts.host.vis_rows.empty());
}

TEST_F(VisFileTest, AnEmptyEntryListReadsAsNoEntries) {
  VisBuilder vis;
  vis.Trailer({1, 2, 3});
  Put(vis.Build());
  ASSERT_TRUE(ReadVisFile(ts.session));
  EXPECT_EQ(ts.set.vis_count, 0);
  EXPECT_TRUE(ts.set.vis_entries.empty());
  EXPECT_TRUE(ts.host.vis_rows.empty());
  EXPECT_EQ(ts.host.vis_rows_finished, 1);
  EXPECT_EQ(ts.set.image.last_entry_offset, -1);
  EXPECT_EQ(ts.set.image.end_offset, 14);
}

TEST_F(VisFileTest, RejectsAFileThatCannotBeIndexed) {
  VisBuilder one;
  one.Entry(1, "C:\\Scenery\\x\\*.bgl", "Title");
  const std::vector<uint8_t> good = one.Build();
  const size_t size = good.size();
  auto cut = [&](size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + size); };
  auto first_entry_at = [&](uint16_t offset) {
    auto bytes = good;
    bytes[10] = static_cast<uint8_t>(offset & 0xFF);
    bytes[11] = static_cast<uint8_t>(offset >> 8);
    return bytes;
  };
  const std::pair<const char*, std::vector<uint8_t>> cases[] = {
      {"empty file", {}},
      {"shorter than its header", cut(13)},
      {"header only", cut(14)},
      {"first entry at the end of the file", first_entry_at(static_cast<uint16_t>(size))},
      {"first entry past the end", first_entry_at(0x7FFF)},
      {"first entry at a negative offset", first_entry_at(0xFFFE)},
      {"first entry inside the header", first_entry_at(12)},
      {"path without its NUL", cut(20)},
      {"title without its NUL", cut(size - 3)},
      {"no terminating zero", cut(size - 1)},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    TestSession fresh{DriveMap{{{'C', dir.path().string()}}}};
    Put(bytes);
    fresh.set.vis_path = ts.set.vis_path;
    EXPECT_FALSE(ReadVisFile(fresh.session));
    EXPECT_EQ(fresh.host.messages,
              std::vector<std::string>{"Error 0 reported whilst indexing VIS file!"});
    EXPECT_FALSE(fresh.set.HasImage());
    EXPECT_TRUE(fresh.set.vis_entries.empty());
    EXPECT_EQ(fresh.set.vis_count, 0);
    EXPECT_TRUE(fresh.host.vis_rows.empty());
    EXPECT_EQ(fresh.host.vis_rows_finished, 0);
  }
}

TEST_F(VisFileTest, AMissingFileIsReportedAsOpening) {
  ts.set.vis_path = "C:\\Scenery\\Missing.vis";
  EXPECT_FALSE(ReadVisFile(ts.session));
  EXPECT_EQ(ts.host.messages,
            std::vector<std::string>{"Error 3 reported whilst opening VIS file!"});
  EXPECT_EQ(ts.host.vis_file_setting, "Missing.vis");
  EXPECT_EQ(ts.host.vis_unchanged_marks, 0);
  EXPECT_FALSE(ts.set.HasImage());
}

TEST(ExpandVisPathTest, TurnsAnEntryPathIntoItsPattern) {
  struct Case {
    const char* root;
    std::string path;
    std::string pattern;
  };
  const Case cases[] = {
      {"C:\\FS98", "=:\\=\\Scenery\\area1\\*.bgl", "C:\\FS98\\Scenery\\Area1\\Scenery\\*.bgl"},
      {"C:\\FS98", "D:\\addon\\scenery\\*.bgl", "D:\\Addon\\Scenery\\Scenery\\*.bgl"},
      {"C:\\FS98", kMenuEntry, "C:\\FS98\\Scenery\\Menus\\Scenery\\World_MENU.bgl"},
      {"E:\\Games\\Flight", "=:\\other\\x\\*.*", "E:\\Other\\X\\Scenery\\*.*"},
      {"C:\\FS98", "c:\\\xe9t\xe9\\*.bgl",
       "C:\\\xe9t\xe9\\Scenery\\*.bgl"},  // bytes above 127 kept
      // The simulator at the root of its drive: "=:\=" is the drive's root.
      {"C:", "=:\\=\\Scenery\\area1\\*.bgl", "C:\\Scenery\\Area1\\Scenery\\*.bgl"},
      {"C:\\", "=:\\=\\a\\*.bgl", "C:\\A\\Scenery\\*.bgl"},
      {"", "=:\\=\\a\\*.bgl", "=:\\A\\Scenery\\*.bgl"},
      // Short and odd paths.
      {"C:\\FS98", "", ""},
      {"C:\\FS98", "=", "C"},
      {"C:\\FS98", "*.bgl", "*.bgl"},
      {"C:\\FS98", "area\\*.bgl", "Area\\Scenery\\*.bgl"},
      {"C:\\FS98", "\\", "\\Scenery\\"},
      {"C:\\FS98", "=:\\=", "C:\\Scenery\\FS98"},
      {"C:\\FS98", std::string(300, 'a'), "A" + std::string(258, 'a')},
      {"C:\\FS98", "=:\\=\\" + std::string(300, 'b') + "\\*.bgl",
       "C:\\FS98\\B" + std::string(250, 'b')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ExpandVisPath(c.root, c.path), c.pattern);
  }
}

TEST(HostRootTest, DropsTheLastTwoComponents) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\FS98\\Scenery\\World.vis", "C:\\FS98"},
      {"C:\\Scenery\\World.vis", "C:"},
      {"C:\\World.vis", ""},
      {"World.vis", ""},
      {"", ""},
  };
  for (const auto& [vis, root] : cases) EXPECT_EQ(HostRoot(vis), root) << vis;
}

TEST_F(VisFileTest, AppendsTheMenuEntryOnceAndKeepsTheBytesAfterTheList) {
  VisBuilder vis;
  vis.Counts(0x0100, 0x0200)
      .Entry(1, "=:\\=\\Scenery\\area1\\*.bgl", "Area One")
      .Entry(0, "D:\\Addon\\*.bgl", "Addon")
      .Trailer({0xDE, 0xAD, 0xBE, 0xEF});
  Put(vis.Build());
  ASSERT_TRUE(ReadVisFile(ts.session));
  ts.set.menu_entry_path = kMenuEntry;
  const int32_t old_end = ts.set.image.end_offset;

  ASSERT_TRUE(AppendMenuEntry(ts.set));
  const uint16_t length = static_cast<uint16_t>(sizeof kMenuEntry - 1 + 23 + 5);
  VisBuilder expected = vis;
  expected.Counts(0x0100 + length, 0x0200 + length).Entry(3, kMenuEntry, "Global menu by Tarnwick");
  EXPECT_EQ(Image(), expected.Build());
  EXPECT_EQ(ts.set.image.last_entry_offset, old_end);
  EXPECT_EQ(ts.set.image.end_offset, old_end + length);
  EXPECT_EQ(ts.set.vis_count, 2);  // the table learns of it at the next reading

  // Saving again finds it as the last entry.
  EXPECT_FALSE(AppendMenuEntry(ts.set));
  EXPECT_EQ(Image(), expected.Build());

  ASSERT_TRUE(WriteVisImage(ts.session));
  EXPECT_EQ(testing::ReadFileBytes(host_file), expected.Build());
  EXPECT_EQ(FilesIn(host_file.parent_path()), std::vector<std::string>{"World.vis"});
  EXPECT_TRUE(ts.host.messages.empty());

  ts.set.Close();
  ASSERT_TRUE(ReadVisFile(ts.session));
  EXPECT_EQ(ts.set.vis_count, 3);
  ts.set.menu_entry_path = kMenuEntry;
  EXPECT_FALSE(AppendMenuEntry(ts.set));
}

// Wherever the generated menu's entry stands (entries added after it by another program), it is
// re-activated in place and never added a second time.
TEST_F(VisFileTest, TheMenuEntryIsFoundWhereverItStands) {
  const std::string lower = "c:\\fs98\\scenery\\menus\\world_menu.BGL";
  struct Case {
    const char* name;
    VisBuilder vis;
    bool changes;
    uint8_t last_flags;  // of the last entry afterwards
    int entries;         // after the change
  };
  Case cases[] = {
      {"switched off", VisBuilder().Entry(1, "a\\*.bgl", "A").Entry(2, lower, "Mine"), true, 3, 2},
      {"not protected", VisBuilder().Entry(1, lower, "Mine"), true, 3, 1},
      {"already active and protected", VisBuilder().Entry(3, lower, "Mine"), false, 3, 1},
      {"another entry after it",
       VisBuilder().Entry(3, kMenuEntry, "Global menu by Tarnwick").Entry(1, "a\\*.bgl", "A"),
       false, 1, 2},
      {"switched off, another entry after it",
       VisBuilder().Entry(0, lower, "Mine").Entry(1, "a\\*.bgl", "A").Entry(1, "b\\*.bgl", "B"),
       true, 1, 3},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestSession fresh{DriveMap{{{'C', dir.path().string()}}}};
    Put(c.vis.Build());
    fresh.set.vis_path = ts.set.vis_path;
    ASSERT_TRUE(ReadVisFile(fresh.session));
    fresh.set.menu_entry_path = kMenuEntry;
    std::vector<uint8_t> before(fresh.set.image.bytes.begin(),
                                fresh.set.image.bytes.begin() + fresh.set.image.size);
    EXPECT_EQ(AppendMenuEntry(fresh.set), c.changes);
    EXPECT_EQ(fresh.set.image.bytes[fresh.set.image.last_entry_offset + 2], c.last_flags);
    if (!c.changes) {
      EXPECT_EQ(std::vector<uint8_t>(fresh.set.image.bytes.begin(),
                                     fresh.set.image.bytes.begin() + fresh.set.image.size),
                before);
      continue;
    }
    ASSERT_TRUE(WriteVisImage(fresh.session));
    fresh.set.Close();
    ASSERT_TRUE(ReadVisFile(fresh.session));
    EXPECT_EQ(fresh.set.vis_count, c.entries);
    int menu_entries = 0;
    for (const VisEntry& entry : fresh.set.vis_entries) {
      std::string path = fresh.set.EntryPath(entry);
      for (char& ch : path) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      if (path == lower.substr(0, lower.size() - 3) + "bgl") {
        EXPECT_EQ(fresh.set.StoredFlags(entry), 3);
        ++menu_entries;
      }
    }
    EXPECT_EQ(menu_entries, 1);
  }
}

TEST_F(VisFileTest, TheHeaderCountsGrowModulo65536) {
  Put(VisBuilder().Counts(0xFFF0, 0xFFFF).Entry(1, "a\\*.bgl", "A").Build());
  ASSERT_TRUE(ReadVisFile(ts.session));
  ts.set.menu_entry_path = kMenuEntry;
  ASSERT_TRUE(AppendMenuEntry(ts.set));
  const uint16_t length = static_cast<uint16_t>(sizeof kMenuEntry - 1 + 23 + 5);
  auto image = Image();
  EXPECT_EQ(image[0] | (image[1] << 8), static_cast<uint16_t>(0xFFF0 + length));
  EXPECT_EQ(image[12] | (image[13] << 8), static_cast<uint16_t>(0xFFFF + length));
}

TEST_F(VisFileTest, AFailedWriteLeavesTheVisFileAsItWas) {
  const auto original = VisBuilder().Entry(1, "a\\*.bgl", "A").Trailer({9, 9}).Build();
  struct Case {
    const char* name;
    uint32_t FailingFileSystem::*failure;
    uint32_t code;
    std::string message;
  };
  const Case cases[] = {
      {"create", &FailingFileSystem::fail_create, 82, "Error 82 reported whilst opening VIS file!"},
      {"write", &FailingFileSystem::fail_write, 112, "Error 112 reported whilst writing VIS file!"},
      {"flush", &FailingFileSystem::fail_flush, 29, "Error 29 reported whilst writing VIS file!"},
      {"replace", &FailingFileSystem::fail_replace, 32,
       "Error 32 reported whilst replacing VIS file!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Put(original);
    TestSession fresh{DriveMap{{{'C', dir.path().string()}}}};
    FailingFileSystem failing(*fresh.fs);
    failing.*c.failure = c.code;
    Session session{fresh.set,     fresh.tree, failing,         fresh.host,
                    fresh.options, fresh.log,  fresh.tree_state};
    fresh.set.vis_path = ts.set.vis_path;
    ASSERT_TRUE(ReadVisFile(session));
    fresh.set.menu_entry_path = kMenuEntry;
    ASSERT_TRUE(AppendMenuEntry(fresh.set));
    EXPECT_FALSE(WriteVisImage(session));
    EXPECT_EQ(fresh.host.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(testing::ReadFileBytes(host_file), original);
    EXPECT_EQ(FilesIn(host_file.parent_path()), std::vector<std::string>{"World.vis"});
  }
}

TEST_F(VisFileTest, AReadOnlyVisFileIsNotReplaced) {
  const auto original = VisBuilder().Entry(1, "a\\*.bgl", "A").Build();
  Put(original);
  ASSERT_TRUE(ReadVisFile(ts.session));
  ts.set.menu_entry_path = kMenuEntry;
  ASSERT_TRUE(AppendMenuEntry(ts.set));
  ASSERT_TRUE(ts.fs->SetReadOnly(ts.set.vis_path));
  EXPECT_FALSE(WriteVisImage(ts.session));
  EXPECT_EQ(ts.host.messages,
            std::vector<std::string>{"Error 5 reported whilst opening VIS file!"});
  EXPECT_EQ(testing::ReadFileBytes(host_file), original);
  EXPECT_EQ(FilesIn(host_file.parent_path()), std::vector<std::string>{"World.vis"});
}

// The user's VIS file may be a link into their simulator folder and carry permissions of its own;
// a save keeps both, and a temporary file left by a killed save goes when the file is read again.
TEST_F(VisFileTest, ReplacingKeepsALinkAndItsTargetsPermissionsAndNoTemporaryFileStays) {
  namespace fs = std::filesystem;
  const auto original = VisBuilder().Entry(1, "a\\*.bgl", "A").Build();
  const fs::path real = dir.Write("Store/World.vis", original);
  fs::create_directories(dir.path() / "FS98" / "Scenery");
  host_file = dir.path() / "FS98" / "Scenery" / "World.vis";
  fs::create_symlink(real, host_file);
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  dir.Write("FS98/Scenery/World.vis.tmp", std::vector<uint8_t>{1, 2, 3});
  ts.set.vis_path = "C:\\FS98\\Scenery\\World.vis";

  ASSERT_TRUE(ReadVisFile(ts.session));
  EXPECT_FALSE(fs::exists(dir.path() / "FS98" / "Scenery" / "World.vis.tmp"));
  ts.set.menu_entry_path = kMenuEntry;
  ASSERT_TRUE(AppendMenuEntry(ts.set));
  ASSERT_TRUE(WriteVisImage(ts.session)) << ::testing::PrintToString(ts.host.messages);

  EXPECT_TRUE(fs::is_symlink(host_file));
  EXPECT_EQ(testing::ReadFileBytes(real), Image());
  EXPECT_NE(Image(), original);
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FilesIn(host_file.parent_path()), std::vector<std::string>{"World.vis"});
  EXPECT_EQ(FilesIn(real.parent_path()), std::vector<std::string>{"World.vis"});
}

TEST_F(VisFileTest, StoresChangedSelectionsAndKeepsThemPendingWhenTheWriteFails) {
  VisBuilder vis;
  vis.Entry(1, "a\\*.bgl", "A").Entry(3, "b\\*.bgl", "B").Entry(0, "c\\*.bgl", "C");
  Put(vis.Build());
  FailingFileSystem failing(*ts.fs);
  Session session{ts.set, ts.tree, failing, ts.host, ts.options, ts.log, ts.tree_state};
  ASSERT_TRUE(ReadVisFile(session));
  ts.set.vis_entries[0].working_flags = 0;
  ts.set.vis_entries[2].working_flags = 1;

  failing.fail_replace = 5;
  EXPECT_FALSE(StoreVisSelections(session));
  EXPECT_EQ(Image(), vis.Build());
  EXPECT_EQ(ts.set.vis_entries[0].working_flags, 0);
  EXPECT_EQ(testing::ReadFileBytes(host_file), vis.Build());

  failing.fail_replace = 0;
  ASSERT_TRUE(StoreVisSelections(session));
  auto expected = VisBuilder()
                      .Entry(0, "a\\*.bgl", "A")
                      .Entry(3, "b\\*.bgl", "B")
                      .Entry(1, "c\\*.bgl", "C")
                      .Build();
  EXPECT_EQ(testing::ReadFileBytes(host_file), expected);
  EXPECT_EQ(ts.set.StoredFlags(ts.set.vis_entries[0]), 0);
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

// A path without a drive is searched in the VIS file's folder, never in the current folder; with
// a VIS file that has no drive either, it is searched nowhere.
TEST(SearchPatternTest, PathsWithoutADriveLieInTheVisFilesFolder) {
  ScenerySet set;
  set.vis_path = "C:\\FS98\\Scenery\\World.vis";
  set.host_root = HostRoot(set.vis_path);
  struct Case {
    const char* entry;
    const char* pattern;
  };
  const Case cases[] = {
      {"=:\\=\\Scenery\\area1\\*.bgl", "C:\\FS98\\Scenery\\Area1\\Scenery\\*.bgl"},
      {"D:\\Add\\x\\*.bgl", "D:\\Add\\X\\Scenery\\*.bgl"},
      {"*.bgl", "C:\\FS98\\Scenery\\*.bgl"},
      {"Scenery\\X\\*.bgl", "C:\\FS98\\Scenery\\Scenery\\X\\Scenery\\*.bgl"},
      {"\\Add\\*.bgl", "C:\\Add\\Scenery\\*.bgl"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SearchPattern(set, c.entry), c.pattern) << c.entry;
  }
  set.vis_path = "World.vis";
  EXPECT_EQ(SearchPattern(set, "*.bgl"), "");
}

}  // namespace
}  // namespace tarnwick
