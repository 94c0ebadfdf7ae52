// The MenuTree port over a real tree-view control.
#include "tree/win32/tree_view_menu_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {
namespace {

class TreeViewMenuTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    control_ =
        CreateWindowExA(0, WC_TREEVIEWA, "", WS_OVERLAPPEDWINDOW | TVS_HASBUTTONS | TVS_HASLINES, 0,
                        0, 300, 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(control_, nullptr);
    tree.SetControl(control_);
  }
  void TearDown() override { DestroyWindow(control_); }

  TreeNode Add(TreeNode parent, TreeNode after, const char* label, NodeKind kind,
               uint32_t record = 1) {
    return tree.Insert(parent, after, label, MakeTreeItemData(kind, record));
  }
  std::vector<std::string> Labels(TreeNode parent) {
    std::vector<std::string> labels;
    for (TreeNode n = parent ? tree.FirstChild(parent) : tree.Root(); n; n = tree.Next(n)) {
      labels.push_back(tree.Label(n));
    }
    return labels;
  }
  std::pair<int, int> Images(TreeNode node) {
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = tree.ItemOfNode(node);
    SendMessageA(control_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return {item.iImage, item.iSelectedImage};
  }

  HWND control_ = nullptr;
  TreeViewMenuTree tree;
};

TEST_F(TreeViewMenuTreeTest, InsertsInOrderAndWalksTheTree) {
  TreeNode root = Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
  TreeNode b = Add(root, nullptr, "B", NodeKind::kArea, 2);
  TreeNode a = Add(root, nullptr, "A", NodeKind::kArea, 1);  // first
  TreeNode c = Add(root, b, "C", NodeKind::kArea, 3);        // after B
  TreeNode l1 = Add(a, nullptr, "L1", NodeKind::kLocation, 7);
  ASSERT_NE(l1, nullptr);

  EXPECT_EQ(tree.Count(), 5u);
  EXPECT_EQ(tree.Root(), root);
  EXPECT_EQ(Labels(root), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(tree.Parent(l1), a);
  EXPECT_EQ(tree.Parent(root), nullptr);
  EXPECT_EQ(tree.Previous(c), b);
  EXPECT_EQ(tree.Previous(a), nullptr);
  EXPECT_EQ(tree.FirstChild(c), nullptr);
  EXPECT_EQ(tree.Data(l1), MakeTreeItemData(NodeKind::kLocation, 7));
  EXPECT_EQ(tree.Data(root), 0u);

  // A node's picture is its kind; selected it shows the marked picture.
  EXPECT_EQ(Images(root), std::make_pair(0, 3));
  EXPECT_EQ(Images(a), std::make_pair(1, 4));
  EXPECT_EQ(Images(l1), std::make_pair(2, 5));

  EXPECT_EQ(tree.Insert(b, l1, "wrong parent", 0), nullptr)
      << "a predecessor under another parent is refused";
}

TEST_F(TreeViewMenuTreeTest, LabelsAreKeptTo259Characters) {
  TreeNode root = Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
  std::string long_label(300, 'x');
  TreeNode area = tree.Insert(root, nullptr, long_label, MakeTreeItemData(NodeKind::kArea, 1));
  EXPECT_EQ(tree.Label(area), std::string(259, 'x'));
  tree.SetLabel(area, "Renamed");
  EXPECT_EQ(tree.Label(area), "Renamed");
  tree.SetLabel(area, long_label);
  EXPECT_EQ(tree.Label(area).size(), 259u);
}

TEST_F(TreeViewMenuTreeTest, MarksAreTheMarkedPictures) {
  TreeNode root = Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
  TreeNode area = Add(root, nullptr, "A", NodeKind::kArea);
  EXPECT_FALSE(tree.Marked(area));
  tree.SetMarked(area, true);
  EXPECT_TRUE(tree.Marked(area));
  EXPECT_EQ(Images(area), std::make_pair(4, 4));
  tree.SetMarked(area, false);
  EXPECT_FALSE(tree.Marked(area));
  EXPECT_EQ(Images(area), std::make_pair(1, 4));
}

TEST_F(TreeViewMenuTreeTest, SelectionExpansionAndRemoval) {
  TreeNode root = Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
  TreeNode area = Add(root, nullptr, "A", NodeKind::kArea);
  TreeNode location = Add(area, nullptr, "L", NodeKind::kLocation);
  tree.Expand(root, true);
  EXPECT_TRUE(tree.Expanded(root));
  EXPECT_FALSE(tree.Expanded(area));
  EXPECT_FALSE(tree.IsShown(location));
  tree.Select(location);
  EXPECT_EQ(tree.Selected(), location);
  EXPECT_TRUE(tree.IsShown(location)) << "selecting a node opens its parents";
  tree.Select(nullptr);
  EXPECT_EQ(tree.Selected(), nullptr);

  // A copy takes the expanded state of the node it copies.
  TreeNode copy =
      tree.Insert(root, area, "A copy", MakeTreeItemData(NodeKind::kArea, 1), /*copy=*/area);
  Add(copy, nullptr, "L copy", NodeKind::kLocation);
  EXPECT_TRUE(tree.Expanded(copy));

  tree.Remove(area);
  EXPECT_EQ(tree.Count(), 3u);
  EXPECT_EQ(Labels(root), (std::vector<std::string>{"A copy"}));
  tree.Clear();
  EXPECT_EQ(tree.Count(), 0u);
  EXPECT_EQ(tree.Root(), nullptr);
}

TEST_F(TreeViewMenuTreeTest, SortingUsesTheControlsOwnLabelOrder) {
  struct Case {
    std::vector<const char*> labels;
    std::vector<std::string> sorted;
  };
  const Case cases[] = {
      {{"delta", "Bravo", "alpha", "Charlie"}, {"alpha", "Bravo", "Charlie", "delta"}},
      // Punctuation sorts as the platform's lists sort it, not by its byte value.
      {{"O'Hare", "Oakland", "Zurich", "_Base"}, {"_Base", "Oakland", "O'Hare", "Zurich"}},
  };
  for (const Case& c : cases) {
    tree.Clear();
    TreeNode root = Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
    TreeNode after = nullptr;
    uint32_t record = 1;
    for (const char* label : c.labels) after = Add(root, after, label, NodeKind::kArea, record++);
    tree.SortChildren(root);
    EXPECT_EQ(Labels(root), c.sorted);
    // Each node keeps its own item data.
    for (TreeNode n = tree.FirstChild(root); n; n = tree.Next(n)) {
      EXPECT_STREQ(c.labels[RecordOf(tree.Data(n)) - 1], tree.Label(n).c_str());
    }
  }
}

TEST_F(TreeViewMenuTreeTest, ChildrenSharingTheirItemDataAreSortedByTheControlItself) {
  TreeNode root = Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
  TreeNode after = nullptr;
  for (const char* label : {"delta", "Bravo", "alpha"}) {
    after = Add(root, after, label, NodeKind::kArea, 1);
  }
  tree.SortChildren(root);
  EXPECT_EQ(Labels(root), (std::vector<std::string>{"alpha", "Bravo", "delta"}));
  // The walk agrees with the control's own order.
  std::vector<std::string> in_control;
  for (auto item = TreeView_GetChild(control_, tree.ItemOfNode(root)); item;
       item = TreeView_GetNextSibling(control_, item)) {
    in_control.push_back(tree.Label(tree.NodeOfItem(item)));
  }
  EXPECT_EQ(in_control, Labels(root));
  EXPECT_EQ(tree.Previous(tree.FirstChild(root)), nullptr);
}

// While a long operation fills the tree the control does not lay itself out: expanding sets the
// state only and the node to bring into view waits until the changes are shown.
TEST_F(TreeViewMenuTreeTest, HeldDrawingKeepsTheStateAndShowsTheLastNodeAskedFor) {
  ShowWindow(control_, SW_SHOWNOACTIVATE);
  tree.HoldDrawing(true);
  TreeNode root = Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
  EXPECT_TRUE(tree.DrawingHeld());
  TreeNode area = nullptr;
  TreeNode last = nullptr;
  for (uint32_t a = 1; a <= 40; ++a) {
    area = Add(root, area, ("Area " + std::to_string(a)).c_str(), NodeKind::kArea, a);
    last = nullptr;
    for (uint32_t l = 1; l <= 3; ++l) last = Add(area, last, "L", NodeKind::kLocation, a * 3 + l);
    tree.EnsureVisible(area);  // opens the root at once
  }
  EXPECT_TRUE(tree.Expanded(root));
  tree.Expand(area, true);
  tree.EnsureVisible(last);
  TreeNode empty = Add(root, area, "no Locations", NodeKind::kArea, 99);
  tree.Expand(empty, true);
  EXPECT_TRUE(tree.Expanded(area));
  EXPECT_FALSE(tree.Expanded(empty)) << "a node without children stays as it is";
  // Opened by the user meanwhile (the pane passes TVN_ITEMEXPANDING and TVN_ITEMEXPANDED on), a
  // new node still closes.
  TreeNode first_area = tree.FirstChild(root);
  HTREEITEM first_item = tree.ItemOfNode(first_area);
  tree.NoteExpanding(first_item, TVE_EXPAND);
  TreeView_Expand(control_, first_item, TVE_EXPAND);
  tree.NoteExpansion(first_item);
  tree.Expand(first_area, false);
  EXPECT_FALSE(tree.Expanded(first_area));
  tree.HoldDrawing(false);
  EXPECT_FALSE(tree.DrawingHeld());
  EXPECT_TRUE(tree.IsShown(last));
  RECT rect = {};
  ASSERT_TRUE(TreeView_GetItemRect(control_, tree.ItemOfNode(last), &rect, TRUE))
      << "the last node asked for is in view";
  RECT client = {};
  GetClientRect(control_, &client);
  EXPECT_GE(rect.top, 0);
  EXPECT_LE(rect.bottom, client.bottom);
  EXPECT_EQ(tree.Count(), 1u + 40 * 4 + 1);
}

// A re-read closes the set behind the progress box: the tree pane and its control go and a new
// one comes, which the scan then fills. It is held as the old one was.
TEST_F(TreeViewMenuTreeTest, AControlMadeAnewDuringAHoldIsHeldToo) {
  tree.HoldDrawing(true);
  Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
  HWND second =
      CreateWindowExA(0, WC_TREEVIEWA, "", WS_OVERLAPPEDWINDOW | TVS_HASBUTTONS | TVS_HASLINES, 0,
                      0, 300, 400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(second, nullptr);
  tree.SetControl(nullptr);
  tree.SetControl(second);
  EXPECT_TRUE(tree.DrawingHeld());
  EXPECT_EQ(tree.Count(), 0u);
  TreeNode root = Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
  Add(root, nullptr, "Area", NodeKind::kArea, 1);
  tree.HoldDrawing(false);
  EXPECT_FALSE(tree.DrawingHeld());
  EXPECT_EQ(tree.Count(), 2u);
  tree.SetControl(control_);
  EXPECT_FALSE(tree.DrawingHeld()) << "no hold outlasts its end";
  DestroyWindow(second);
}

// Opening every Area at once closes the root item meanwhile; the selection and the first item in
// view come back as they were.
TEST_F(TreeViewMenuTreeTest, FoldingTheRootForAllAreasKeepsTheSelectionAndTheView) {
  ShowWindow(control_, SW_SHOWNOACTIVATE);
  TreeNode root = Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
  std::vector<TreeNode> areas;
  TreeNode location = nullptr;
  for (uint32_t a = 1; a <= 30; ++a) {
    areas.push_back(Add(root, areas.empty() ? nullptr : areas.back(),
                        ("Area " + std::to_string(a)).c_str(), NodeKind::kArea, a));
    TreeNode last = nullptr;
    for (uint32_t l = 1; l <= 3; ++l) {
      last = Add(areas.back(), last, "L", NodeKind::kLocation, 100 + a * 3 + l);
    }
    if (a == 20) location = last;
  }
  tree.Expand(root, true);
  tree.Select(location);
  auto first_visible = [&] { return tree.NodeOfItem(TreeView_GetFirstVisible(control_)); };
  TreeNode first = first_visible();
  ASSERT_NE(first, root) << "the view has scrolled to the selection";

  tree.HoldDrawing(true, /*fold_root=*/true);
  for (TreeNode area : areas) tree.Expand(area, true);
  EXPECT_FALSE(TreeView_GetItemState(control_, tree.ItemOfNode(root), TVIS_EXPANDED) &
               TVIS_EXPANDED)
      << "folded while the Areas change";
  EXPECT_TRUE(tree.Expanded(root)) << "as the user will see it";
  tree.HoldDrawing(false);

  EXPECT_TRUE(tree.Expanded(root));
  for (TreeNode area : areas) EXPECT_TRUE(tree.Expanded(area));
  EXPECT_EQ(tree.Selected(), location);
  EXPECT_EQ(first_visible(), first);
  EXPECT_FALSE(tree.RestoringSelection());
}

// The control holds the root and the Areas; an Area's Locations get items only when something
// needs them, and until then every answer comes from the memory tree as before.
TEST_F(TreeViewMenuTreeTest, AClosedAreasLocationsEnterTheControlWhenNeeded) {
  auto in_control = [this] { return static_cast<int>(TreeView_GetCount(control_)); };
  auto has_button = [this](TreeNode node) {
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = tree.ItemOfNode(node);
    SendMessageA(control_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.cChildren != 0;
  };
  tree.HoldDrawing(true);
  TreeNode root = Add(nullptr, nullptr, "World.vis", NodeKind::kRoot, 0);
  std::vector<TreeNode> areas;
  std::vector<std::vector<TreeNode>> locations(4);
  for (uint32_t a = 0; a < 4; ++a) {
    areas.push_back(Add(root, areas.empty() ? nullptr : areas.back(),
                        ("Area " + std::to_string(a)).c_str(), NodeKind::kArea, a + 1));
    for (const char* label : {"c", "a", "b"}) {
      TreeNode after = locations[a].empty() ? nullptr : locations[a].back();
      locations[a].push_back(Add(areas[a], after, label, NodeKind::kLocation, 10 * a + 10));
    }
  }
  tree.HoldDrawing(false);
  EXPECT_EQ(in_control(), 5);
  EXPECT_EQ(tree.Count(), 17u);
  EXPECT_EQ(Labels(areas[0]), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_TRUE(has_button(areas[0]));
  EXPECT_FALSE(tree.Expanded(areas[0]));
  EXPECT_FALSE(tree.IsShown(locations[0][0]));

  // Marked, sorted and renamed while closed, the items show all of it once made.
  tree.SetMarked(locations[1][1], true);
  tree.SortChildren(areas[1]);
  tree.SetLabel(locations[1][0], "z");
  EXPECT_EQ(Labels(areas[1]), (std::vector<std::string>{"a", "b", "z"}));
  EXPECT_EQ(in_control(), 5);
  tree.Select(locations[1][1]);  // "a", first since the sort
  EXPECT_EQ(in_control(), 8) << "selecting a Location makes its Area's items, and no others";
  EXPECT_EQ(tree.Selected(), locations[1][1]);
  EXPECT_TRUE(tree.Expanded(areas[1]));
  EXPECT_EQ(Images(locations[1][1]).first, 2 + kMarkedImageOffset);
  std::vector<std::string> shown;
  for (auto item = TreeView_GetChild(control_, tree.ItemOfNode(areas[1])); item;
       item = TreeView_GetNextSibling(control_, item)) {
    shown.push_back(tree.Label(tree.NodeOfItem(item)));
  }
  EXPECT_EQ(shown, Labels(areas[1]));

  // The user opening an Area (the pane passes TVN_ITEMEXPANDING on), and the program's own
  // expanding, bringing into view and inserting.
  tree.NoteExpanding(tree.ItemOfNode(areas[2]), TVE_EXPAND);
  EXPECT_EQ(in_control(), 11);
  tree.EnsureVisible(locations[3][2]);
  EXPECT_EQ(in_control(), 14);
  EXPECT_TRUE(tree.IsShown(locations[3][2]));
  TreeNode added = Add(areas[0], locations[0][0], "new", NodeKind::kLocation, 99);
  EXPECT_EQ(in_control(), 14) << "a closed Area takes a new Location without an item";
  EXPECT_EQ(tree.Next(locations[0][0]), added);

  // A closed Area losing its last Location loses its button; gaining one, gets it back.
  TreeNode empty = Add(root, areas[3], "Empty", NodeKind::kArea, 50);
  EXPECT_FALSE(tree.Expanded(empty));
  EXPECT_EQ(in_control(), 15);
  TreeNode only = Add(empty, nullptr, "only", NodeKind::kLocation, 51);
  EXPECT_TRUE(has_button(empty));
  tree.Remove(only);
  EXPECT_FALSE(has_button(empty));
  EXPECT_EQ(tree.FirstChild(empty), nullptr);

  // A removed closed Area takes its Locations; a handle kept afterwards is answered harmlessly.
  tree.Remove(areas[0]);
  EXPECT_EQ(tree.Count(), 14u);
  EXPECT_EQ(tree.Label(added), "");
  EXPECT_EQ(tree.Next(added), nullptr);
  tree.Select(added);
  EXPECT_EQ(tree.Selected(), locations[1][1]);
}

TEST_F(TreeViewMenuTreeTest, WithoutAControlNothingHappens) {
  TreeViewMenuTree none;
  EXPECT_EQ(none.Insert(nullptr, nullptr, "x", 0), nullptr);
  EXPECT_EQ(none.Count(), 0u);
  EXPECT_EQ(none.Root(), nullptr);
  EXPECT_EQ(none.Label(nullptr), "");
}

}  // namespace
}  // namespace tarnwick::win32
