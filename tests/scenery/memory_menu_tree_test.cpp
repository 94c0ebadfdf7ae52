#include "scenery/memory_menu_tree.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(MemoryMenuTreeTest, ARemovedNodesHandleIsCaughtNotReadAsAnotherNode) {
  MemoryMenuTree tree;
  TreeNode root = tree.Insert(nullptr, nullptr, "World.vis", 0);
  TreeNode area = tree.Insert(root, nullptr, "Area", MakeTreeItemData(NodeKind::kArea, 1));
  TreeNode locn = tree.Insert(area, nullptr, "Locn", MakeTreeItemData(NodeKind::kLocation, 1));
  tree.Remove(area);
  EXPECT_FALSE(tree.Contains(area));
  EXPECT_FALSE(tree.Contains(locn));
  EXPECT_TRUE(tree.Contains(root));
  EXPECT_EQ(tree.Count(), 1u);
  tree.Remove(area);  // removing twice is harmless
  EXPECT_DEATH(tree.Expand(area, false), "removed node");
  EXPECT_DEATH(tree.Label(locn), "removed node");
}

}  // namespace
}  // namespace tarnwick
