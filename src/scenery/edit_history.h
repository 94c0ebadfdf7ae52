// The undo and redo history of the menu: each edit the user makes is kept as a list of reversible
// changes to the tree and the Location records, with the selection and the marks on both sides of
// it. Changes name their nodes by place (the Area's index under the root, the Location's index in
// its Area), never by handle, because undoing a removal makes new nodes.
//
// The edits report their own changes while a step is open: InsertTreeItem and RemoveTreeNode
// report every node made or removed, the edits report labels, orders and values they change.
// A change that replaces the whole menu (an import) opens a whole-tree step instead, which keeps
// the menu before and after whole and needs no reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/menu_tree.h"

namespace tarnwick {

class ScenerySet;
struct LocnFields;
struct Session;

// What an undo or redo would take back or do again, for the menus' texts.
enum class EditKind : uint8_t {
  kDrop,
  kMerge,
  kMove,
  kNewArea,
  kNewLocation,
  kSplit,
  kDelete,
  kRename,
  kSort,
  kValue,
  kPaste,
  kImport,
};

// A node's place: an Area is {-1, its index among the Areas}; a Location is {its Area's index, its
// index in the Area}.
struct NodePlace {
  int32_t area = -1;
  int32_t index = 0;
};

// A node as it was, with an Area's Locations (a Location's `locations` stays empty).
struct SavedNode {
  std::string label;
  TreeItemData data = 0;
  bool expanded = false;
  std::vector<SavedNode> locations;
};

// The selection and the marks, by each node's number in tree order (the root is 0).
struct SelectionState {
  int64_t selected = -1;
  // Runs of marked nodes: first number and count.
  std::vector<std::pair<uint32_t, uint32_t>> marked;
};

// The counters the status bar's counts come from.
struct EditCounters {
  int32_t area_count = 0;
  int32_t location_count = 0;
  int32_t deleted_area_count = 0;
  int32_t deleted_location_count = 0;
};

namespace edit_change {
struct Insert {  // a node was made empty (an Area's Locations follow as inserts of their own)
  NodePlace place;
  SavedNode node;
};
struct Remove {  // a node was removed with its Locations
  NodePlace place;
  SavedNode node;
};
struct Label {
  NodePlace place;
  std::string before;
  std::string after;
};
struct Order {                 // the children of one parent were put in another order
  int32_t parent_area = -1;    // -1: the Areas
  std::vector<uint32_t> from;  // the new i-th child was child from[i] before
};
struct Fields;  // a Location record's values (defined in the .cpp: LocnFields is the model's)
struct WholeTree {
  std::string root_before, root_after;
  std::vector<SavedNode> before, after;
};
}  // namespace edit_change

class EditHistory {
 public:
  // At least this many steps are kept, unless they together grow beyond kMaxBytes; the oldest go
  // first.
  static constexpr size_t kMaxSteps = 250;
  static constexpr size_t kMaxBytes = size_t{64} << 20;

  EditHistory();
  ~EditHistory();
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  // Opens a step, or joins the one open (a merge inside a drop is part of the drop). The
  // selection and the marks are kept as they are now, or as HoldSelection kept them.
  void Begin(const MenuTree& tree, const ScenerySet& set, EditKind kind);
  // Opens a step for a change that replaces the whole menu: the menu is kept whole now and again
  // at End, and the reports in between are not needed.
  void BeginWholeTree(const MenuTree& tree, const ScenerySet& set, EditKind kind);
  // Closes the step opened last; the outermost one is kept when it changed anything, and a new
  // step drops whatever could be redone.
  void End(const MenuTree& tree, const ScenerySet& set);
  bool Recording() const { return depth_ > 0 && !whole_tree_; }

  // Keeps the selection and the marks for the next step: a drag clears them when it starts, but
  // undoing its drop puts back what was selected before.
  void HoldSelection(const MenuTree& tree);
  void DropHeldSelection() { held_.reset(); }

  // The reports, while a step is open (ignored otherwise).
  void Inserted(const MenuTree& tree, TreeNode node, TreeNode copy);
  void Removing(const MenuTree& tree, TreeNode node);
  void Relabelled(const MenuTree& tree, TreeNode node, std::string_view before);
  // `before` is the parent's children in their order before it changed.
  void Reordered(const MenuTree& tree, TreeNode parent, std::span<const TreeNode> before);
  void FieldsChanged(uint32_t record, const LocnFields& before, const LocnFields& after);

  bool CanUndo() const;
  bool CanRedo() const;
  EditKind NextUndo() const;
  EditKind NextRedo() const;
  size_t UndoLevels() const;
  size_t Bytes() const { return bytes_; }

  // Takes back the last step, or does again the last one taken back: the tree, the records, the
  // selection and the marks become what they were. False when there was nothing to do, or when
  // the tree no longer matches the history (then the history is emptied).
  bool Undo(Session& s);
  bool Redo(Session& s);

  // The results were saved: the menu as it stands is the one saved.
  void MarkSaved();
  // Whether the menu differs from the one read or saved last by an edit kept here (an edit
  // undone again back to that point is no change).
  bool ChangedSinceSave() const;

  // The set was closed or read anew.
  void Clear();

 private:
  struct Step;
  struct Pending;
  bool Apply(Session& s, bool undo);
  void Trim();

  std::vector<Step> undo_;
  std::vector<Step> redo_;
  size_t bytes_ = 0;
  // Each step's number, and the number of the step done last when the menu was read or saved
  // (0: none).
  uint64_t next_serial_ = 1;
  uint64_t saved_serial_ = 0;
  int depth_ = 0;
  bool whole_tree_ = false;
  std::unique_ptr<Pending> open_;
  std::unique_ptr<SelectionState> held_;
};

// Opens a step for the scope of an edit.
class EditScope {
 public:
  EditScope(Session& s, EditKind kind);
  ~EditScope();
  EditScope(const EditScope&) = delete;
  EditScope& operator=(const EditScope&) = delete;

 private:
  Session& s_;
};

// The menu texts of a step's kind ("rename", "move", ...).
std::string_view EditKindName(EditKind kind);

}  // namespace tarnwick
