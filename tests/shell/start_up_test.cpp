#include "shell/start_up.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(HelpFilePath, ReplacesTheProgramNameWithTheHelpFile) {
  struct Case {
    std::string module;
    std::string help;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Tarnwick\\tarnwick.exe", "C:\\Program Files\\Tarnwick\\guide.html"},
      {"C:\\tarnwick.exe", "C:\\guide.html"},
      {"tarnwick.exe", "guide.html"},
      {"", "guide.html"},
  };
  for (const Case& c : cases) EXPECT_EQ(HelpFilePath(c.module), c.help) << c.module;
}

TEST(HelpFilePath, UsesOnlyTheFirst244Characters) {
  // A backslash beyond the limit does not count: the folder ends at the last one within it.
  std::string folder = "C:\\" + std::string(200, 'a') + "\\";
  std::string module = folder + std::string(60, 'b') + "\\tarnwick.exe";
  EXPECT_EQ(HelpFilePath(module), folder + "guide.html");
}

TEST(VisFileArgument, TakesTheNamedFile) {
  struct Case {
    std::string line;
    std::string file;
  };
  const Case cases[] = {
      {"", ""},
      {"   ", ""},
      {"C:\\FS98\\Scenery\\World.vis", "C:\\FS98\\Scenery\\World.vis"},
      {"  C:\\FS98\\World.vis \t", "C:\\FS98\\World.vis"},
      {"\"C:\\Program Files\\FS98\\Scenery\\World.vis\"",
       "C:\\Program Files\\FS98\\Scenery\\World.vis"},
      {"\"C:\\My Files\\World.vis\" extra", "C:\\My Files\\World.vis"},
      {"\"C:\\Unclosed\\World.vis", "C:\\Unclosed\\World.vis"},
  };
  for (const Case& c : cases) EXPECT_EQ(VisFileArgument(c.line), c.file) << c.line;
}

}  // namespace
}  // namespace tarnwick
