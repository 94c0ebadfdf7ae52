// The POSIX side of the file system: drive letters, Wine prefixes, case-insensitive look-up and the
// mapping of host paths back to the Windows paths the simulator would see.
#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/posix/wine_names.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// A Wine prefix with drive_c, a games drive inside it, and the links Wine keeps beside drives.
struct FakePrefix {
  FakePrefix() {
    root = fs::canonical(dir.path());
    fs::create_directories(root / "drive_c" / "games");
    fs::create_directories(root / "dosdevices");
    fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
    fs::create_directory_symlink("../drive_c/games", root / "dosdevices" / "g:");
    fs::create_symlink("/dev/null", root / "dosdevices" / "c::");            // a raw device
    fs::create_directory_symlink("../nowhere", root / "dosdevices" / "e:");  // dangling
    fs::create_directory_symlink("/", root / "dosdevices" / "z:");
  }
  TempDir dir;
  fs::path root;
};

TEST(PosixFileSystemTest, WinePrefixDrivesAreItsDosdeviceFolders) {
  FakePrefix prefix;
  DriveMap drives = WinePrefixDrives(prefix.root.string());
  std::map<char, std::string> expected = {{'C', (prefix.root / "drive_c").string()},
                                          {'G', (prefix.root / "drive_c" / "games").string()},
                                          {'Z', "/"}};
  EXPECT_EQ(drives.drives, expected);
  EXPECT_TRUE(WinePrefixDrives((prefix.root / "missing").string()).drives.empty());
}

TEST(PosixFileSystemTest, DefaultDrivesTakeThePrefixThenTheExplicitMappings) {
  FakePrefix prefix;
  TempDir other;
  {
    ScopedEnv env("WINEPREFIX", prefix.root.c_str());
    DriveMap drives = DefaultDrives({{{'c', other.path().string()}, {'X', "/srv"}}});
    EXPECT_EQ(drives.drives['C'], other.path().string());  // explicit wins over the prefix
    EXPECT_EQ(drives.drives['G'], (prefix.root / "drive_c" / "games").string());
    EXPECT_EQ(drives.drives['X'], "/srv");
    EXPECT_EQ(drives.drives['Z'], "/");
  }
  {
    // Without $WINEPREFIX the prefix is ~/.wine, when it exists.
    ScopedEnv env("WINEPREFIX", nullptr);
    ScopedEnv home("HOME", other.path().c_str());
    EXPECT_EQ(DefaultDrives({}).drives, (std::map<char, std::string>{{'Z', "/"}}));
    fs::create_directory_symlink(prefix.root, other.path() / ".wine");
    EXPECT_EQ(DefaultDrives({}).drives.count('G'), 1u);
  }
}

TEST(PosixFileSystemTest, MakeNativeFileSystemReachesPrefixAndExplicitDrives) {
  FakePrefix prefix;
  TempDir mapped;
  mapped.Write("FS98/Scenery/World.vis", "vis");
  prefix.dir.Write("drive_c/games/Readme.txt", "readme");
  ScopedEnv env("WINEPREFIX", prefix.root.c_str());
  auto native = MakeNativeFileSystem({{{'Q', mapped.path().string()}}});
  EXPECT_TRUE(native->Exists("q:\\fs98\\scenery\\WORLD.VIS"));
  EXPECT_TRUE(native->Exists("G:\\README.TXT"));
  EXPECT_TRUE(native->Exists("c:/Games/readme.txt"));  // slashes separate as well
  EXPECT_FALSE(native->Exists("Y:\\anything"));
  EXPECT_EQ(native->LastError(), win32_error::kPathNotFound);
}

TEST(PosixFileSystemTest, EachComponentIsFoundWithoutRegardToCaseExactFirst) {
  TempDir dir;
  dir.Write("Scenery/World.vis", "");
  dir.Write("Scenery/file.txt", "");
  dir.Write("Scenery/FILE.txt", "");
  dir.Write("Scenery/Sub/x.bgl", "");
  PosixFileSystem posix({{{'T', dir.path().string()}}});
  struct Case {
    const char* windows;
    std::string host;  // relative to the folder; empty: a folder on the way is missing
  };
  const Case cases[] = {
      {"T:\\SCENERY\\world.VIS", "/Scenery/World.vis"},
      {"T:\\Scenery\\file.txt", "/Scenery/file.txt"},  // exact match preferred
      {"T:\\Scenery\\FILE.txt", "/Scenery/FILE.txt"},
      {"T:\\Scenery\\File.TXT", "/Scenery/FILE.txt"},  // otherwise the first in byte order
      {"t:\\scenery\\.\\sub\\..\\SUB\\X.BGL", "/Scenery/Sub/x.bgl"},
      {"T:\\..\\..\\scenery", "/Scenery"},                     // never above the drive's root
      {"T:\\Scenery\\New File.txt", "/Scenery/New File.txt"},  // a new name is kept as written
      {"T:\\Missing\\x.bgl", ""},
      {"T:\\Scenery\\World.vis\\x", ""},  // a file is not a folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.windows);
    std::string expected = c.host.empty() ? "" : dir.path().string() + c.host;
    EXPECT_EQ(posix.HostPath(c.windows), expected);
  }
}

