#include "tree/vis_selection.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ToggleVisSelection, SwitchesTheWorkingCopyOfUnprotectedEntriesOnly) {
  ScenerySet set;
  set.vis_entries.resize(4);
  const uint8_t working[] = {0, 1, 2, 3};
  for (size_t i = 0; i < 4; ++i) set.vis_entries[i].working_flags = working[i];

  struct Case {
    int number;
    VisToggleResult result;
    uint8_t after;
  };
  const Case cases[] = {
      {1, VisToggleResult::kSwitched, 1},
      {2, VisToggleResult::kSwitched, 0},
      {3, VisToggleResult::kProtected, 2},
      {4, VisToggleResult::kProtected, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToggleVisSelection(set, c.number), c.result) << c.number;
    EXPECT_EQ(set.vis_entries[c.number - 1].working_flags, c.after) << c.number;
  }
  // Twice is as before.
  ToggleVisSelection(set, 1);
  EXPECT_EQ(set.vis_entries[0].working_flags, 0);
  EXPECT_EQ(ToggleVisSelection(set, 0), VisToggleResult::kNoEntry);
  EXPECT_EQ(ToggleVisSelection(set, 5), VisToggleResult::kNoEntry);
}

}  // namespace
}  // namespace tarnwick
