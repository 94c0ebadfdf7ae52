// What the program relies on from its file system, checked against the native one: the POSIX
// mapping when built natively, the Win32 calls when built for Windows and run under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/temp_dir.h"
#include "support/test_session.h"

namespace tarnwick {
namespace {

using testing::TempDir;
using testing::WindowsPath;

class FileSystemBehaviour : public ::testing::Test {
 protected:
  std::string Path(std::string_view relative) const {
    return WindowsPath(dir.path()) + "\\" + std::string(relative);
  }
  std::string ReadAll(std::string_view relative) {
    auto file = fs->Open(Path(relative), OpenMode::kRead);
    if (!file) return "<cannot open>";
    std::string text(1024, '\0');
    uint32_t got = 0;
    if (!file->Read(text.data(), static_cast<uint32_t>(text.size()), got)) return "<cannot read>";
    text.resize(got);
    return text;
  }

  TempDir dir;
  std::unique_ptr<FileSystem> fs = MakeNativeFileSystem();
};

TEST_F(FileSystemBehaviour, OpenModesFindOrCreateTheFileAsAsked) {
  dir.Write("old.txt", "old contents");
  struct Case {
    const char* name;
    OpenMode mode;
    bool opens;
    uint32_t error;
    const char* after;  // the file's contents once the handle is closed
  };
  const Case cases[] = {
      {"old.txt", OpenMode::kRead, true, 0, "old contents"},
      {"old.txt", OpenMode::kReadWrite, true, 0, "old contents"},
      {"old.txt", OpenMode::kCreateReadWrite, true, 0, ""},
      {"missing.txt", OpenMode::kRead, false, win32_error::kFileNotFound, "<cannot open>"},
      {"missing.txt", OpenMode::kReadWrite, false, win32_error::kFileNotFound, "<cannot open>"},
      {"new.txt", OpenMode::kCreateWrite, true, 0, ""},
      {"no-folder\\x.txt", OpenMode::kRead, false, win32_error::kPathNotFound, "<cannot open>"},
      {"no-folder\\x.txt", OpenMode::kCreateWrite, false, win32_error::kPathNotFound,
       "<cannot open>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (std::string(c.name) == "old.txt") dir.Write("old.txt", "old contents");
    {
      auto file = fs->Open(Path(c.name), c.mode);
      EXPECT_EQ(file != nullptr, c.opens);
      if (!c.opens) {
        EXPECT_EQ(fs->LastError(), c.error);
      }
    }
    EXPECT_EQ(ReadAll(c.name), c.after);
  }
}

TEST_F(FileSystemBehaviour, AHandleRefusesWhatItsModeDoesNotAllow) {
  dir.Write("a.txt", "abc");
  char byte = 0;
  uint32_t got = 0;
  auto reader = fs->Open(Path("a.txt"), OpenMode::kRead);
  ASSERT_TRUE(reader);
  EXPECT_FALSE(reader->Write("x", 1));
  EXPECT_EQ(fs->LastError(), win32_error::kAccessDenied);
  reader.reset();
  auto writer = fs->Open(Path("a.txt"), OpenMode::kCreateWrite);
  ASSERT_TRUE(writer);
  EXPECT_FALSE(writer->Read(&byte, 1, got));
  EXPECT_EQ(got, 0u);
}

TEST_F(FileSystemBehaviour, ReadersShareTheFile) {
  dir.Write("shared.txt", "12345");
  auto first = fs->Open(Path("shared.txt"), OpenMode::kRead);
  auto second = fs->Open(Path("shared.txt"), OpenMode::kRead);
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  char a[5], b[5];
  uint32_t got_a = 0, got_b = 0;
  EXPECT_TRUE(first->Read(a, 5, got_a));
  EXPECT_TRUE(second->Read(b, 5, got_b));
  EXPECT_EQ(std::string(a, got_a), "12345");
  EXPECT_EQ(std::string(b, got_b), "12345");
}

TEST_F(FileSystemBehaviour, ReadsWritesSeeksAndShortReadsAtTheEnd) {
  auto file = fs->Open(Path("data.bin"), OpenMode::kCreateReadWrite);
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->Write("0123456789", 10));
  EXPECT_EQ(file->Position(), 10u);
  EXPECT_EQ(file->Size(), 10);

  char buffer[16] = {};
  uint32_t got = 99;
  ASSERT_TRUE(file->Seek(4));
  ASSERT_TRUE(file->Read(buffer, 3, got));
  EXPECT_EQ(std::string(buffer, got), "456");
  EXPECT_EQ(file->Position(), 7u);
  // Asking past the end is not an error: the count says how many bytes there were.
  ASSERT_TRUE(file->Read(buffer, sizeof buffer, got));
  EXPECT_EQ(std::string(buffer, got), "789");
  ASSERT_TRUE(file->Read(buffer, sizeof buffer, got));
  EXPECT_EQ(got, 0u);

  // Writing past the end fills the gap with zeros.
  ASSERT_TRUE(file->Seek(12));
  ASSERT_TRUE(file->Write("!", 1));
  EXPECT_EQ(file->Size(), 13);
  ASSERT_TRUE(file->Flush());
  file.reset();
  EXPECT_EQ(ReadAll("data.bin"), std::string("0123456789\0\0!", 13));

  // Opened for read and write, the file keeps what is not overwritten.
  file = fs->Open(Path("data.bin"), OpenMode::kReadWrite);
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->Seek(2));
  ASSERT_TRUE(file->Write("ab", 2));
  file.reset();
  EXPECT_EQ(ReadAll("data.bin"), std::string("01ab456789\0\0!", 13));
}

TEST_F(FileSystemBehaviour, FindFilesMatchesThePatternWithoutRegardToCase) {
  dir.Write("AREA1/Scenery/x.BGL", "x");
  dir.Write("AREA1/Scenery/Y.bgl", "y");
  dir.Write("AREA1/Scenery/notes.txt", "n");
#ifndef _WIN32
  // Win32 also matches the 8.3 short name ("X~1.BGL"); the POSIX side knows long names only.
  dir.Write("AREA1/Scenery/x.bglz", "z");
#endif
  dir.Write("AREA1/Scenery/folder.bgl/inner.bgl", "folders are not listed");
  auto found = fs->FindFiles(Path("area1\\SCENERY\\*.bgl"));
  std::vector<std::string> expected = {"x.BGL", "Y.bgl"};
  EXPECT_EQ(found, expected);
  found = fs->FindFiles(Path("Area1\\scenery\\?.BGL"));
  EXPECT_EQ(found, expected);
  found = fs->FindFiles(Path("area1\\scenery\\NOTES.*"));
  EXPECT_EQ(found, std::vector<std::string>{"notes.txt"});
}

TEST_F(FileSystemBehaviour, FindFilesGivesNothingForNoMatchOrNoFolder) {
  dir.Write("scenery/a.txt", "a");
  dir.Write("scenery/sub/b.bgl", "b");
  EXPECT_TRUE(fs->FindFiles(Path("scenery\\*.bgl")).empty());
  EXPECT_TRUE(fs->FindFiles(Path("missing\\*.bgl")).empty());
  EXPECT_TRUE(fs->FindFiles(Path("scenery\\a.txt\\*.bgl")).empty());
  EXPECT_TRUE(fs->FindFiles(Path("scenery\\su*")).empty());
}

TEST_F(FileSystemBehaviour, FindFilesListsInUpperCasedNameOrder) {
  for (const char* name : {"ab.bgl", "B.bgl", "a_b.bgl", "A.bgl", "a0.bgl"}) {
    dir.Write(std::string("order/") + name, name);
  }
  auto found = fs->FindFiles(Path("order\\*.bgl"));
#ifdef _WIN32
  // Wine lists a folder in the host file system's order; the names found are the same.
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{"A.bgl", "B.bgl", "a0.bgl", "a_b.bgl", "ab.bgl"}));
#else
  // As NTFS does: '.' < '0' < 'B' < '_' once upper-cased, where lower case would put '_' first.
  EXPECT_EQ(found, (std::vector<std::string>{"A.bgl", "a0.bgl", "ab.bgl", "a_b.bgl", "B.bgl"}));