TEST(PosixFileSystemTest, CreatingAFileKeepsTheCaseOfAnExistingOne) {
  TempDir dir;
  dir.Write("Menus/World_MENU.bgl", "old");
  PosixFileSystem posix({{{'T', dir.path().string()}}});
  {
    auto file = posix.Open("T:\\menus\\world_menu.BGL", OpenMode::kCreateWrite);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write("new", 3));
  }
  EXPECT_EQ(dir.Read("Menus/World_MENU.bgl"), (std::vector<uint8_t>{'n', 'e', 'w'}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "Menus"), fs::directory_iterator()),
            1);
  // A rename to another case of the same name is allowed and takes the new case.
  ASSERT_TRUE(posix.Rename("T:\\Menus\\World_MENU.bgl", "T:\\Menus\\WORLD_menu.bgl"));
  EXPECT_TRUE(fs::exists(dir.path() / "Menus" / "WORLD_menu.bgl"));
  EXPECT_FALSE(posix.Open("T:\\Menus\\*.bgl", OpenMode::kCreateWrite));
  EXPECT_EQ(posix.LastError(), win32_error::kInvalidName);
}

TEST(PosixFileSystemTest, ProgramPathGivesTheMostSpecificDrive) {
  FakePrefix prefix;
  TempDir loose;
  PosixFileSystem posix(DefaultDrives({}));  // no prefix in the environment of every test
  PosixFileSystem wine({{{'C', (prefix.root / "drive_c").string()},
                         {'G', (prefix.root / "drive_c" / "games").string()},
                         {'Z', "/"}}});
  std::string games = (prefix.root / "drive_c" / "games").string();
  struct Case {
    std::string typed;
    std::string expected;
  };
  const Case cases[] = {
      {games + "/FS98/Scenery/World.vis", "G:\\FS98\\Scenery\\World.vis"},
      {(prefix.root / "drive_c" / "windows" / "x.ini").string(), "C:\\windows\\x.ini"},
      {games, "G:\\"},
      {games + "x/y", "C:\\gamesx\\y"},  // a prefix of a name is not the folder
      {prefix.root.string() + "/drive_c/./games/../x.txt", "C:\\x.txt"},
      {"/etc/hosts", "Z:\\etc\\hosts"},
      {"/", "Z:\\"},
      {"c:\\FS98\\World.vis", "c:\\FS98\\World.vis"},  // already a Windows path
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(wine.ProgramPath(c.typed), c.expected);
  }

  // A relative path is taken from the current folder.
  fs::path cwd = fs::current_path();
  fs::current_path(prefix.root / "drive_c" / "games");
  std::string relative = wine.ProgramPath("FS98/World.vis");
  fs::current_path(cwd);
  EXPECT_EQ(relative, "G:\\FS98\\World.vis");

  // A drive map without Z: cannot name a path outside its drives.
  PosixFileSystem only_c({{{'C', (prefix.root / "drive_c").string()}}});
  EXPECT_EQ(only_c.ProgramPath("/etc/hosts"), "");
  // Explicit drives on equal folders: any letter beats Z:.
  PosixFileSystem same({{{'Z', "/"}, {'R', "/"}}});
  EXPECT_EQ(same.ProgramPath("/etc"), "R:\\etc");
  EXPECT_EQ(posix.ProgramPath(loose.path().string()).substr(0, 3), "Z:\\");
}

