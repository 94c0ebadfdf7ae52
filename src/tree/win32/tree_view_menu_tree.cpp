#include "tree/win32/tree_view_menu_tree.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

namespace {

HTREEITEM Item(TreeNode node) {
  return reinterpret_cast<HTREEITEM>(node);
}
TreeNode NodeOf(HTREEITEM item) {
  return reinterpret_cast<TreeNode>(item);
}

int ImageOf(TreeItemData data) {
  return static_cast<int>(KindOf(data));
}

// State bits that describe where the user is, not the item: a copy must not take them.
constexpr UINT kTransientState = TVIS_SELECTED | TVIS_DROPHILITED | TVIS_CUT;

}  // namespace

void TreeViewMenuTree::SetControl(HWND control) {
  control_ = control;
  nodes_.clear();
  first_top_ = last_top_ = nullptr;
  held_ = drawing_off_ = false;
  pending_visible_ = nullptr;
  fold_allowed_ = folded_ = false;
  folded_selection_ = folded_first_visible_ = nullptr;
}

const TreeViewMenuTree::Node* TreeViewMenuTree::Find(TreeNode node) const {
  if (node == nullptr) return nullptr;
  auto it = nodes_.find(node);
  return it != nodes_.end() ? &it->second : nullptr;
}

TreeViewMenuTree::Node* TreeViewMenuTree::Find(TreeNode node) {
  if (node == nullptr) return nullptr;
  auto it = nodes_.find(node);
  return it != nodes_.end() ? &it->second : nullptr;
}

TreeNode& TreeViewMenuTree::FirstOf(TreeNode parent) {
  return parent != nullptr ? nodes_.at(parent).first : first_top_;
}

TreeNode& TreeViewMenuTree::LastOf(TreeNode parent) {
  return parent != nullptr ? nodes_.at(parent).last : last_top_;
}

void TreeViewMenuTree::SetHeld(bool hold) {
  if (control_ == nullptr || hold == drawing_off_) return;
  drawing_off_ = hold;
  // Drawing switched back on, the control lays out all of the tree once and repaints it.
  SendMessageA(control_, WM_SETREDRAW, hold ? FALSE : TRUE, 0);
}

void TreeViewMenuTree::HoldDrawing(bool hold, bool fold_root) {
  if (hold) {
    held_ = control_ != nullptr;
    fold_allowed_ = held_ && fold_root;
    return;
  }
  ShowChanges();
  held_ = fold_allowed_ = false;
}

