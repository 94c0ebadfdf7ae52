// The MenuTree of the running program: the tree-view control of the tree pane shows the menu's
// order and titles. The tree itself is a MemoryMenuTree, the same structure the tests and
// tarnwick-cli use: this class changes it and mirrors each change into the control.
//
// The handles given out are the memory tree's nodes; the control holds items only for what can
// be seen. The root and the Areas always have items, but an Area's Locations enter the control
// when it is first opened, selected into, brought into view or renamed in: a set of 60,000
// Locations in closed Areas then costs the control only its Areas. The walks, labels, data and
// marks are answered from the memory tree (the control checks every item handle it is given
// against all of its items, which made each walk through it cost the square of the tree's size).
// Selection and expansion belong to the user and are read from the control. The memory tree
// keeps each node's item, if it has one, as its tag.
#pragma once

#include <string>
#include <unordered_map>

#include "platform/menu_tree.h"
#include "platform/win32/ui/win32_api.h"
#include "scenery/memory_menu_tree.h"

namespace tarnwick::win32 {

class TreeViewMenuTree : public MenuTree {
 public:
  TreeViewMenuTree() = default;
  explicit TreeViewMenuTree(HWND control) { SetControl(control); }

  // A new control starts empty.
  void SetControl(HWND control);
  HWND Control() const { return control_; }

  // While a long operation fills the tree, the control neither lays out nor draws after every
  // change: expanding only sets the state and bringing into view waits. ShowChanges lays the
  // tree out once, brings the last node asked for into view and lets it draw, until the next
  // change; HoldDrawing(false) does so for good.
  //
  // With `fold_root`, for commands that open or close every Area: the control checks its scroll
  // bars against every shown item whenever a shown item changes state, so the root item is
  // closed while the Areas change and opened again once, with the selection and the first item
  // in view as they were.
  void HoldDrawing(bool hold, bool fold_root = false);
  void ShowChanges();
  bool DrawingHeld() const { return held_; }
  // The node an item of the control shows (the control's notifications name items), nullptr
  // for none or an unknown item.
  TreeNode NodeOfItem(HTREEITEM item) const;
  // The control's item of a node, made now (with its siblings) when its Area was never opened;
  // nullptr for no node.
  HTREEITEM ItemOfNode(TreeNode node);
  // The control is about to open or close an item (TVN_ITEMEXPANDING): an Area opened for the
  // first time gets its Locations' items now.
  void NoteExpanding(HTREEITEM item, UINT action);
  // The user opened or closed an item (TVN_ITEMEXPANDED).
  void NoteExpansion(HTREEITEM item);
  // True while a selection moved by folding is put back: the pane takes no notice of it.
  bool RestoringSelection() const { return restoring_selection_; }

  TreeNode Insert(TreeNode parent, TreeNode after, std::string_view label, TreeItemData data,
                  TreeNode copy = nullptr) override;
  void Remove(TreeNode node) override;
  void Clear() override;
  size_t Count() const override;

  TreeNode Root() const override;
  TreeNode Parent(TreeNode node) const override;
  TreeNode FirstChild(TreeNode node) const override;
  TreeNode Next(TreeNode node) const override;
  TreeNode Previous(TreeNode node) const override;

  std::string Label(TreeNode node) const override;
  void SetLabel(TreeNode node, std::string_view label) override;
  TreeItemData Data(TreeNode node) const override;

  TreeNode Selected() const override;
  void Select(TreeNode node) override;

  bool Expanded(TreeNode node) const override;
  void Expand(TreeNode node, bool expand) override;
  bool Marked(TreeNode node) const override;
  void SetMarked(TreeNode node, bool marked) override;
  std::vector<TreeNode> MarkedNodes() const override { return tree_.MarkedNodes(); }
  void EnsureVisible(TreeNode node) override;
  bool IsShown(TreeNode node) const override;
  void SortChildren(TreeNode node) override;
  bool ArrangeChildren(TreeNode parent, std::span<const TreeNode> order) override;
  void EditLabel(TreeNode node) override;

 private:
  // What the binding knows of one control item.
  struct Shown {
    TreeNode node = nullptr;
    // Made while drawing was held and never opened since: closing it changes nothing.
    bool fresh = false;
    // Its children have items too. An item without is closed and shows a button when its node
    // has children.
    bool filled = false;
  };
  Shown* Find(HTREEITEM item);
  const Shown* Find(HTREEITEM item) const;
  // Whether `node` is one of the memory tree's (a handle kept after its node was removed is not).
  bool Live(TreeNode node) const { return tree_.Contains(node); }
  // The node's item, nullptr while its Area was never opened.
  HTREEITEM ItemOf(TreeNode node) const;
  // The item of a live node, made first if needed.
  HTREEITEM Materialise(TreeNode node);
  // Gives the children of an item that has none yet their items.
  void Fill(HTREEITEM item, Shown& shown);
  // Makes the item of `node` under `parent` after `after` (TVI_FIRST, TVI_LAST or an item).
  HTREEITEM MakeItem(TreeNode node, HTREEITEM parent, HTREEITEM after, const TVITEMA* copy_state);
  // Shows or hides the button of an item whose children have no items.
  void SetChildIndicator(HTREEITEM item, bool children);
  // Forgets the items of `node` and its descendants before the memory tree drops them.
  void Forget(TreeNode node);
  void SetHeld(bool hold);
  // The node's parents are opened by the control itself (selecting, bringing into view).
  void NoteParentsOpened(TreeNode node);
  void FoldRoot();
  // Const: reading the selection opens the root first, which changes nothing the user sees.
  void UnfoldRoot() const;
  // Whether the children of `node` (nullptr: the top level) have items.
  bool ChildrenShown(TreeNode node) const;

  HWND control_ = nullptr;
  // The shape, labels, data and marks; its expanded state and selection stay unused, as the
  // control's own are the user's.
  MemoryMenuTree tree_;
  std::unordered_map<HTREEITEM, Shown> items_;
  bool held_ = false;
  bool drawing_off_ = false;
  TreeNode pending_visible_ = nullptr;
  bool fold_allowed_ = false;
  mutable bool folded_ = false;
  mutable bool restoring_selection_ = false;
  mutable TreeNode folded_selection_ = nullptr;
  mutable TreeNode folded_first_visible_ = nullptr;
};

// The image of a node: its kind, or its kind + 3 when marked; the selected image is always the
// marked one.
constexpr int kMarkedImageOffset = 3;

}  // namespace tarnwick::win32
