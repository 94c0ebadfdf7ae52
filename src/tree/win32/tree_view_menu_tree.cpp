#include "tree/win32/tree_view_menu_tree.h"

#include <string>

#include "shell/win32/win32_api.h"

namespace tarnwick::win32 {

namespace {

HTREEITEM Item(TreeNode node) {
  return reinterpret_cast<HTREEITEM>(node);
}
TreeNode Node(HTREEITEM item) {
  return reinterpret_cast<TreeNode>(item);
}

int ImageOf(TreeItemData data) {
  return static_cast<int>(KindOf(data));
}

// State bits that describe where the user is, not the item: a copy must not take them.
constexpr UINT kTransientState = TVIS_SELECTED | TVIS_DROPHILITED | TVIS_CUT;

}  // namespace

TreeNode TreeViewMenuTree::Insert(TreeNode parent, TreeNode after, std::string_view label,
                                  TreeItemData data, TreeNode copy) {
  if (control_ == nullptr) return nullptr;
  // The control would put the node somewhere else rather than refuse it.
  if (after != nullptr && Parent(after) != parent) return nullptr;
  std::string text(label.substr(0, kMaxLabel));
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent != nullptr ? Item(parent) : TVI_ROOT;
  insert.hInsertAfter = after != nullptr ? Item(after) : TVI_FIRST;
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
  auto inserted = reinterpret_cast<HTREEITEM>(
      SendMessageA(control_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  return Node(inserted);
}

void TreeViewMenuTree::Remove(TreeNode node) {
  if (control_ != nullptr && node != nullptr) {
    SendMessageA(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Item(node)));
  }
}

void TreeViewMenuTree::Clear() {
  if (control_ != nullptr) {
    SendMessageA(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  }
}

size_t TreeViewMenuTree::Count() const {
  if (control_ == nullptr) return 0;
  return static_cast<size_t>(SendMessageA(control_, TVM_GETCOUNT, 0, 0));
}

TreeNode TreeViewMenuTree::Relative(TreeNode node, UINT relation) const {
  if (control_ == nullptr) return nullptr;
  return Node(reinterpret_cast<HTREEITEM>(
      SendMessageA(control_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(Item(node)))));
}

TreeNode TreeViewMenuTree::Root() const {
  return Relative(nullptr, TVGN_ROOT);
}

TreeNode TreeViewMenuTree::Parent(TreeNode node) const {
  return node != nullptr ? Relative(node, TVGN_PARENT) : nullptr;
}

TreeNode TreeViewMenuTree::FirstChild(TreeNode node) const {
  return node != nullptr ? Relative(node, TVGN_CHILD) : nullptr;
}

TreeNode TreeViewMenuTree::Next(TreeNode node) const {
  return node != nullptr ? Relative(node, TVGN_NEXT) : nullptr;
}

TreeNode TreeViewMenuTree::Previous(TreeNode node) const {
  return node != nullptr ? Relative(node, TVGN_PREVIOUS) : nullptr;
}

std::string TreeViewMenuTree::Label(TreeNode node) const {
  if (control_ == nullptr || node == nullptr) return {};
  char buffer[kMaxLabel + 1] = {};
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = Item(node);
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  if (!SendMessageA(control_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return {};
  // The control may answer with a pointer of its own instead of filling the buffer.
  return item.pszText != nullptr ? std::string(item.pszText) : std::string();
}

void TreeViewMenuTree::SetLabel(TreeNode node, std::string_view label) {
  if (control_ == nullptr || node == nullptr) return;
  std::string text(label.substr(0, kMaxLabel));
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = Item(node);
  item.pszText = text.data();
  SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

TreeItemData TreeViewMenuTree::Data(TreeNode node) const {
  if (control_ == nullptr || node == nullptr) return 0;
  TVITEMA item = {};
  item.mask = TVIF_PARAM;
  item.hItem = Item(node);
  if (!SendMessageA(control_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return static_cast<TreeItemData>(item.lParam);
}

TreeNode TreeViewMenuTree::Selected() const {
  return Relative(nullptr, TVGN_CARET);
}

void TreeViewMenuTree::Select(TreeNode node) {
  if (control_ != nullptr) {
    SendMessageA(control_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Item(node)));
  }
}

bool TreeViewMenuTree::Expanded(TreeNode node) const {
  if (control_ == nullptr || node == nullptr) return false;
  auto state =
      SendMessageA(control_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Item(node)), TVIS_EXPANDED);
  return (state & TVIS_EXPANDED) != 0;
}

void TreeViewMenuTree::Expand(TreeNode node, bool expand) {
  if (control_ != nullptr && node != nullptr) {
    SendMessageA(control_, TVM_EXPAND, expand ? TVE_EXPAND : TVE_COLLAPSE,
                 reinterpret_cast<LPARAM>(Item(node)));
  }
}

bool TreeViewMenuTree::Marked(TreeNode node) const {
  if (control_ == nullptr || node == nullptr) return false;
  TVITEMA item = {};
  item.mask = TVIF_IMAGE | TVIF_PARAM;
  item.hItem = Item(node);
  if (!SendMessageA(control_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return false;
  return item.iImage == ImageOf(static_cast<TreeItemData>(item.lParam)) + kMarkedImageOffset;
}

void TreeViewMenuTree::SetMarked(TreeNode node, bool marked) {
  if (control_ == nullptr || node == nullptr) return;
  int kind = ImageOf(Data(node));
  TVITEMA item = {};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.hItem = Item(node);
  item.iImage = marked ? kind + kMarkedImageOffset : kind;
  item.iSelectedImage = kind + kMarkedImageOffset;
  SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TreeViewMenuTree::EnsureVisible(TreeNode node) {
  if (control_ != nullptr && node != nullptr) {
    SendMessageA(control_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(Item(node)));
  }
}

bool TreeViewMenuTree::IsShown(TreeNode node) const {
  if (node == nullptr) return false;
  for (TreeNode p = Parent(node); p != nullptr; p = Parent(p)) {
    if (!Expanded(p)) return false;
  }
  return true;
}

void TreeViewMenuTree::SortChildren(TreeNode node) {
  if (control_ == nullptr) return;
  // The control's own label comparison, as the user knows it from every other list: it ignores
  // case and, under the platform's word sort, treats punctuation as the platform does.
  HTREEITEM parent = node != nullptr ? Item(node) : TVI_ROOT;
  SendMessageA(control_, TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(parent));
}

void TreeViewMenuTree::EditLabel(TreeNode node) {
  if (control_ != nullptr && node != nullptr) {
    SetFocus(control_);
    SendMessageA(control_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Item(node)));
  }
}

}  // namespace tarnwick::win32
