#include "scenery/memory_menu_tree.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace tarnwick {

// Kept small, as a scanned set has a node for every Area and Location: the links are node numbers
// (0 for none, see At) and the label is a place in the tree's label store.
struct MemoryMenuTree::Node {
  uint32_t self = 0;
  uint32_t parent = 0;
  uint32_t first = 0;
  uint32_t next = 0;
  uint32_t prev = 0;
  uint32_t label = 0;
  TreeItemData data = 0;
  uint16_t label_size = 0;
  bool removed : 1 = false;
  bool expanded : 1 = false;
  bool marked : 1 = false;
  bool listed : 1 = false;  // named already in the order ArrangeChildren is given
};
static_assert(kMaxLabel <= UINT16_MAX);

namespace {
TreeNode Handle(const void* node) {
  return reinterpret_cast<TreeNode>(const_cast<void*>(node));
}
}  // namespace

MemoryMenuTree::MemoryMenuTree() : top_(std::make_unique<Node>()) {
  top_->self = kTop;
  top_->expanded = true;
}

MemoryMenuTree::~MemoryMenuTree() = default;

namespace {
constexpr size_t kBlockNodes = 1024;
}  // namespace

MemoryMenuTree::Node* MemoryMenuTree::Get(TreeNode node) const {
  Node* n = reinterpret_cast<Node*>(node);
  // The tree-view control would crash or worse on a deleted item's handle; so does this tree.
  if (n != nullptr && n->removed) {
    std::fprintf(stderr, "MemoryMenuTree: use of a removed node\n");
    std::abort();
  }
  return n;
}

bool MemoryMenuTree::Contains(TreeNode node) const {
  if (node == nullptr || blocks_.empty()) return false;
  // A handle of this tree points into one of its blocks, at a node given out and not removed.
  // The blocks are searched by address: the tree-view binding asks this for every handle it is
  // given, thousands of times in a walk.
  const Node* n = reinterpret_cast<const Node*>(node);
  std::less<const Node*> before;
  auto after = std::upper_bound(
      blocks_by_address_.begin(), blocks_by_address_.end(), n,
      [this, &before](const Node* x, uint32_t b) { return before(x, blocks_[b].get()); });
  if (after == blocks_by_address_.begin()) return false;
  const size_t b = *(after - 1);
  const Node* first = blocks_[b].get();
  const Node* end = first + (b + 1 == blocks_.size() ? used_in_block_ : kBlockNodes);
  if (!before(n, end)) return false;
  return (reinterpret_cast<uintptr_t>(n) - reinterpret_cast<uintptr_t>(first)) % sizeof(Node) ==
             0 &&
         !n->removed;
}

MemoryMenuTree::Node* MemoryMenuTree::NewNode() {
  static_assert(sizeof(Node) <= 32);
  if (blocks_.empty() || used_in_block_ == kBlockNodes) {
    blocks_.push_back(std::make_unique<Node[]>(kBlockNodes));
    used_in_block_ = 0;
    const Node* start = blocks_.back().get();
    std::less<const Node*> before;
    auto place = std::upper_bound(
        blocks_by_address_.begin(), blocks_by_address_.end(), start,
        [this, &before](const Node* x, uint32_t b) { return before(x, blocks_[b].get()); });
    blocks_by_address_.insert(place, static_cast<uint32_t>(blocks_.size() - 1));
  }
  Node* n = &blocks_.back()[used_in_block_++];
  n->self = static_cast<uint32_t>((blocks_.size() - 1) * kBlockNodes + used_in_block_);
  return n;
}

MemoryMenuTree::Node* MemoryMenuTree::At(uint32_t number) const {
  if (number == 0) return nullptr;
  if (number == kTop) return top_.get();
  return &blocks_[(number - 1) / kBlockNodes][(number - 1) % kBlockNodes];
}

std::string_view MemoryMenuTree::LabelOf(const Node* n) const {
  if (n->label_size == 0) return {};
  return std::string_view(labels_[n->label / kLabelChunk].get() + n->label % kLabelChunk,
                          n->label_size);
}

