#include "tree/win32/tree_view_menu_tree.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

namespace {

HTREEITEM Item(TreeNode item) {
  return reinterpret_cast<HTREEITEM>(item);
}
TreeNode Handle(HTREEITEM item) {
  return reinterpret_cast<TreeNode>(item);
}

int ImageOf(TreeItemData data) {
  return static_cast<int>(KindOf(data));
}

// State bits that describe where the user is, not the item: a copy must not take them.
constexpr UINT kTransientState = TVIS_SELECTED | TVIS_DROPHILITED | TVIS_CUT;

}  // namespace

void TreeViewMenuTree::SetControl(HWND control) {
  // A control made anew behind the progress box (a re-read closes the old tree first) is held as
  // the old one was: the scan's items would otherwise go into a shown tree, laid out at each.
  // The hold outlasts the moment without a control between the two.
  const bool hold = held_;
  const bool fold = fold_allowed_;
  control_ = control;
  tree_.Clear();
  items_.clear();
  drawing_off_ = false;
  held_ = hold;
  pending_visible_ = nullptr;
  fold_allowed_ = hold && fold;
  folded_ = false;
  folded_selection_ = folded_first_visible_ = nullptr;
}

const TreeViewMenuTree::Shown* TreeViewMenuTree::Find(TreeNode item) const {
  if (item == nullptr) return nullptr;
  auto it = items_.find(item);
  return it != items_.end() ? &it->second : nullptr;
}

TreeViewMenuTree::Shown* TreeViewMenuTree::Find(TreeNode item) {
  if (item == nullptr) return nullptr;
  auto it = items_.find(item);
  return it != items_.end() ? &it->second : nullptr;
}

TreeNode TreeViewMenuTree::NodeOf(TreeNode item) const {
  const Shown* shown = Find(item);
  return shown != nullptr ? shown->node : nullptr;
}

TreeNode TreeViewMenuTree::ItemOf(TreeNode node) const {
  return reinterpret_cast<TreeNode>(tree_.Tag(node));
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
  folded_first_visible_ = Handle(
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
    TreeNode item = pending_visible_;
    pending_visible_ = nullptr;
    if (Find(item) != nullptr) {
      SendMessageA(control_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(Item(item)));
    }
  }
}

