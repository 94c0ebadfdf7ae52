#include "scenery/memory_menu_tree.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace tarnwick {

// Kept small: a scanned set has a node for every Area and Location. The label lives in the
// tree's label store.
struct MemoryMenuTree::Node {
  Node* parent = nullptr;
  Node* first = nullptr;
  Node* next = nullptr;
  Node* prev = nullptr;
  const char* label = nullptr;
  TreeItemData data = 0;
  uint16_t label_size = 0;
  bool removed = false;
  bool expanded = false;
  bool marked = false;
};
static_assert(kMaxLabel <= UINT16_MAX);

namespace {
TreeNode Handle(const void* node) {
  return reinterpret_cast<TreeNode>(const_cast<void*>(node));
}
}  // namespace

MemoryMenuTree::MemoryMenuTree() : top_(std::make_unique<Node>()) {
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
  if (node == nullptr) return false;
  // A handle of this tree points into one of its blocks, at a node given out and not removed.
  const Node* n = reinterpret_cast<const Node*>(node);
  std::less<const Node*> before;
  for (size_t b = 0; b < blocks_.size(); ++b) {
    const Node* first = blocks_[b].get();
    const Node* end = first + (b + 1 == blocks_.size() ? used_in_block_ : kBlockNodes);
    if (!before(n, first) && before(n, end)) {
      return (reinterpret_cast<uintptr_t>(n) - reinterpret_cast<uintptr_t>(first)) % sizeof(Node) ==
                 0 &&
             !n->removed;
    }
  }
  return false;
}

MemoryMenuTree::Node* MemoryMenuTree::NewNode() {
  if (blocks_.empty() || used_in_block_ == kBlockNodes) {
    blocks_.push_back(std::make_unique<Node[]>(kBlockNodes));
    used_in_block_ = 0;
  }
  return &blocks_.back()[used_in_block_++];
}

void MemoryMenuTree::StoreLabel(Node* n, std::string_view label) {
  label = label.substr(0, kMaxLabel);
  // A label that fits where the old one stood takes its place; others go to the end of the
  // store, in chunks that never move.
  char* at = nullptr;
  if (label.size() <= n->label_size) {
    at = const_cast<char*>(n->label);
  } else {
    if (labels_.empty() || kLabelChunk - used_in_chunk_ < label.size()) {
      labels_.push_back(std::make_unique_for_overwrite<char[]>(kLabelChunk));
      used_in_chunk_ = 0;
    }
    at = labels_.back().get() + used_in_chunk_;
    used_in_chunk_ += label.size();
  }
  if (!label.empty()) std::memcpy(at, label.data(), label.size());
  n->label = at;
  n->label_size = static_cast<uint16_t>(label.size());
}

TreeNode MemoryMenuTree::Insert(TreeNode parent, TreeNode after, std::string_view label,
                                TreeItemData data, TreeNode copy) {
  Node* p = parent ? Get(parent) : top_.get();
  Node* a = after ? Get(after) : nullptr;
  if (a != nullptr && a->parent != p) return nullptr;
  Node* n = NewNode();
  StoreLabel(n, label);
  n->data = data;
  if (copy != nullptr) n->expanded = Get(copy)->expanded;
  n->parent = p;
  n->prev = a;
  n->next = a ? a->next : p->first;
  if (n->next) n->next->prev = n;
  if (a)
    a->next = n;
  else
    p->first = n;
  ++count_;
  return Handle(n);
}

void MemoryMenuTree::Unlink(Node* n) {
  Node* p = n->parent;
  if (n->prev)
    n->prev->next = n->next;
  else
    p->first = n->next;
  if (n->next) n->next->prev = n->prev;
  n->prev = n->next = nullptr;
}

void MemoryMenuTree::Destroy(Node* n) {
  for (Node* c = n->first; c != nullptr;) {
    Node* following = c->next;
    Destroy(c);
    c = following;
  }
  if (Handle(n) == editing_) editing_ = nullptr;
  if (Handle(n) == last_ensured_visible) last_ensured_visible = nullptr;
  --count_;
  n->removed = true;
  n->label_size = 0;
}

void MemoryMenuTree::Remove(TreeNode node) {
  if (!Contains(node)) return;
  Node* n = Get(node);
  // Removing the selection (or an ancestor of it) leaves no selection.
  for (Node* s = Get(selected_); s != nullptr; s = s->parent) {
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
  used_in_block_ = 0;
  labels_.clear();
  used_in_chunk_ = 0;
  top_->first = nullptr;
  count_ = 0;
}

TreeNode MemoryMenuTree::Root() const {
  return Handle(top_->first);
}

TreeNode MemoryMenuTree::Parent(TreeNode node) const {
  if (!node) return nullptr;
  Node* p = Get(node)->parent;
  return p == top_.get() ? nullptr : Handle(p);
}

TreeNode MemoryMenuTree::FirstChild(TreeNode node) const {
  return node ? Handle(Get(node)->first) : nullptr;
}
TreeNode MemoryMenuTree::Next(TreeNode node) const {
  return node ? Handle(Get(node)->next) : nullptr;
}
TreeNode MemoryMenuTree::Previous(TreeNode node) const {
  return node ? Handle(Get(node)->prev) : nullptr;
}

std::string MemoryMenuTree::Label(TreeNode node) const {
  if (!node) return std::string();
  const Node* n = Get(node);
  return std::string(n->label, n->label_size);
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
    for (Node* s = Get(selected_)->parent; s != nullptr; s = s->parent) {
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
  if (node) Get(node)->marked = marked;
}

void MemoryMenuTree::EnsureVisible(TreeNode node) {
  if (!node) return;
  for (Node* p = Get(node)->parent; p != nullptr && p != top_.get(); p = p->parent) {
    p->expanded = true;
  }
  last_ensured_visible = node;
}

bool MemoryMenuTree::IsShown(TreeNode node) const {
  if (!node) return false;
  for (Node* p = Get(node)->parent; p != nullptr && p != top_.get(); p = p->parent) {
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
  for (Node* c = p->first; c != nullptr; c = c->next) {
    children.push_back({keys.size(), c->label_size, c});
    for (char ch : std::string_view(c->label, c->label_size))
      keys += ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
  }
  std::string_view all(keys);
  std::stable_sort(children.begin(), children.end(), [&](const Key& a, const Key& b) {
    return all.substr(a.offset, a.size) < all.substr(b.offset, b.size);
  });
  Node* prev = nullptr;
  for (const Key& k : children) {
    Node* c = k.node;
    c->prev = prev;
    c->next = nullptr;
    if (prev) {
      prev->next = c;
    } else {
      p->first = c;
    }
    prev = c;
  }
}

}  // namespace tarnwick
