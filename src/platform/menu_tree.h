// The ordered tree of the menu: one root (the VIS file), its Areas, and their Locations. It is the
// only store of the menu's order and titles; the record tables hold what each node refers to.
// MemoryMenuTree holds it in every program: the tests and tarnwick-cli use it alone, and the tree
// pane's binding keeps one and mirrors it into its tree-view control.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// An opaque node handle (HTREEITEM in the tree-view control); nullptr means none.
struct TreeNodeTag;
using TreeNode = TreeNodeTag*;

enum class NodeKind : uint16_t { kRoot = 0, kArea = 1, kLocation = 2 };

// Kind in the high 16 bits, one-based record number in the low 16 bits.
using TreeItemData = uint32_t;
constexpr TreeItemData MakeTreeItemData(NodeKind kind, uint32_t record) {
  return (static_cast<uint32_t>(kind) << 16) | (record & 0xFFFFu);
}
constexpr NodeKind KindOf(TreeItemData data) {
  return static_cast<NodeKind>(data >> 16);
}
constexpr uint32_t RecordOf(TreeItemData data) {
  return data & 0xFFFFu;
}

// Record numbers must fit the low 16 bits of TreeItemData.
constexpr int kMaxRecordNumber = 65535;

// Labels are kept to 259 characters.
constexpr size_t kMaxLabel = 259;

class MenuTree {
 public:
  virtual ~MenuTree() = default;

  // Inserts a node under `parent` (nullptr: at the top level) after `after` (nullptr: first).
  // With `copy`, the new node takes the copy's expanded state. Returns nullptr when refused.
  // This is the bare insertion; the tree pane's reactions (images, expanding, bringing into view)
  // are InsertTreeItem's.
  virtual TreeNode Insert(TreeNode parent, TreeNode after, std::string_view label,
                          TreeItemData data, TreeNode copy = nullptr) = 0;
  // Removes the node with its children. Removing the selected node leaves no selection.
  virtual void Remove(TreeNode node) = 0;
  // Removes every node.
  virtual void Clear() = 0;
  // The number of nodes.
  virtual size_t Count() const = 0;

  // The first top-level node (the root item), or nullptr.
  virtual TreeNode Root() const = 0;
  virtual TreeNode Parent(TreeNode node) const = 0;
  virtual TreeNode FirstChild(TreeNode node) const = 0;
  virtual TreeNode Next(TreeNode node) const = 0;
  virtual TreeNode Previous(TreeNode node) const = 0;

  virtual std::string Label(TreeNode node) const = 0;
  virtual void SetLabel(TreeNode node, std::string_view label) = 0;
  virtual TreeItemData Data(TreeNode node) const = 0;

  // Selection: Select(nullptr) removes it. A change notifies the selection listener (the tree
  // pane's selection-change handling), as the control does with TVN_SELCHANGED.
  virtual TreeNode Selected() const = 0;
  virtual void Select(TreeNode node) = 0;

  virtual bool Expanded(TreeNode node) const = 0;
  virtual void Expand(TreeNode node, bool expand) = 0;

  // The marks of the multiple selection (the tree pane keeps them as image numbers).
  virtual bool Marked(TreeNode node) const = 0;
  virtual void SetMarked(TreeNode node, bool marked) = 0;
  // Every marked node, in no particular order. A click that leaves one item marked then costs
  // the marks, not a walk over a tree of 60,000 Locations.
  virtual std::vector<TreeNode> MarkedNodes() const = 0;

  // Brings a node into view (scrolling and expanding its parents as the control does).
  virtual void EnsureVisible(TreeNode node) = 0;
  // Whether the node is shown: every ancestor is expanded.
  virtual bool IsShown(TreeNode node) const = 0;
  // Sorts the children of `node` by label, ignoring case. The memory tree folds a-z and keeps
  // equal labels in order; the tree-view binding leaves the order to the control's own label
  // comparison (TVM_SORTCHILDREN), so the window sorts as the platform's lists do.
  virtual void SortChildren(TreeNode node) = 0;
  // Puts the children of `parent` in the order given, which names each of them once; false,
  // changing nothing, when it cannot (the caller then makes them again in that order).
  virtual bool ArrangeChildren(TreeNode parent, std::span<const TreeNode> order) = 0;
  // Starts in-place editing of the node's label. The tree pane first asks BeginRename, which
  // refuses the root (TVN_BEGINLABELEDIT).
  virtual void EditLabel(TreeNode node) = 0;
};

}  // namespace tarnwick