TreeNode TreeViewMenuTree::Insert(TreeNode parent, TreeNode after, std::string_view label,
                                  TreeItemData data, TreeNode copy) {
  if (control_ == nullptr) return nullptr;
  TreeNode parent_node = NodeOf(parent);
  if (parent != nullptr && parent_node == nullptr) return nullptr;
  // The control would put the node somewhere else rather than refuse it.
  TreeNode after_node = NodeOf(after);
  if (after != nullptr && (after_node == nullptr || tree_.Parent(after_node) != parent_node)) {
    return nullptr;
  }
  if (held_) SetHeld(true);
  std::string text(label.substr(0, kMaxLabel));
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent != nullptr ? Item(parent) : TVI_ROOT;
  // Named by place, the control need not look the predecessor up among all of its items.
  insert.hInsertAfter = after == nullptr                    ? TVI_FIRST
                        : tree_.Next(after_node) == nullptr ? TVI_LAST
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
  TreeNode made = Handle(reinterpret_cast<HTREEITEM>(
      SendMessageA(control_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
  if (made == nullptr) return nullptr;
  TreeNode node = tree_.Insert(parent_node, after_node, text, data);
  tree_.SetTag(node, reinterpret_cast<uintptr_t>(made));
  items_[made] = {node, held_ && copy == nullptr};
  return made;
}

void TreeViewMenuTree::Forget(TreeNode node) {
  for (TreeNode child = tree_.FirstChild(node); child != nullptr; child = tree_.Next(child)) {
    Forget(child);
  }
  TreeNode item = ItemOf(node);
  if (pending_visible_ == item) pending_visible_ = nullptr;
  if (folded_selection_ == item) folded_selection_ = nullptr;
  if (folded_first_visible_ == item) folded_first_visible_ = nullptr;
  items_.erase(item);
}

void TreeViewMenuTree::Remove(TreeNode node) {
  TreeNode kept = NodeOf(node);
  if (control_ == nullptr || kept == nullptr) return;
  if (held_) SetHeld(true);
  SendMessageA(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Item(node)));
  Forget(kept);
  tree_.Remove(kept);
}

void TreeViewMenuTree::Clear() {
  if (control_ == nullptr) return;
  SendMessageA(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  tree_.Clear();
  items_.clear();
  pending_visible_ = nullptr;
  folded_ = false;
  folded_selection_ = folded_first_visible_ = nullptr;
}

size_t TreeViewMenuTree::Count() const {
  return tree_.Count();
}

TreeNode TreeViewMenuTree::Root() const {
  return ItemOf(tree_.Root());
}

TreeNode TreeViewMenuTree::Parent(TreeNode node) const {
  return ItemOf(tree_.Parent(NodeOf(node)));
}

TreeNode TreeViewMenuTree::FirstChild(TreeNode node) const {
  return ItemOf(tree_.FirstChild(NodeOf(node)));
}

TreeNode TreeViewMenuTree::Next(TreeNode node) const {
  return ItemOf(tree_.Next(NodeOf(node)));
}

TreeNode TreeViewMenuTree::Previous(TreeNode node) const {
  return ItemOf(tree_.Previous(NodeOf(node)));
}

std::string TreeViewMenuTree::Label(TreeNode node) const {
  return tree_.Label(NodeOf(node));
}

void TreeViewMenuTree::SetLabel(TreeNode node, std::string_view label) {
  TreeNode kept = NodeOf(node);
  if (control_ == nullptr || kept == nullptr) return;
  std::string text(label.substr(0, kMaxLabel));
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = Item(node);
  item.pszText = text.data();
  if (SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
    tree_.SetLabel(kept, text);
  }
}

TreeItemData TreeViewMenuTree::Data(TreeNode node) const {
  return tree_.Data(NodeOf(node));
}

TreeNode TreeViewMenuTree::Selected() const {
  if (control_ == nullptr) return nullptr;
  // The selection as the user will see it once the root is open again.
  if (folded_) UnfoldRoot();
  return Handle(
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
  if (Shown* shown = Find(node)) shown->fresh = false;
}

void TreeViewMenuTree::NoteParentsOpened(TreeNode item) {
  for (TreeNode p = Parent(item); p != nullptr; p = Parent(p)) NoteExpansion(p);
}

void TreeViewMenuTree::Expand(TreeNode node, bool expand) {
  Shown* shown = Find(node);
  if (control_ == nullptr || shown == nullptr) return;
  if (expand) {
    shown->fresh = false;
  } else if (held_ && shown->fresh) {
    // Never opened: the control would be asked to check the whole tree for nothing.
    return;
  }
  if (held_) {
    // Only the state changes now: the control lays the tree out once when it is shown. As with
    // TVM_EXPAND, a node without children stays as it is.
    if (tree_.FirstChild(shown->node) == nullptr) return;
    if (fold_allowed_ && tree_.Parent(shown->node) != nullptr &&
        tree_.Parent(shown->node) == tree_.Root()) {
      FoldRoot();
    }
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
  return tree_.Marked(NodeOf(node));
}

void TreeViewMenuTree::SetMarked(TreeNode node, bool marked) {
  TreeNode kept = NodeOf(node);
  if (control_ == nullptr || kept == nullptr || tree_.Marked(kept) == marked) return;
  int kind = ImageOf(tree_.Data(kept));
  TVITEMA item = {};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.hItem = Item(node);
  item.iImage = marked ? kind + kMarkedImageOffset : kind;
  item.iSelectedImage = kind + kMarkedImageOffset;
  if (SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
    tree_.SetMarked(kept, marked);
  }
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
  TreeNode parent = NodeOf(node);
  if (control_ == nullptr || (node != nullptr && parent == nullptr)) return;
  std::vector<TreeNode> children;
  std::vector<std::string> labels;
  for (TreeNode c = parent != nullptr ? tree_.FirstChild(parent) : tree_.Root(); c != nullptr;
       c = tree_.Next(c)) {
    children.push_back(c);
    labels.push_back(tree_.Label(c));
  }
  if (children.size() < 2) return;
  // The platform's own label comparison, as the user knows it from every other list: it ignores
  // case and, under the word sort, treats punctuation as the platform does. Equal labels keep
  // their order.
  std::vector<size_t> order(children.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&labels](size_t a, size_t b) {
    return lstrcmpiA(labels[a].c_str(), labels[b].c_str()) < 0;
  });
  std::unordered_map<TreeItemData, size_t> places;
  for (size_t i = 0; i < order.size(); ++i) places.emplace(tree_.Data(children[order[i]]), i);
  std::vector<TreeNode> sorted;
  sorted.reserve(children.size());
  if (places.size() != children.size()) {
    // Children that share their item data cannot be told apart by the control's callback: its
    // own sort, and the order read back.
    SendMessageA(control_, TVM_SORTCHILDREN, FALSE,
                 reinterpret_cast<LPARAM>(node != nullptr ? Item(node) : TVI_ROOT));
    TreeNode c = Handle(reinterpret_cast<HTREEITEM>(
        SendMessageA(control_, TVM_GETNEXTITEM, node != nullptr ? TVGN_CHILD : TVGN_ROOT,
                     reinterpret_cast<LPARAM>(node != nullptr ? Item(node) : nullptr))));
    for (; c != nullptr;
         c = Handle(reinterpret_cast<HTREEITEM>(SendMessageA(control_, TVM_GETNEXTITEM, TVGN_NEXT,
                                                             reinterpret_cast<LPARAM>(Item(c)))))) {
      sorted.push_back(NodeOf(c));
    }
  } else {
    TVSORTCB sort = {};
    sort.hParent = node != nullptr ? Item(node) : TVI_ROOT;
    sort.lpfnCompare = CompareByPlace;
    sort.lParam = reinterpret_cast<LPARAM>(&places);
    SendMessageA(control_, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
    for (size_t i : order) sorted.push_back(children[i]);
  }
  tree_.ArrangeChildren(parent, sorted);
}

bool TreeViewMenuTree::ArrangeChildren(TreeNode node, std::span<const TreeNode> order) {
  TreeNode parent = NodeOf(node);
  if (control_ == nullptr || (node != nullptr && parent == nullptr)) return false;
  std::vector<TreeNode> arranged;
  arranged.reserve(order.size());
  std::unordered_map<TreeItemData, size_t> places;
  for (TreeNode item : order) {
    TreeNode n = NodeOf(item);
    if (n == nullptr) return false;
    arranged.push_back(n);
    places.emplace(tree_.Data(n), places.size());
  }
  // The control's callback tells children apart only by their item data.
  if (places.size() != arranged.size()) return false;
  if (!tree_.ArrangeChildren(parent, arranged)) return false;
  TVSORTCB sort = {};
  sort.hParent = node != nullptr ? Item(node) : TVI_ROOT;
  sort.lpfnCompare = CompareByPlace;
  sort.lParam = reinterpret_cast<LPARAM>(&places);
  SendMessageA(control_, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
  return true;
}

void TreeViewMenuTree::EditLabel(TreeNode node) {
  if (control_ != nullptr && Find(node) != nullptr) {
    if (held_) ShowChanges();
    SetFocus(control_);
    SendMessageA(control_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Item(node)));
  }
}

}  // namespace tarnwick::win32
