// The MenuTree of the running program: the tree-view control of the tree pane holds the menu's
// order and titles itself, and this class only translates the port's calls into its messages.
// The control is destroyed and made anew when a set is closed, so the window is replaceable.
#pragma once

#include "scenery/menu_tree.h"
#include "shell/win32/win32_api.h"

namespace tarnwick::win32 {

class TreeViewMenuTree : public MenuTree {
 public:
  TreeViewMenuTree() = default;
  explicit TreeViewMenuTree(HWND control) : control_(control) {}

  void SetControl(HWND control) { control_ = control; }
  HWND Control() const { return control_; }

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
  void EnsureVisible(TreeNode node) override;
  bool IsShown(TreeNode node) const override;
  void SortChildren(TreeNode node) override;
  void EditLabel(TreeNode node) override;

 private:
  TreeNode Relative(TreeNode node, UINT relation) const;

  HWND control_ = nullptr;
};

// The image of a node: its kind, or its kind + 3 when marked; the selected image is always the
// marked one.
constexpr int kMarkedImageOffset = 3;

}  // namespace tarnwick::win32