void MemoryMenuTree::StoreLabel(Node* n, std::string_view label) {
  label = label.substr(0, kMaxLabel);
  // A label that fits where the old one stood takes its place; others go to the end of the
  // store, in chunks that never move.
  if (label.size() > n->label_size) {
    if (labels_.empty() || kLabelChunk - used_in_chunk_ < label.size()) {
      labels_.push_back(std::make_unique_for_overwrite<char[]>(kLabelChunk));
      used_in_chunk_ = 0;
    }
    n->label = static_cast<uint32_t>((labels_.size() - 1) * kLabelChunk + used_in_chunk_);
    used_in_chunk_ += label.size();
  }
  if (!label.empty()) {
    std::memcpy(labels_[n->label / kLabelChunk].get() + n->label % kLabelChunk, label.data(),
                label.size());
  }
  n->label_size = static_cast<uint16_t>(label.size());
}

TreeNode MemoryMenuTree::Insert(TreeNode parent, TreeNode after, std::string_view label,
                                TreeItemData data, TreeNode copy) {
  Node* p = parent ? Get(parent) : top_.get();
  Node* a = after ? Get(after) : nullptr;
  if (a != nullptr && At(a->parent) != p) return nullptr;
  Node* n = NewNode();
  StoreLabel(n, label);
  n->data = data;
  if (copy != nullptr) n->expanded = Get(copy)->expanded;
  n->parent = p->self;
  n->prev = a ? a->self : 0;
  n->next = a ? a->next : p->first;
  if (Node* next = At(n->next)) next->prev = n->self;
  if (a)
    a->next = n->self;
  else
    p->first = n->self;
  ++count_;
  return Handle(n);
}

void MemoryMenuTree::Unlink(Node* n) {
  Node* p = At(n->parent);
  if (Node* prev = At(n->prev))
    prev->next = n->next;
  else
    p->first = n->next;
  if (Node* next = At(n->next)) next->prev = n->prev;
  n->prev = n->next = 0;
}

void MemoryMenuTree::Destroy(Node* n) {
  for (Node* c = At(n->first); c != nullptr;) {
    Node* following = At(c->next);
    Destroy(c);
    c = following;
  }
  if (Handle(n) == editing_) editing_ = nullptr;
  if (Handle(n) == last_ensured_visible) last_ensured_visible = nullptr;
  if (n->self <= tags_.size()) tags_[n->self - 1] = 0;
  if (n->marked) marked_.erase(n->self);
  --count_;
  n->removed = true;
  n->label_size = 0;
}

void MemoryMenuTree::Remove(TreeNode node) {
  if (!Contains(node)) return;
  Node* n = Get(node);
  // Removing the selection (or an ancestor of it) leaves no selection.
  for (Node* s = Get(selected_); s != nullptr; s = At(s->parent)) {
    if (s == n) {
      Select(nullptr);
      break;
    }
  }
  Unlink(n);
  Destroy(n);
}

void MemoryMenuTree::Clear() {
  selected_ = nullptr;
  editing_ = nullptr;
  last_ensured_visible = nullptr;
  blocks_.clear();
  blocks_by_address_.clear();
  used_in_block_ = 0;
  labels_.clear();
  used_in_chunk_ = 0;
  tags_.clear();
  marked_.clear();
  top_->first = 0;
  count_ = 0;
}

TreeNode MemoryMenuTree::Root() const {
  return Handle(At(top_->first));
}

TreeNode MemoryMenuTree::Parent(TreeNode node) const {
  if (!node) return nullptr;
  Node* p = At(Get(node)->parent);
  return p == top_.get() ? nullptr : Handle(p);
}

TreeNode MemoryMenuTree::FirstChild(TreeNode node) const {
  return node ? Handle(At(Get(node)->first)) : nullptr;
}
TreeNode MemoryMenuTree::Next(TreeNode node) const {
  return node ? Handle(At(Get(node)->next)) : nullptr;
}
TreeNode MemoryMenuTree::Previous(TreeNode node) const {
  return node ? Handle(At(Get(node)->prev)) : nullptr;
}

std::string MemoryMenuTree::Label(TreeNode node) const {
  if (!node) return std::string();
  return std::string(LabelOf(Get(node)));
}
void MemoryMenuTree::SetLabel(TreeNode node, std::string_view label) {
  if (node) StoreLabel(Get(node), label);
}
TreeItemData MemoryMenuTree::Data(TreeNode node) const {
  return node ? Get(node)->data : 0;
}

void MemoryMenuTree::Select(TreeNode node) {
  if (node == selected_) return;
  TreeNode old_node = selected_;
  selected_ = node;
  // The control opens the parents of the node it selects.
  if (node) EnsureVisible(node);
  if (on_selection_changed) on_selection_changed(old_node, node);
}

bool MemoryMenuTree::Expanded(TreeNode node) const {
  return node && Get(node)->expanded;
}