TEST(PosixFileSystemTest, ErrnoBecomesTheWin32Code) {
  const std::pair<int, uint32_t> cases[] = {
      {ENOENT, win32_error::kFileNotFound},     {ENOTDIR, win32_error::kPathNotFound},
      {EACCES, win32_error::kAccessDenied},     {EPERM, win32_error::kAccessDenied},
      {EROFS, win32_error::kAccessDenied},      {ENOSPC, win32_error::kDiskFull},
      {EDQUOT, win32_error::kDiskFull},         {EEXIST, win32_error::kAlreadyExists},
      {ENOMEM, win32_error::kNotEnoughMemory},  {EBADF, win32_error::kInvalidHandle},
      {EINVAL, win32_error::kInvalidParameter}, {EBUSY, win32_error::kSharingViolation},
  };
  for (const auto& [error, code] : cases) EXPECT_EQ(Win32ErrorFromErrno(error), code) << error;
}

TEST(PosixFileSystemTest, ReadOnlyIsJudgedFromTheModeBitsEvenForRoot) {
  TempDir dir;
  auto host = dir.Write("a.bgl", "a");
  PosixFileSystem posix({{{'T', dir.path().string()}}});
  ::chmod(host.c_str(), 0444);
  EXPECT_FALSE(posix.IsWritable("T:\\a.bgl"));
  ::chmod(host.c_str(), 0464);  // anyone may write: not read-only
  EXPECT_TRUE(posix.IsWritable("T:\\a.bgl"));
  ::chmod(host.c_str(), 0444);
  ASSERT_TRUE(posix.SetNormalAttributes("T:\\A.BGL"));
  EXPECT_EQ(fs::status(host).permissions() & fs::perms::owner_write, fs::perms::owner_write);
  ::chmod(host.c_str(), 0666);
  ASSERT_TRUE(posix.SetReadOnly("T:\\a.bgl"));
  EXPECT_EQ(fs::status(host).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// Opening a path spelt as stored skips the case-insensitive walk; the checks must stay the same.
TEST(PosixFileSystemTest, OpeningChecksWhatItOpensHoweverThePathIsSpelt) {
  TempDir dir;
  auto host = dir.Write("Sub/a.bgl", "abc");
  PosixFileSystem posix({{{'T', dir.path().string()}}});
  ::chmod(host.c_str(), 0444);
  for (const char* path : {"T:\\Sub\\a.bgl", "T:\\SUB\\A.BGL"}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(posix.Open(path, OpenMode::kReadWrite));  // a read-only file refuses writers
    EXPECT_EQ(posix.LastError(), win32_error::kAccessDenied);
    EXPECT_FALSE(posix.Open("T:\\Sub", OpenMode::kRead));  // a folder is no file
    EXPECT_EQ(posix.LastError(), win32_error::kAccessDenied);
    auto file = posix.Open(path, OpenMode::kRead);
    ASSERT_TRUE(file);
    uint8_t bytes[8];
    uint32_t got = 0;
    ASSERT_TRUE(file->Read(bytes, sizeof bytes, got));
    EXPECT_EQ(got, 3u);
    EXPECT_FALSE(file->Write("x", 1));
  }
  // Made writable on the way, as SetNormalAttributes then Open would.
  for (const char* path : {"T:\\Sub\\a.bgl", "T:\\sub\\A.bgl"}) {
    SCOPED_TRACE(path);
    ::chmod(host.c_str(), 0444);
    auto file = posix.OpenMadeWritable(path);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->Seek(1) && file->Write("X", 1));
    EXPECT_EQ(fs::status(host).permissions() & fs::perms::owner_write, fs::perms::owner_write);
  }
  EXPECT_EQ(dir.Read("Sub/a.bgl"), (std::vector<uint8_t>{'a', 'X', 'c'}));
  EXPECT_FALSE(posix.OpenMadeWritable("T:\\Sub\\missing.bgl"));
  EXPECT_EQ(posix.LastError(), win32_error::kFileNotFound);
  EXPECT_FALSE(posix.OpenMadeWritable("T:\\Sub"));
  EXPECT_EQ(posix.LastError(), win32_error::kAccessDenied);
}

TEST(PosixFileSystemTest, ProgramNamesAreSpeltOnTheHostAsWineSpellsThem) {
  const std::pair<std::string, std::string> both_ways[] = {
      {"Z\xfcrich", "Z\xc3\xbcrich"}, {"\x80 Euro", "\xe2\x82\xac Euro"},
      {"\x9f", "\xc5\xb8"},  // Y with diaeresis
      {"\x81", "\xc2\x81"},  // undefined in the code page: stands for itself
      {"World.vis", "World.vis"},
  };
  for (const auto& [program, host] : both_ways) {
    SCOPED_TRACE(program);
    EXPECT_EQ(HostName(program), host);
    EXPECT_EQ(ProgramName(host), program);
  }
  for (int byte = 0; byte < 256; ++byte) {
    std::string name(1, static_cast<char>(byte));
    EXPECT_EQ(ProgramName(HostName(name)), name) << byte;
  }
  // Letters beyond ASCII have their upper case as in Windows; signs and lone letters do not.
  EXPECT_TRUE(SameProgramName("Z\xfcrich \x9a\xff", "z\xdcRICH \x8a\x9f"));
  for (const char* other : {"\xf7", "\xdf", "\xb5"}) {
    EXPECT_FALSE(SameProgramName(other, std::string(1, static_cast<char>(other[0] - 0x20))));
  }
  // Not UTF-8, or a character the code page lacks: no program name.
  for (std::string host :
       {"Z\xfcrich", "\xe6\x97\xa5", "\xc2\x80", "\xc1\xbc", "Z\xc3", "\xf0\x9f\x98\x80"}) {
    EXPECT_EQ(ProgramName(host), std::nullopt) << host;
  }
}

// The program's names are code page 1252 bytes; Wine keeps them on the disk in UTF-8, so the
// native file system reaches the same files as the program does under Wine.
TEST(PosixFileSystemTest, ANameAboveAsciiLeadsToItsUtf8Spelling) {
  TempDir dir;
  dir.Write("Scenery/Z\xc3\xbcrich/Scenery/Br\xc3\xbcssel.bgl", "utf8");
  dir.Write("Scenery/Z\xc3\xbcrich/Scenery/plain.bgl", "");
  dir.Write("Scenery/Z\xc3\xbcrich/Scenery/\xe6\x97\xa5.bgl", "");  // no code page name
  dir.Write("Scenery/K\xf6ln/Scenery/a.bgl", "raw");                // stored byte for byte
  PosixFileSystem posix({{{'T', dir.path().string()}}});
  const std::string zurich = dir.path().string() + "/Scenery/Z\xc3\xbcrich";

  EXPECT_EQ(posix.HostPath("T:\\Scenery\\Z\xfcrich\\Scenery\\Br\xfcssel.bgl"),
            zurich + "/Scenery/Br\xc3\xbcssel.bgl");
  EXPECT_EQ(posix.HostPath("T:\\SCENERY\\Z\xdcRICH\\scenery\\PLAIN.BGL"),  // U with diaeresis
            zurich + "/Scenery/plain.bgl");
  auto file = posix.Open("t:\\scenery\\Z\xfcrich\\Scenery\\br\xfcSSEL.bgl", OpenMode::kRead);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->Size(), 4);

  // The scan's listing gives names in the code page; a name it cannot spell keeps its bytes and
  // still leads back to its file.
  const std::vector<std::string> listed = {"Br\xfcssel.bgl", "plain.bgl", "\xe6\x97\xa5.bgl"};
  EXPECT_EQ(posix.FindFiles("T:\\Scenery\\Z\xfcrich\\Scenery\\*.bgl"), listed);
  EXPECT_EQ(posix.FindFiles("T:\\Scenery\\Z\xfcrich\\Scenery\\bR\xfc*.BGL"),
            std::vector<std::string>{"Br\xfcssel.bgl"});
  for (const std::string& name : listed) {
    EXPECT_TRUE(posix.Exists("T:\\Scenery\\Z\xfcrich\\Scenery\\" + name)) << name;
  }
  // A name some other program stored byte for byte is still found by its bytes.
  EXPECT_EQ(posix.FindFiles("T:\\Scenery\\K\xf6ln\\Scenery\\*.bgl"),
            std::vector<std::string>{"a.bgl"});

  // New files and folders are spelt in UTF-8, as Wine would make them.
  ASSERT_TRUE(posix.MakeFolder("T:\\Gen\xe8ve"));
  ASSERT_TRUE(posix.Open("T:\\Gen\xe8ve\\M\xfcnchen.bgl", OpenMode::kCreateWrite));
  EXPECT_TRUE(fs::exists(dir.path() / "Gen\xc3\xa8ve" / "M\xc3\xbcnchen.bgl"));
  ASSERT_TRUE(posix.Rename("T:\\Gen\xe8ve\\M\xfcnchen.bgl", "T:\\Gen\xe8ve\\\xc4.bgl"));
  EXPECT_TRUE(fs::exists(dir.path() / "Gen\xc3\xa8ve" / "\xc3\x84.bgl"));

  // A host path typed in UTF-8 becomes the program's name.
  EXPECT_EQ(posix.ProgramPath(zurich), "T:\\Scenery\\Z\xfcrich");
}

}  // namespace
}  // namespace tarnwick
