#include "scenery/memory_menu_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// The marked nodes are listed without a walk; a removed or cleared node leaves the list.
TEST(MemoryMenuTreeTest, TheMarkedNodesFollowMarksRemovalsAndClearing) {
  MemoryMenuTree tree;
  TreeNode root = tree.Insert(nullptr, nullptr, "World.vis", 0);
  TreeNode a = tree.Insert(root, nullptr, "A", MakeTreeItemData(NodeKind::kArea, 1));
  TreeNode b = tree.Insert(root, a, "B", MakeTreeItemData(NodeKind::kArea, 2));
  TreeNode la = tree.Insert(a, nullptr, "LA", MakeTreeItemData(NodeKind::kLocation, 1));
  TreeNode lb = tree.Insert(b, nullptr, "LB", MakeTreeItemData(NodeKind::kLocation, 2));
  auto marked = [&tree] {
    std::vector<TreeNode> nodes = tree.MarkedNodes();
    std::sort(nodes.begin(), nodes.end());
    return nodes;
  };
  auto sorted = [](std::vector<TreeNode> nodes) {
    std::sort(nodes.begin(), nodes.end());
    return nodes;
  };
  for (TreeNode n : {a, la, lb}) tree.SetMarked(n, true);
  tree.SetMarked(lb, true);  // twice, listed once
  EXPECT_EQ(marked(), sorted({a, la, lb}));
  tree.SetMarked(a, false);
  tree.SetMarked(b, false);  // never marked
  EXPECT_EQ(marked(), sorted({la, lb}));
  tree.Remove(b);  // takes its marked Location
  EXPECT_EQ(marked(), sorted({la}));
  tree.Clear();
  EXPECT_TRUE(tree.MarkedNodes().empty());
}

std::vector<std::string> Labels(const MemoryMenuTree& tree, TreeNode parent) {
  std::vector<std::string> labels;
  for (TreeNode n = parent ? tree.FirstChild(parent) : tree.Root(); n; n = tree.Next(n)) {
    labels.push_back(tree.Label(n));
  }
  return labels;
}

TEST(MemoryMenuTreeTest, ArrangingChildrenTakesOnlyAnOrderOfExactlyThoseChildren) {
  MemoryMenuTree tree;
  TreeNode root = tree.Insert(nullptr, nullptr, "World.vis", 0);
  TreeNode a = tree.Insert(root, nullptr, "A", MakeTreeItemData(NodeKind::kArea, 1));
  TreeNode b = tree.Insert(root, a, "B", MakeTreeItemData(NodeKind::kArea, 2));
  TreeNode c = tree.Insert(root, b, "C", MakeTreeItemData(NodeKind::kArea, 3));
  TreeNode l = tree.Insert(a, nullptr, "L", MakeTreeItemData(NodeKind::kLocation, 1));
  struct Case {
    const char* what;
    std::vector<TreeNode> order;
  };
  const Case refused[] = {
      {"one missing", {c, a}},
      {"one too many", {c, a, b, b}},
      {"one twice, one left out", {c, a, a}},
      {"a grandchild", {c, a, l}},
      {"the parent itself", {c, a, root}},
  };
  for (const Case& k : refused) {
    EXPECT_FALSE(tree.ArrangeChildren(root, k.order)) << k.what;
    EXPECT_EQ(Labels(tree, root), (std::vector<std::string>{"A", "B", "C"})) << k.what;
  }
  const std::vector<TreeNode> order = {c, a, b};
  ASSERT_TRUE(tree.ArrangeChildren(root, order));
  EXPECT_EQ(Labels(tree, root), (std::vector<std::string>{"C", "A", "B"}));
  EXPECT_EQ(tree.Previous(c), nullptr);
  EXPECT_EQ(tree.Previous(b), a);
  EXPECT_EQ(tree.Next(b), nullptr);
  EXPECT_EQ(tree.Parent(a), root);
  // The top level too; the same order again is accepted (no mark is left behind).
  const std::vector<TreeNode> top = {root};
  EXPECT_TRUE(tree.ArrangeChildren(nullptr, top));
  EXPECT_TRUE(tree.ArrangeChildren(root, order));
}

TEST(MemoryMenuTreeTest, TagsStayWithTheirNodeUntilItGoes) {
  MemoryMenuTree tree;
  TreeNode root = tree.Insert(nullptr, nullptr, "World.vis", 0);
  std::vector<TreeNode> areas;
  // Past the first block of nodes, so tags are kept beyond it.
  for (uint32_t i = 1; i <= 1500; ++i) {
    areas.push_back(tree.Insert(root, areas.empty() ? nullptr : areas.back(), "A",
                                MakeTreeItemData(NodeKind::kArea, i)));
  }
  EXPECT_EQ(tree.Tag(root), 0u);
  EXPECT_EQ(tree.Tag(nullptr), 0u);
  tree.SetTag(areas.back(), 77);
  tree.SetTag(root, 5);
  EXPECT_EQ(tree.Tag(areas.back()), 77u);
  EXPECT_EQ(tree.Tag(root), 5u);
  EXPECT_EQ(tree.Tag(areas.front()), 0u);
  // Sorting moves nodes, not their tags to other nodes.
  tree.SortChildren(root);
  EXPECT_EQ(tree.Tag(areas.back()), 77u);
  tree.Remove(areas.back());
  TreeNode later = tree.Insert(root, nullptr, "New", MakeTreeItemData(NodeKind::kArea, 9));
  EXPECT_EQ(tree.Tag(later), 0u) << "a new node starts without a tag";
  tree.Clear();
  root = tree.Insert(nullptr, nullptr, "World.vis", 0);
  EXPECT_EQ(tree.Tag(root), 0u) << "nor does a node after Clear";
}

}  // namespace
}  // namespace tarnwick
