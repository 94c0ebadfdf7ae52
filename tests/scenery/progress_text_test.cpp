#include "scenery/progress_text.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ProgressTextTest, ScanTotalsChooseSingularOrPlural) {
  struct Case {
    int32_t entry, areas, locations;
    const char* text;
  };
  const Case cases[] = {
      {0, 0, 0, "1 VIS entry, 0 Areas, 0 Locations"},
      {0, 1, 1, "1 VIS entry, 1 Area, 1 Location"},
      {1, 2, 12, "2 VIS entries, 2 Areas, 12 Locations"},
      {2147483647, 1, 2, "2147483648 VIS entries, 1 Area, 2 Locations"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScanProgressText(c.entry, c.areas, c.locations), c.text);
  }
}

TEST(ProgressTextTest, OnlyThePathPlaceholderIsFilled) {
  struct Case {
    const char* format;
    const char* path;
    const char* text;
  };
  const Case cases[] = {
      {"Please wait whilst VIS file '%s' is being processed.", "C:\\FS98\\Scenery\\World.vis",
       "Please wait whilst VIS file 'C:\\FS98\\Scenery\\World.vis' is being processed."},
      {"Please wait whilst saving menu for VIS file '%s'.", "D:\\100%s %d\\a.vis",
       "Please wait whilst saving menu for VIS file 'D:\\100%s %d\\a.vis'."},
      {"Disabling Menus according to Active VIS entries\n", "x.vis",
       "Disabling Menus according to Active VIS entries\n"},
      {"50% done %d %s and %s", "p", "50% done %d p and %s"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatProgressMessage(c.format, c.path), c.text);
  }
}

}  // namespace
}  // namespace tarnwick