#endif
}

TEST_F(FileSystemBehaviour, ReadOnlyFilesRefuseWritersUntilMadeNormal) {
  dir.Write("menu.bgl", "menu");
  std::string path = Path("menu.bgl");
  EXPECT_TRUE(fs->IsWritable(path));
  ASSERT_TRUE(fs->SetReadOnly(path));
  EXPECT_FALSE(fs->IsWritable(path));
  EXPECT_TRUE(fs->Exists(path));

  EXPECT_TRUE(fs->Open(path, OpenMode::kRead));
  for (OpenMode mode : {OpenMode::kReadWrite, OpenMode::kCreateWrite}) {
    EXPECT_FALSE(fs->Open(path, mode));
    EXPECT_EQ(fs->LastError(), win32_error::kAccessDenied);
  }
  EXPECT_FALSE(fs->Delete(path));
  EXPECT_EQ(fs->LastError(), win32_error::kAccessDenied);
  dir.Write("other.bgl", "other");
  EXPECT_FALSE(fs->Replace(Path("other.bgl"), path));
  EXPECT_EQ(ReadAll("menu.bgl"), "menu");

  ASSERT_TRUE(fs->SetNormalAttributes(path));
  EXPECT_TRUE(fs->IsWritable(path));
  EXPECT_TRUE(fs->Open(path, OpenMode::kReadWrite));
  EXPECT_FALSE(fs->IsWritable(Path("missing.bgl")));
}