void MemoryMenuTree::Expand(TreeNode node, bool expand) {
  if (!node) return;
  Get(node)->expanded = expand;
  // Collapsing the parent of the selection moves the selection to that parent, as the control
  // does.
  if (!expand && selected_ != nullptr && selected_ != node) {
    for (Node* s = At(Get(selected_)->parent); s != nullptr; s = At(s->parent)) {
      if (s == Get(node)) {
        Select(node);
        break;
      }
    }
  }
}

bool MemoryMenuTree::Marked(TreeNode node) const {
  return node && Get(node)->marked;
}
void MemoryMenuTree::SetMarked(TreeNode node, bool marked) {
  if (node == nullptr) return;
  Node* n = Get(node);
  n->marked = marked;
  if (marked) {
    marked_.insert(n->self);
  } else {
    marked_.erase(n->self);
  }
}

std::vector<TreeNode> MemoryMenuTree::MarkedNodes() const {
  std::vector<TreeNode> nodes;
  nodes.reserve(marked_.size());
  for (uint32_t number : marked_) nodes.push_back(Handle(At(number)));
  return nodes;
}

void MemoryMenuTree::EnsureVisible(TreeNode node) {
  if (!node) return;
  for (Node* p = At(Get(node)->parent); p != nullptr && p != top_.get(); p = At(p->parent)) {
    p->expanded = true;
  }
  last_ensured_visible = node;
}

bool MemoryMenuTree::IsShown(TreeNode node) const {
  if (!node) return false;
  for (Node* p = At(Get(node)->parent); p != nullptr && p != top_.get(); p = At(p->parent)) {
    if (!p->expanded) return false;
  }
  return true;
}

void MemoryMenuTree::EditLabel(TreeNode node) {
  if (on_begin_label_edit && on_begin_label_edit(node)) return;
  editing_ = node;
}

void MemoryMenuTree::SortChildren(TreeNode node) {
  Node* p = node ? Get(node) : top_.get();
  // Each label is read once into one buffer of keys (letters a-z as A-Z), so that the comparisons
  // stay within it.
  struct Key {
    size_t offset;
    size_t size;
    Node* node;
  };
  std::string keys;
  std::vector<Key> children;
  for (Node* c = At(p->first); c != nullptr; c = At(c->next)) {
    children.push_back({keys.size(), c->label_size, c});
    for (char ch : LabelOf(c))
      keys += ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
  }
  std::string_view all(keys);
  std::stable_sort(children.begin(), children.end(), [&](const Key& a, const Key& b) {
    return all.substr(a.offset, a.size) < all.substr(b.offset, b.size);
  });
  std::vector<Node*> order;
  order.reserve(children.size());
  for (const Key& k : children) order.push_back(k.node);
  Relink(p, order);
}

void MemoryMenuTree::Relink(Node* p, std::span<Node* const> children) {
  Node* prev = nullptr;
  for (Node* c : children) {
    c->prev = prev ? prev->self : 0;
    c->next = 0;
    if (prev) {
      prev->next = c->self;
    } else {
      p->first = c->self;
    }
    prev = c;
  }
}

bool MemoryMenuTree::ArrangeChildren(TreeNode parent, std::span<const TreeNode> order) {
  Node* p = parent ? Get(parent) : top_.get();
  size_t count = 0;
  for (Node* c = At(p->first); c != nullptr; c = At(c->next)) ++count;
  if (order.size() != count) return false;
  std::vector<Node*> children;
  children.reserve(count);
  for (TreeNode node : order) {
    Node* c = Get(node);
    // A child named twice would leave another one out.
    if (c == nullptr || At(c->parent) != p || c->listed) {
      for (Node* n : children) n->listed = false;
      return false;
    }
    c->listed = true;
    children.push_back(c);
  }
  for (Node* c : children) c->listed = false;
  Relink(p, children);
  return true;
}

uintptr_t MemoryMenuTree::Tag(TreeNode node) const {
  if (!node) return 0;
  uint32_t number = Get(node)->self;
  return number <= tags_.size() ? tags_[number - 1] : 0;
}

void MemoryMenuTree::SetTag(TreeNode node, uintptr_t tag) {
  if (!node) return;
  uint32_t number = Get(node)->self;
  if (number > tags_.size()) {
    if (tag == 0) return;
    tags_.resize(blocks_.size() * kBlockNodes);
  }
  tags_[number - 1] = tag;
}

}  // namespace tarnwick