void TreeViewMenuTree::FoldRoot() {
  TreeNode root = Root();
  if (folded_ || root == nullptr || !Expanded(root)) return;
  folded_selection_ = Selected();
  folded_first_visible_ = NodeOf(
      reinterpret_cast<HTREEITEM>(SendMessageA(control_, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
  folded_ = true;
  SendMessageA(control_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(Item(root)));
}

void TreeViewMenuTree::UnfoldRoot() const {
  if (!folded_) return;
  folded_ = false;
  if (TreeNode root = Root()) {
    SendMessageA(control_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Item(root)));
  }
  // Closing the root moved the selection to it without a word; it goes back just as quietly, to
  // where the control itself puts a selection whose Area was closed over it.
  TreeNode selection = folded_selection_;
  for (TreeNode p = Parent(selection); p != nullptr && p != Root(); p = Parent(p)) {
    if (!Expanded(p)) selection = p;
  }
  if (selection != nullptr && Selected() != selection) {
    restoring_selection_ = true;
    SendMessageA(control_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Item(selection)));
    restoring_selection_ = false;
  }
  if (folded_first_visible_ != nullptr) {
    SendMessageA(control_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE,
                 reinterpret_cast<LPARAM>(Item(folded_first_visible_)));
  }
  folded_selection_ = folded_first_visible_ = nullptr;
}

void TreeViewMenuTree::ShowChanges() {
  UnfoldRoot();
  SetHeld(false);
  if (pending_visible_ != nullptr) {
    TreeNode node = pending_visible_;
    pending_visible_ = nullptr;
    if (Find(node) != nullptr) {
      SendMessageA(control_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(Item(node)));
    }
  }
}

TreeNode TreeViewMenuTree::Insert(TreeNode parent, TreeNode after, std::string_view label,
                                  TreeItemData data, TreeNode copy) {
  if (control_ == nullptr) return nullptr;
  if (parent != nullptr && Find(parent) == nullptr) return nullptr;
  // The control would put the node somewhere else rather than refuse it.
  const Node* predecessor = Find(after);
  if (after != nullptr && (predecessor == nullptr || predecessor->parent != parent)) return nullptr;
  if (held_) SetHeld(true);
  std::string text(label.substr(0, kMaxLabel));
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent != nullptr ? Item(parent) : TVI_ROOT;
  // Named by place, the control need not look the predecessor up among all of its items.
  insert.hInsertAfter = after == nullptr          ? TVI_FIRST
                        : after == LastOf(parent) ? TVI_LAST
                                                  : Item(after);
  TVITEMA& item = insert.item;
  item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.pszText = text.data();
  item.lParam = static_cast<LPARAM>(data);
  item.iImage = ImageOf(data);
  item.iSelectedImage = ImageOf(data) + kMarkedImageOffset;
  if (copy != nullptr) {
    // The copy's state carries its expanded state; its child indicator keeps the button shown
    // until the children follow.
    TVITEMA source = {};
    source.mask = TVIF_STATE | TVIF_CHILDREN;
    source.hItem = Item(copy);
    source.stateMask = 0xFFFF;
    if (SendMessageA(control_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&source))) {
      item.mask |= TVIF_STATE | TVIF_CHILDREN;
      item.state = source.state & ~kTransientState;
      item.stateMask = 0xFFFF & ~kTransientState;
      item.cChildren = source.cChildren;
    }
  }
  TreeNode made = NodeOf(reinterpret_cast<HTREEITEM>(
      SendMessageA(control_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
  if (made == nullptr) return nullptr;

  Node& node = nodes_[made];
  node = {};
  node.parent = parent;
  node.data = data;
  node.fresh = held_ && copy == nullptr;
  node.label = std::move(text);
  TreeNode& first = FirstOf(parent);
  TreeNode& last = LastOf(parent);
  node.previous = after;
  node.next = after != nullptr ? nodes_.at(after).next : first;
  if (node.previous != nullptr) {
    nodes_.at(node.previous).next = made;
  } else {
    first = made;
  }
  if (node.next != nullptr) {
    nodes_.at(node.next).previous = made;
  } else {
    last = made;
  }
  return made;
}

void TreeViewMenuTree::Unlink(TreeNode node) {
  Node& n = nodes_.at(node);
  if (n.previous != nullptr) {
    nodes_.at(n.previous).next = n.next;
  } else {
    FirstOf(n.parent) = n.next;
  }
  if (n.next != nullptr) {
    nodes_.at(n.next).previous = n.previous;
  } else {
    LastOf(n.parent) = n.previous;
  }
}

void TreeViewMenuTree::Forget(TreeNode node) {
  for (TreeNode child = nodes_.at(node).first; child != nullptr;) {
    TreeNode next = nodes_.at(child).next;
    Forget(child);
    child = next;
  }
  if (pending_visible_ == node) pending_visible_ = nullptr;
  if (folded_selection_ == node) folded_selection_ = nullptr;
  if (folded_first_visible_ == node) folded_first_visible_ = nullptr;
  nodes_.erase(node);
}

void TreeViewMenuTree::Remove(TreeNode node) {
  if (control_ == nullptr || Find(node) == nullptr) return;
  if (held_) SetHeld(true);
  SendMessageA(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Item(node)));
  Unlink(node);
  Forget(node);
}

void TreeViewMenuTree::Clear() {
  if (control_ == nullptr) return;
  SendMessageA(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  nodes_.clear();
  first_top_ = last_top_ = nullptr;
  pending_visible_ = nullptr;
  folded_ = false;
  folded_selection_ = folded_first_visible_ = nullptr;
}

size_t TreeViewMenuTree::Count() const {
  return nodes_.size();
}

TreeNode TreeViewMenuTree::Root() const {
  return first_top_;
}

TreeNode TreeViewMenuTree::Parent(TreeNode node) const {
  const Node* n = Find(node);
  return n != nullptr ? n->parent : nullptr;
}

TreeNode TreeViewMenuTree::FirstChild(TreeNode node) const {
  const Node* n = Find(node);
  return n != nullptr ? n->first : nullptr;
}

TreeNode TreeViewMenuTree::Next(TreeNode node) const {
  const Node* n = Find(node);
  return n != nullptr ? n->next : nullptr;
}

TreeNode TreeViewMenuTree::Previous(TreeNode node) const {
  const Node* n = Find(node);
  return n != nullptr ? n->previous : nullptr;
}

std::string TreeViewMenuTree::Label(TreeNode node) const {
  const Node* n = Find(node);
  return n != nullptr ? n->label : std::string();
}

void TreeViewMenuTree::SetLabel(TreeNode node, std::string_view label) {
  Node* n = Find(node);
  if (control_ == nullptr || n == nullptr) return;
  std::string text(label.substr(0, kMaxLabel));
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = Item(node);
  item.pszText = text.data();
  if (SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
    n->label = std::move(text);
  }
}

TreeItemData TreeViewMenuTree::Data(TreeNode node) const {
  const Node* n = Find(node);
  return n != nullptr ? n->data : 0;
}

TreeNode TreeViewMenuTree::Selected() const {
  if (control_ == nullptr) return nullptr;
  // The selection as the user will see it once the root is open again.
  if (folded_) UnfoldRoot();
  return NodeOf(
      reinterpret_cast<HTREEITEM>(SendMessageA(control_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TreeViewMenuTree::Select(TreeNode node) {
  if (control_ != nullptr) {
    // Selecting brings the node into view, which needs the tree laid out.
    if (held_) ShowChanges();
    NoteParentsOpened(node);
    SendMessageA(control_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Item(node)));
  }
}

bool TreeViewMenuTree::Expanded(TreeNode node) const {
  if (control_ == nullptr || Find(node) == nullptr) return false;
  if (folded_ && node == Root()) return true;
  auto state =
      SendMessageA(control_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Item(node)), TVIS_EXPANDED);
  return (state & TVIS_EXPANDED) != 0;
}

void TreeViewMenuTree::NoteExpansion(TreeNode node) {
  if (Node* n = Find(node)) n->fresh = false;
}

void TreeViewMenuTree::NoteParentsOpened(TreeNode node) {
  for (Node* n = Find(Parent(node)); n != nullptr; n = Find(n->parent)) n->fresh = false;
}

void TreeViewMenuTree::Expand(TreeNode node, bool expand) {
  Node* n = Find(node);
  if (control_ == nullptr || n == nullptr) return;
  if (expand) {
    n->fresh = false;
  } else if (held_ && n->fresh) {
    // Never opened: the control would be asked to check the whole tree for nothing.
    return;
  }
  if (held_) {
    // Only the state changes now: the control lays the tree out once when it is shown. As with
    // TVM_EXPAND, a node without children stays as it is.
    if (n->first == nullptr) return;
    if (fold_allowed_ && n->parent != nullptr && n->parent == Root()) FoldRoot();
    SetHeld(true);
    TVITEMA item = {};
    item.mask = TVIF_STATE;
    item.hItem = Item(node);
    item.stateMask = TVIS_EXPANDED | (expand ? TVIS_EXPANDEDONCE : 0);
    item.state = expand ? TVIS_EXPANDED | TVIS_EXPANDEDONCE : 0;
    SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return;
  }
  SendMessageA(control_, TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE,
               reinterpret_cast<LPARAM>(Item(node)));
}

bool TreeViewMenuTree::Marked(TreeNode node) const {
  const Node* n = Find(node);
  return n != nullptr && n->marked;
}

void TreeViewMenuTree::SetMarked(TreeNode node, bool marked) {
  Node* n = Find(node);
  if (control_ == nullptr || n == nullptr || n->marked == marked) return;
  int kind = ImageOf(n->data);
  TVITEMA item = {};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.hItem = Item(node);
  item.iImage = marked ? kind + kMarkedImageOffset : kind;
  item.iSelectedImage = kind + kMarkedImageOffset;
  if (SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item))) n->marked = marked;
}

void TreeViewMenuTree::EnsureVisible(TreeNode node) {
  if (control_ == nullptr || Find(node) == nullptr) return;
  NoteParentsOpened(node);
  if (held_) {
    // Its parents open now, as the control would open them; the scrolling waits, since between
    // two showings only the last node asked for can be seen.
    for (TreeNode p = Parent(node); p != nullptr; p = Parent(p)) {
      if (!Expanded(p)) Expand(p, true);
    }
    pending_visible_ = node;
    return;
  }
  SendMessageA(control_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(Item(node)));
}

bool TreeViewMenuTree::IsShown(TreeNode node) const {
  if (Find(node) == nullptr) return false;
  for (TreeNode p = Parent(node); p != nullptr; p = Parent(p)) {
    if (!Expanded(p)) return false;
  }
  return true;
}

namespace {

// The control's sort in a given order: each child's place, found by its item data.
int CALLBACK CompareByPlace(LPARAM first, LPARAM second, LPARAM places) {
  const auto& place = *reinterpret_cast<const std::unordered_map<TreeItemData, size_t>*>(places);
  size_t a = place.at(static_cast<TreeItemData>(first));
  size_t b = place.at(static_cast<TreeItemData>(second));
  return a < b ? -1 : a > b ? 1 : 0;
}

}  // namespace

void TreeViewMenuTree::SortChildren(TreeNode node) {
  if (control_ == nullptr || (node != nullptr && Find(node) == nullptr)) return;
  std::vector<TreeNode> children;
  for (TreeNode c = FirstOf(node); c != nullptr; c = nodes_.at(c).next) children.push_back(c);
  if (children.size() < 2) return;
  // The platform's own label comparison, as the user knows it from every other list: it ignores
  // case and, under the word sort, treats punctuation as the platform does. Equal labels keep
  // their order.
  std::stable_sort(children.begin(), children.end(), [this](TreeNode a, TreeNode b) {
    return lstrcmpiA(nodes_.at(a).label.c_str(), nodes_.at(b).label.c_str()) < 0;
  });
  std::unordered_map<TreeItemData, size_t> places;
  for (size_t i = 0; i < children.size(); ++i) places.emplace(nodes_.at(children[i]).data, i);
  if (places.size() != children.size()) {
    // Children that share their item data cannot be told apart by the control's callback: its
    // own sort, and the order read back.
    SendMessageA(control_, TVM_SORTCHILDREN, FALSE,
                 reinterpret_cast<LPARAM>(node != nullptr ? Item(node) : TVI_ROOT));
    children.clear();
    TreeNode c = NodeOf(reinterpret_cast<HTREEITEM>(
        SendMessageA(control_, TVM_GETNEXTITEM, node != nullptr ? TVGN_CHILD : TVGN_ROOT,
                     reinterpret_cast<LPARAM>(node != nullptr ? Item(node) : nullptr))));
    for (; c != nullptr;
         c = NodeOf(reinterpret_cast<HTREEITEM>(SendMessageA(control_, TVM_GETNEXTITEM, TVGN_NEXT,
                                                             reinterpret_cast<LPARAM>(Item(c)))))) {
      children.push_back(c);
    }
  } else {
    TVSORTCB sort = {};
    sort.hParent = node != nullptr ? Item(node) : TVI_ROOT;
    sort.lpfnCompare = CompareByPlace;
    sort.lParam = reinterpret_cast<LPARAM>(&places);
    SendMessageA(control_, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
  }
  TreeNode previous = nullptr;
  for (TreeNode c : children) {
    Node& n = nodes_.at(c);
    n.previous = previous;
    n.next = nullptr;
    if (previous != nullptr) nodes_.at(previous).next = c;
    previous = c;
  }
  FirstOf(node) = children.front();
  LastOf(node) = children.back();
}

void TreeViewMenuTree::EditLabel(TreeNode node) {
  if (control_ != nullptr && Find(node) != nullptr) {
    if (held_) ShowChanges();
    SetFocus(control_);
    SendMessageA(control_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Item(node)));
  }
}

}  // namespace tarnwick::win32