TEST_F(FileSystemBehaviour, DeleteRenameReplaceAndMakeFolderReportWin32Codes) {
  dir.Write("a.txt", "A");
  dir.Write("b.txt", "B");
  EXPECT_FALSE(fs->Delete(Path("missing.txt")));
  EXPECT_EQ(fs->LastError(), win32_error::kFileNotFound);
  EXPECT_FALSE(fs->Delete(Path("missing\\a.txt")));
  EXPECT_EQ(fs->LastError(), win32_error::kPathNotFound);

  EXPECT_FALSE(fs->Rename(Path("a.txt"), Path("b.txt")));
  EXPECT_EQ(fs->LastError(), win32_error::kAlreadyExists);
  EXPECT_FALSE(fs->Rename(Path("missing.txt"), Path("c.txt")));
  EXPECT_EQ(fs->LastError(), win32_error::kFileNotFound);
  ASSERT_TRUE(fs->Rename(Path("a.txt"), Path("c.txt")));
  EXPECT_FALSE(fs->Exists(Path("a.txt")));
  EXPECT_EQ(ReadAll("c.txt"), "A");

  ASSERT_TRUE(fs->Replace(Path("c.txt"), Path("b.txt")));
  EXPECT_EQ(ReadAll("b.txt"), "A");
  EXPECT_FALSE(fs->Exists(Path("c.txt")));
  ASSERT_TRUE(fs->Replace(Path("b.txt"), Path("d.txt")));  // no file to replace: a move
  EXPECT_EQ(ReadAll("d.txt"), "A");
  EXPECT_FALSE(fs->Replace(Path("missing.txt"), Path("d.txt")));
  EXPECT_EQ(fs->LastError(), win32_error::kFileNotFound);

  ASSERT_TRUE(fs->Delete(Path("d.txt")));
  EXPECT_FALSE(fs->Exists(Path("d.txt")));

  ASSERT_TRUE(fs->MakeFolder(Path("Menus")));
  EXPECT_TRUE(fs->Exists(Path("Menus")));
  EXPECT_FALSE(fs->MakeFolder(Path("Menus")));
  EXPECT_EQ(fs->LastError(), win32_error::kAlreadyExists);
  EXPECT_FALSE(fs->MakeFolder(Path("missing\\Menus")));
  EXPECT_EQ(fs->LastError(), win32_error::kPathNotFound);
  ASSERT_TRUE(fs->MakeFolder(Path("menus\\Scenery")));
  EXPECT_TRUE(fs->FindFiles(Path("MENUS\\*")).empty());  // a folder is not a file
}

}  // namespace
}  // namespace tarnwick
