#include "tree/win32/tree_view_menu_tree.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

namespace {

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

TreeViewMenuTree::Shown* TreeViewMenuTree::Find(HTREEITEM item) {
  if (item == nullptr) return nullptr;
  auto it = items_.find(item);
  return it != items_.end() ? &it->second : nullptr;
}

const TreeViewMenuTree::Shown* TreeViewMenuTree::Find(HTREEITEM item) const {
  if (item == nullptr) return nullptr;
  auto it = items_.find(item);
  return it != items_.end() ? &it->second : nullptr;
}

TreeNode TreeViewMenuTree::NodeOfItem(HTREEITEM item) const {
  const Shown* shown = Find(item);
  return shown != nullptr ? shown->node : nullptr;
}

HTREEITEM TreeViewMenuTree::ItemOf(TreeNode node) const {
  return node != nullptr ? reinterpret_cast<HTREEITEM>(tree_.Tag(node)) : nullptr;
}

HTREEITEM TreeViewMenuTree::ItemOfNode(TreeNode node) {
  return control_ != nullptr && Live(node) ? Materialise(node) : nullptr;
}

bool TreeViewMenuTree::ChildrenShown(TreeNode node) const {
  if (node == nullptr) return true;
  const Shown* shown = Find(ItemOf(node));
  return shown != nullptr && shown->filled;
}

HTREEITEM TreeViewMenuTree::Materialise(TreeNode node) {
  if (HTREEITEM item = ItemOf(node)) return item;
  // Only a node whose parent was never opened lacks an item: the parent gets its children's.
  TreeNode parent = tree_.Parent(node);
  HTREEITEM parent_item = parent != nullptr ? Materialise(parent) : nullptr;
  Shown* shown = Find(parent_item);
  if (shown == nullptr) return nullptr;
  Fill(parent_item, *shown);
  return ItemOf(node);
}

void TreeViewMenuTree::Fill(HTREEITEM item, Shown& shown) {
  if (shown.filled) return;
  TreeNode node = shown.node;
  shown.filled = true;
  if (tree_.FirstChild(node) == nullptr) return;
  if (held_) SetHeld(true);
  for (TreeNode c = tree_.FirstChild(node); c != nullptr; c = tree_.Next(c)) {
    MakeItem(c, item, TVI_LAST, nullptr);
  }
}

HTREEITEM TreeViewMenuTree::MakeItem(TreeNode node, HTREEITEM parent, HTREEITEM after,
                                     const TVITEMA* copy_state) {
  std::string text = tree_.Label(node);
  TreeItemData data = tree_.Data(node);
  int kind = ImageOf(data);
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent != nullptr ? parent : TVI_ROOT;
  insert.hInsertAfter = after;
  TVITEMA& item = insert.item;
  item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.pszText = text.data();
  item.lParam = static_cast<LPARAM>(data);
  item.iImage = tree_.Marked(node) ? kind + kMarkedImageOffset : kind;
  item.iSelectedImage = kind + kMarkedImageOffset;
  // The root's children always have items; an Area copied open keeps its Locations in view.
  bool filled = parent == nullptr;
  if (copy_state != nullptr) {
    item.mask |= TVIF_STATE | TVIF_CHILDREN;
    item.state = copy_state->state & ~kTransientState;
    item.stateMask = 0xFFFF & ~kTransientState;
    item.cChildren = copy_state->cChildren;
    filled = filled || (copy_state->state & TVIS_EXPANDED) != 0;
  }
  if (!filled) {
    // Closed until filled, and the first opening must reach the pane.
    item.mask |= TVIF_STATE | TVIF_CHILDREN;
    item.state &= ~(TVIS_EXPANDED | TVIS_EXPANDEDONCE);
    item.stateMask |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    item.cChildren = tree_.FirstChild(node) != nullptr ? 1 : 0;
  }
  auto made = reinterpret_cast<HTREEITEM>(
      SendMessageA(control_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (made == nullptr) return nullptr;
  tree_.SetTag(node, reinterpret_cast<uintptr_t>(made));
  items_[made] = {node, held_ && copy_state == nullptr, filled};
  if (filled) {
    for (TreeNode c = tree_.FirstChild(node); c != nullptr; c = tree_.Next(c)) {
      MakeItem(c, made, TVI_LAST, nullptr);
    }
  }
  return made;
}

void TreeViewMenuTree::SetChildIndicator(HTREEITEM item, bool children) {
  TVITEMA indicator = {};
  indicator.mask = TVIF_CHILDREN;
  indicator.hItem = item;
  indicator.cChildren = children ? 1 : 0;
  SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&indicator));
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
  folded_first_visible_ = NodeOfItem(
      reinterpret_cast<HTREEITEM>(SendMessageA(control_, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
  folded_ = true;
  SendMessageA(control_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(ItemOf(root)));
}

void TreeViewMenuTree::UnfoldRoot() const {
  if (!folded_) return;
  folded_ = false;
  if (TreeNode root = Root()) {
    SendMessageA(control_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ItemOf(root)));
  }
  // Closing the root moved the selection to it without a word; it goes back just as quietly, to
  // where the control itself puts a selection whose Area was closed over it.
  TreeNode selection = folded_selection_;
  for (TreeNode p = Parent(selection); p != nullptr && p != Root(); p = Parent(p)) {
    if (!Expanded(p)) selection = p;
  }
  if (selection != nullptr && Selected() != selection) {
    restoring_selection_ = true;
    SendMessageA(control_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(ItemOf(selection)));
    restoring_selection_ = false;
  }
  if (HTREEITEM first = ItemOf(folded_first_visible_)) {
    SendMessageA(control_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(first));
  }
  folded_selection_ = folded_first_visible_ = nullptr;
}

void TreeViewMenuTree::ShowChanges() {
  UnfoldRoot();
  SetHeld(false);
  if (pending_visible_ != nullptr) {
    HTREEITEM item = ItemOf(pending_visible_);
    pending_visible_ = nullptr;
    if (item != nullptr) {
      SendMessageA(control_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    }
  }
}

TreeNode TreeViewMenuTree::Insert(TreeNode parent, TreeNode after, std::string_view label,
                                  TreeItemData data, TreeNode copy) {
  if (control_ == nullptr) return nullptr;
  if (parent != nullptr && !Live(parent)) return nullptr;
  // The control would put the node somewhere else rather than refuse it.
  if (after != nullptr && (!Live(after) || tree_.Parent(after) != parent)) return nullptr;
  std::string text(label.substr(0, kMaxLabel));
  // Whether the new node is the last of its siblings, read before it is one of them.
  const bool last = after != nullptr && tree_.Next(after) == nullptr;
  TreeNode node = tree_.Insert(parent, after, text, data);
  if (node == nullptr) return nullptr;
  if (!ChildrenShown(parent)) {
    // An Area never opened: its Locations wait in the memory tree, the button shows they exist.
    if (HTREEITEM parent_item = ItemOf(parent);
        parent_item != nullptr && tree_.Next(node) == nullptr && tree_.Previous(node) == nullptr) {
      SetChildIndicator(parent_item, true);
    }
    return node;
  }
  // Drawing off even outside a long operation: shown, Wine's control invalidates every item below
  // a new one, one by one, so one insert among thousands of Areas took a tenth of a second or
  // more; drawing on again, it lays the tree out and repaints it once.
  SetHeld(true);
  // Named by place, the control need not look the predecessor up among all of its items.
  HTREEITEM place = after == nullptr ? TVI_FIRST : last ? TVI_LAST : ItemOf(after);
  TVITEMA state = {};
  const TVITEMA* copy_state = nullptr;
  if (HTREEITEM copy_item = Live(copy) ? ItemOf(copy) : nullptr) {
    // The copy's state carries its expanded state; its child indicator keeps the button shown
    // until the children follow.
    state.mask = TVIF_STATE | TVIF_CHILDREN;
    state.hItem = copy_item;
    state.stateMask = 0xFFFF;
    if (SendMessageA(control_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&state))) {
      copy_state = &state;
    }
  }
  HTREEITEM made = MakeItem(node, ItemOf(parent), place, copy_state);
  if (!held_) SetHeld(false);
  if (made == nullptr) {
    tree_.Remove(node);
    return nullptr;
  }
  return node;
}

void TreeViewMenuTree::Forget(TreeNode node) {
  for (TreeNode child = tree_.FirstChild(node); child != nullptr; child = tree_.Next(child)) {
    Forget(child);
  }
  if (pending_visible_ == node) pending_visible_ = nullptr;
  if (folded_selection_ == node) folded_selection_ = nullptr;
  if (folded_first_visible_ == node) folded_first_visible_ = nullptr;
  if (HTREEITEM item = ItemOf(node)) items_.erase(item);
}

void TreeViewMenuTree::Remove(TreeNode node) {
  if (control_ == nullptr || !Live(node)) return;
  if (HTREEITEM item = ItemOf(node)) {
    if (held_) SetHeld(true);
    SendMessageA(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  }
  TreeNode parent = tree_.Parent(node);
  Forget(node);
  tree_.Remove(node);
  // The last Location of an Area never opened takes its button with it.
  HTREEITEM parent_item = ItemOf(parent);
  if (parent_item != nullptr && !ChildrenShown(parent) && tree_.FirstChild(parent) == nullptr) {
    SetChildIndicator(parent_item, false);
  }
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
  return tree_.Root();
}

TreeNode TreeViewMenuTree::Parent(TreeNode node) const {
  return Live(node) ? tree_.Parent(node) : nullptr;
}

TreeNode TreeViewMenuTree::FirstChild(TreeNode node) const {
  return Live(node) ? tree_.FirstChild(node) : nullptr;
}

TreeNode TreeViewMenuTree::Next(TreeNode node) const {
  return Live(node) ? tree_.Next(node) : nullptr;
}

TreeNode TreeViewMenuTree::Previous(TreeNode node) const {
  return Live(node) ? tree_.Previous(node) : nullptr;
}

std::string TreeViewMenuTree::Label(TreeNode node) const {
  return Live(node) ? tree_.Label(node) : std::string();
}

void TreeViewMenuTree::SetLabel(TreeNode node, std::string_view label) {
  if (control_ == nullptr || !Live(node)) return;
  std::string text(label.substr(0, kMaxLabel));
  if (HTREEITEM shown = ItemOf(node)) {
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = shown;
    item.pszText = text.data();
    if (!SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return;
  }
  tree_.SetLabel(node, text);
}

TreeItemData TreeViewMenuTree::Data(TreeNode node) const {
  return Live(node) ? tree_.Data(node) : 0;
}

TreeNode TreeViewMenuTree::Selected() const {
  if (control_ == nullptr) return nullptr;
  // The selection as the user will see it once the root is open again.
  if (folded_) UnfoldRoot();
  return NodeOfItem(
      reinterpret_cast<HTREEITEM>(SendMessageA(control_, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TreeViewMenuTree::Select(TreeNode node) {
  if (control_ == nullptr) return;
  HTREEITEM item = nullptr;
  if (node != nullptr) {
    item = ItemOfNode(node);
    if (item == nullptr) return;
  }
  // Selecting brings the node into view, which needs the tree laid out.
  if (held_) ShowChanges();
  NoteParentsOpened(node);
  SendMessageA(control_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

bool TreeViewMenuTree::Expanded(TreeNode node) const {
  if (control_ == nullptr || !Live(node)) return false;
  HTREEITEM item = ItemOf(node);
  const Shown* shown = Find(item);
  // An item whose children have none of their own was never opened.
  if (shown == nullptr || !shown->filled) return false;
  if (folded_ && node == Root()) return true;
  auto state =
      SendMessageA(control_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED);
  return (state & TVIS_EXPANDED) != 0;
}

void TreeViewMenuTree::NoteExpanding(HTREEITEM item, UINT action) {
  Shown* shown = Find(item);
  if (shown != nullptr && (action & TVE_EXPAND) != 0 && !shown->filled) Fill(item, *shown);
}

void TreeViewMenuTree::NoteExpansion(HTREEITEM item) {
  if (Shown* shown = Find(item)) shown->fresh = false;
}

void TreeViewMenuTree::NoteParentsOpened(TreeNode node) {
  for (TreeNode p = Parent(node); p != nullptr; p = Parent(p)) NoteExpansion(ItemOf(p));
}

void TreeViewMenuTree::Expand(TreeNode node, bool expand) {
  if (control_ == nullptr || !Live(node)) return;
  HTREEITEM item = ItemOf(node);
  Shown* shown = Find(item);
  if (!expand && (shown == nullptr || !shown->filled)) return;  // never opened: closed already
  if (expand) {
    item = Materialise(node);
    shown = Find(item);
    if (shown == nullptr) return;
    Fill(item, *shown);
    shown->fresh = false;
  } else if (held_ && shown->fresh) {
    // Never opened: the control would be asked to check the whole tree for nothing.
    return;
  }
  if (held_) {
    // Only the state changes now: the control lays the tree out once when it is shown. As with
    // TVM_EXPAND, a node without children stays as it is.
    if (tree_.FirstChild(node) == nullptr) return;
    if (fold_allowed_ && tree_.Parent(node) != nullptr && tree_.Parent(node) == tree_.Root()) {
      FoldRoot();
    }
    SetHeld(true);
    TVITEMA state = {};
    state.mask = TVIF_STATE;
    state.hItem = item;
    state.stateMask = TVIS_EXPANDED | (expand ? TVIS_EXPANDEDONCE : 0);
    state.state = expand ? TVIS_EXPANDED | TVIS_EXPANDEDONCE : 0;
    SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&state));
    return;
  }
  SendMessageA(control_, TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE,
               reinterpret_cast<LPARAM>(item));
}

bool TreeViewMenuTree::Marked(TreeNode node) const {
  return Live(node) && tree_.Marked(node);
}

void TreeViewMenuTree::SetMarked(TreeNode node, bool marked) {
  if (control_ == nullptr || !Live(node) || tree_.Marked(node) == marked) return;
  if (HTREEITEM shown = ItemOf(node)) {
    int kind = ImageOf(tree_.Data(node));
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = shown;
    item.iImage = marked ? kind + kMarkedImageOffset : kind;
    item.iSelectedImage = kind + kMarkedImageOffset;
    if (!SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return;
  }
  tree_.SetMarked(node, marked);
}

void TreeViewMenuTree::EnsureVisible(TreeNode node) {
  if (control_ == nullptr) return;
  HTREEITEM item = ItemOfNode(node);
  if (item == nullptr) return;
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
  SendMessageA(control_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

bool TreeViewMenuTree::IsShown(TreeNode node) const {
  if (!Live(node) || ItemOf(node) == nullptr) return false;
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
  if (control_ == nullptr || (node != nullptr && !Live(node))) return;
  std::vector<TreeNode> children;
  std::vector<std::string> labels;
  for (TreeNode c = node != nullptr ? tree_.FirstChild(node) : tree_.Root(); c != nullptr;
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
  std::vector<TreeNode> sorted;
  sorted.reserve(children.size());
  for (size_t i : order) sorted.push_back(children[i]);
  std::unordered_map<TreeItemData, size_t> places;
  for (size_t i = 0; i < order.size(); ++i) places.emplace(tree_.Data(children[order[i]]), i);
  HTREEITEM parent = node != nullptr ? ItemOf(node) : TVI_ROOT;
  if (!ChildrenShown(node)) {
    // Children without items are sorted where they are kept.
  } else if (places.size() != children.size()) {
    // Children that share their item data cannot be told apart by the control's callback: its
    // own sort, and the order read back.
    SendMessageA(control_, TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(parent));
    sorted.clear();
    auto next = [this](UINT relation, HTREEITEM from) {
      return reinterpret_cast<HTREEITEM>(
          SendMessageA(control_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
    };
    for (HTREEITEM c = node != nullptr ? next(TVGN_CHILD, parent) : next(TVGN_ROOT, nullptr);
         c != nullptr; c = next(TVGN_NEXT, c)) {
      sorted.push_back(NodeOfItem(c));
    }
  } else {
    TVSORTCB sort = {};
    sort.hParent = parent;
    sort.lpfnCompare = CompareByPlace;
    sort.lParam = reinterpret_cast<LPARAM>(&places);
    SendMessageA(control_, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
  }
  tree_.ArrangeChildren(node, sorted);
}

bool TreeViewMenuTree::ArrangeChildren(TreeNode node, std::span<const TreeNode> order) {
  if (control_ == nullptr || (node != nullptr && !Live(node))) return false;
  std::unordered_map<TreeItemData, size_t> places;
  for (TreeNode n : order) {
    if (!Live(n)) return false;
    places.emplace(tree_.Data(n), places.size());
  }
  // The control's callback tells children apart only by their item data.
  const bool shown = ChildrenShown(node);
  if (shown && places.size() != order.size()) return false;
  if (!tree_.ArrangeChildren(node, order)) return false;
  if (!shown) return true;
  TVSORTCB sort = {};
  sort.hParent = node != nullptr ? ItemOf(node) : TVI_ROOT;
  sort.lpfnCompare = CompareByPlace;
  sort.lParam = reinterpret_cast<LPARAM>(&places);
  SendMessageA(control_, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
  return true;
}

void TreeViewMenuTree::EditLabel(TreeNode node) {
  if (control_ == nullptr) return;
  HTREEITEM item = ItemOfNode(node);
  if (item == nullptr) return;
  if (held_) ShowChanges();
  SetFocus(control_);
  SendMessageA(control_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
}

}  // namespace tarnwick::win32
