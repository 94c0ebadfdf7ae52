// MenuTree held in memory: the tree of the tests and of tarnwick-cli. It behaves as the tree-view
// control does where the program relies on it (selecting or bringing a node into view opens its
// parents; a selection change notifies the listener) and records what only a screen would show.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/menu_tree.h"

namespace tarnwick {

class MemoryMenuTree : public MenuTree {
 public:
  MemoryMenuTree();
  ~MemoryMenuTree() override;

  TreeNode Insert(TreeNode parent, TreeNode after, std::string_view label, TreeItemData data,
                  TreeNode copy = nullptr) override;
  void Remove(TreeNode node) override;
  void Clear() override;
  size_t Count() const override { return count_; }

  TreeNode Root() const override;
  TreeNode Parent(TreeNode node) const override;
  TreeNode FirstChild(TreeNode node) const override;
  TreeNode Next(TreeNode node) const override;
  TreeNode Previous(TreeNode node) const override;

  std::string Label(TreeNode node) const override;
  void SetLabel(TreeNode node, std::string_view label) override;
  TreeItemData Data(TreeNode node) const override;

  TreeNode Selected() const override { return selected_; }
  void Select(TreeNode node) override;

  bool Expanded(TreeNode node) const override;
  void Expand(TreeNode node, bool expand) override;
  bool Marked(TreeNode node) const override;
  void SetMarked(TreeNode node, bool marked) override;
  std::vector<TreeNode> MarkedNodes() const override;
  void EnsureVisible(TreeNode node) override;
  bool IsShown(TreeNode node) const override;
  void SortChildren(TreeNode node) override;
  void EditLabel(TreeNode node) override;

  // Called with the old and the new selection after every change, as TVN_SELCHANGED.
  std::function<void(TreeNode old_node, TreeNode new_node)> on_selection_changed;
  // Called when label editing is about to start, as TVN_BEGINLABELEDIT: true refuses it.
  std::function<bool(TreeNode node)> on_begin_label_edit;

  // What the screen would show: the node last brought into view, the node whose label editing
  // was started last (nullptr when none).
  TreeNode last_ensured_visible = nullptr;
  TreeNode Editing() const { return editing_; }
  void EndEditing() { editing_ = nullptr; }
  // Whether `node` is still in the tree.
  bool Contains(TreeNode node) const;

  // Puts the children of `parent` (nullptr: the top level) in the order given, which must name
  // each of them once; false, changing nothing, when it names another node or misses one. For a
  // sort whose order is decided elsewhere (the tree-view binding asks the platform's comparison).
  bool ArrangeChildren(TreeNode parent, std::span<const TreeNode> order) override;

  // A value of the caller's for each node, 0 until set (the tree-view binding keeps the control's
  // item there). Kept beside the nodes, not in them, so a tree that never sets one pays nothing.
  uintptr_t Tag(TreeNode node) const;
  void SetTag(TreeNode node, uintptr_t tag);

 private:
  struct Node;
  Node* Get(TreeNode node) const;
  void Unlink(Node* node);
  void Destroy(Node* node);
  void Relink(Node* parent, std::span<Node* const> children);

  Node* NewNode();
  // The node numbered `number`: 0 is none, kTop the invisible parent of the top level, others
  // count the nodes of the blocks from 1.
  static constexpr uint32_t kTop = UINT32_MAX;
  Node* At(uint32_t number) const;
  std::string_view LabelOf(const Node* node) const;
  void StoreLabel(Node* node, std::string_view label);

  std::unique_ptr<Node> top_;  // invisible parent of the top-level nodes
  // Nodes live in large blocks, side by side in memory, until the tree is cleared: a walk over a
  // big tree then stays in the cache. A removed node is only flagged, so that using its handle
  // afterwards is caught instead of reading another node.
  std::vector<std::unique_ptr<Node[]>> blocks_;
  // The blocks' numbers in the order of their addresses.
  std::vector<uint32_t> blocks_by_address_;
  size_t used_in_block_ = 0;
  // The labels, side by side in chunks that live as long as the nodes.
  static constexpr size_t kLabelChunk = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> labels_;
  size_t used_in_chunk_ = 0;
  size_t count_ = 0;
  // The numbers of the marked nodes.
  std::unordered_set<uint32_t> marked_;
  // The tags by node number less one, grown by whole blocks once a node is given one.
  std::vector<uintptr_t> tags_;
  TreeNode selected_ = nullptr;
  TreeNode editing_ = nullptr;
};

}  // namespace tarnwick
