#include "scenery/edit_history.h"

#include <algorithm>
#include <unordered_map>

#include "scenery/session.h"

namespace tarnwick {

struct edit_change::Fields {
  uint32_t record = 0;
  LocnFields before;
  LocnFields after;
};

namespace {

using Change = std::variant<edit_change::Insert, edit_change::Remove, edit_change::Label,
                            edit_change::Order, edit_change::Fields, edit_change::WholeTree>;

bool SameFields(const LocnFields& a, const LocnFields& b) {
  return a.type == b.type && a.length == b.length && a.latitude == b.latitude &&
         a.longitude == b.longitude && a.altitude == b.altitude && a.heading == b.heading &&
         a.com1 == b.com1 && a.nav1 == b.nav1 && a.obi1 == b.obi1 && a.nav2 == b.nav2 &&
         a.obi2 == b.obi2;
}

int32_t IndexOf(const MenuTree& tree, TreeNode node) {
  int32_t index = 0;
  for (TreeNode p = tree.Previous(node); p != nullptr; p = tree.Previous(p)) ++index;
  return index;
}

TreeNode ChildAt(const MenuTree& tree, TreeNode parent, int32_t index) {
  if (parent == nullptr || index < 0) return nullptr;
  TreeNode c = tree.FirstChild(parent);
  for (; c != nullptr && index > 0; --index) c = tree.Next(c);
  return c;
}

NodePlace PlaceOf(const MenuTree& tree, TreeNode node) {
  TreeNode parent = tree.Parent(node);
  if (parent == nullptr || tree.Parent(parent) == nullptr) return {-1, IndexOf(tree, node)};
  return {IndexOf(tree, parent), IndexOf(tree, node)};
}

TreeNode ParentAt(const MenuTree& tree, int32_t area) {
  return area < 0 ? tree.Root() : ChildAt(tree, tree.Root(), area);
}

TreeNode NodeAt(const MenuTree& tree, const NodePlace& place) {
  return ChildAt(tree, ParentAt(tree, place.area), place.index);
}

SavedNode Save(const MenuTree& tree, TreeNode node) {
  SavedNode saved{tree.Label(node), tree.Data(node), tree.Expanded(node), {}};
  for (TreeNode c = tree.FirstChild(node); c != nullptr; c = tree.Next(c)) {
    saved.locations.push_back(SavedNode{tree.Label(c), tree.Data(c), false, {}});
  }
  return saved;
}

std::vector<SavedNode> SaveAreas(const MenuTree& tree) {
  std::vector<SavedNode> areas;
  TreeNode root = tree.Root();
  if (root == nullptr) return areas;
  for (TreeNode a = tree.FirstChild(root); a != nullptr; a = tree.Next(a)) {
    areas.push_back(Save(tree, a));
  }
  return areas;
}

// Every node in tree order: the root, then each Area followed by its Locations.
std::vector<TreeNode> NodesInOrder(const MenuTree& tree) {
  std::vector<TreeNode> nodes;
  TreeNode root = tree.Root();
  if (root == nullptr) return nodes;
  nodes.reserve(tree.Count());
  nodes.push_back(root);
  for (TreeNode a = tree.FirstChild(root); a != nullptr; a = tree.Next(a)) {
    nodes.push_back(a);
    for (TreeNode l = tree.FirstChild(a); l != nullptr; l = tree.Next(l)) nodes.push_back(l);
  }
  return nodes;
}

SelectionState CaptureSelection(const MenuTree& tree) {
  SelectionState state;
  TreeNode selected = tree.Selected();
  std::vector<TreeNode> nodes = NodesInOrder(tree);
  for (uint32_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i] == selected) state.selected = i;
    if (!tree.Marked(nodes[i])) continue;
    if (!state.marked.empty() && state.marked.back().first + state.marked.back().second == i) {
      ++state.marked.back().second;
    } else {
      state.marked.emplace_back(i, 1);
    }
  }
  return state;
}

EditCounters CaptureCounters(const ScenerySet& set) {
  return {set.area_count, set.location_count, set.deleted_area_count, set.deleted_location_count};
}

size_t BytesOf(const SavedNode& node) {
  size_t bytes = sizeof(SavedNode) + node.label.capacity();
  for (const SavedNode& l : node.locations) bytes += BytesOf(l);
  return bytes;
}

size_t BytesOf(const Change& change) {
  size_t bytes = sizeof(Change);
  if (const auto* c = std::get_if<edit_change::Insert>(&change)) bytes += BytesOf(c->node);
  if (const auto* c = std::get_if<edit_change::Remove>(&change)) bytes += BytesOf(c->node);
  if (const auto* c = std::get_if<edit_change::Label>(&change)) {
    bytes += c->before.capacity() + c->after.capacity();
  }
  if (const auto* c = std::get_if<edit_change::Order>(&change)) {
    bytes += c->from.capacity() * sizeof(uint32_t);
  }
  if (const auto* c = std::get_if<edit_change::WholeTree>(&change)) {
    for (const SavedNode& n : c->before) bytes += BytesOf(n);
    for (const SavedNode& n : c->after) bytes += BytesOf(n);
  }
  return bytes;
}

}  // namespace

struct EditHistory::Step {
  EditKind kind = EditKind::kMove;
  std::vector<Change> changes;
  SelectionState selection_before;
  SelectionState selection_after;
  EditCounters counters_before;
  EditCounters counters_after;
  size_t count_before = 0;
  size_t count_after = 0;
  size_t bytes = 0;
  uint64_t serial = 0;
};

struct EditHistory::Pending {
  Step step;
  // Nodes the step made, by the index of their Insert change: their expanded state is read when
  // the step ends (an Area is opened only after its Locations are in). nullptr once removed.
  std::vector<std::pair<size_t, TreeNode>> made;
  // The node inserted last and its place, so that a run of inserts one after another (an Area's
  // Locations) does not count its way along the siblings for each.
  TreeNode last_inserted = nullptr;
  NodePlace last_place;
  // A whole-tree step: the menu at its start.
  std::string root_before;
  std::vector<SavedNode> areas_before;
};

EditHistory::EditHistory() = default;
EditHistory::~EditHistory() = default;

void EditHistory::Begin(const MenuTree& tree, const ScenerySet& set, EditKind kind) {
  if (depth_++ > 0) return;
  open_ = std::make_unique<Pending>();
  whole_tree_ = false;
  Step& step = open_->step;
  step.kind = kind;
  step.selection_before = held_ ? std::move(*held_) : CaptureSelection(tree);
  held_.reset();
  step.counters_before = CaptureCounters(set);
  step.count_before = tree.Count();
}

void EditHistory::BeginWholeTree(const MenuTree& tree, const ScenerySet& set, EditKind kind) {
  if (depth_ > 0) {
    ++depth_;
    return;
  }
  Begin(tree, set, kind);
  whole_tree_ = true;
  TreeNode root = tree.Root();
  open_->root_before = root != nullptr ? tree.Label(root) : std::string();
  open_->areas_before = SaveAreas(tree);
}

void EditHistory::End(const MenuTree& tree, const ScenerySet& set) {
  if (depth_ == 0) return;
  if (--depth_ > 0) return;
  std::unique_ptr<Pending> pending = std::move(open_);
  Step& step = pending->step;
  if (whole_tree_) {
    whole_tree_ = false;
    TreeNode root = tree.Root();
    edit_change::WholeTree whole;
    whole.root_before = std::move(pending->root_before);
    whole.root_after = root != nullptr ? tree.Label(root) : std::string();
    whole.before = std::move(pending->areas_before);
    whole.after = SaveAreas(tree);
    step.changes.clear();
    step.changes.emplace_back(std::move(whole));
  }
  for (auto& [index, node] : pending->made) {
    if (node != nullptr)
      std::get<edit_change::Insert>(step.changes[index]).node.expanded = tree.Expanded(node);
  }
  if (step.changes.empty()) return;
  step.selection_after = CaptureSelection(tree);
  step.counters_after = CaptureCounters(set);
  step.count_after = tree.Count();
  step.bytes = sizeof(Step) +
               (step.selection_before.marked.capacity() + step.selection_after.marked.capacity()) *
                   sizeof(std::pair<uint32_t, uint32_t>);
  for (const Change& c : step.changes) step.bytes += BytesOf(c);
  step.serial = next_serial_++;
  for (const Step& r : redo_) bytes_ -= r.bytes;
  redo_.clear();
  bytes_ += step.bytes;
  undo_.push_back(std::move(step));
  Trim();
}

void EditHistory::Trim() {
  while (undo_.size() > kMaxSteps || (bytes_ > kMaxBytes && undo_.size() > 1)) {
    bytes_ -= undo_.front().bytes;
    undo_.erase(undo_.begin());
  }
}

void EditHistory::HoldSelection(const MenuTree& tree) {
  held_ = std::make_unique<SelectionState>(CaptureSelection(tree));
}

void EditHistory::Inserted(const MenuTree& tree, TreeNode node, TreeNode copy) {
  if (!Recording() || node == nullptr) return;
  Pending& p = *open_;
  NodePlace place;
  if (p.last_inserted != nullptr && tree.Previous(node) == p.last_inserted) {
    place = {p.last_place.area, p.last_place.index + 1};
  } else {
    place = PlaceOf(tree, node);
  }
  p.last_inserted = node;
  p.last_place = place;
  bool expanded = copy != nullptr && tree.Expanded(copy);
  p.made.emplace_back(p.step.changes.size(), node);
  p.step.changes.emplace_back(
      edit_change::Insert{place, SavedNode{tree.Label(node), tree.Data(node), expanded, {}}});
}

void EditHistory::Removing(const MenuTree& tree, TreeNode node) {
  if (!Recording() || node == nullptr) return;
  Pending& p = *open_;
  p.last_inserted = nullptr;
  for (auto& made : p.made) {
    if (made.second == node || (made.second != nullptr && tree.Parent(made.second) == node)) {
      made.second = nullptr;
    }
  }
  p.step.changes.emplace_back(edit_change::Remove{PlaceOf(tree, node), Save(tree, node)});
}

void EditHistory::Relabelled(const MenuTree& tree, TreeNode node, std::string_view before) {
  if (!Recording() || node == nullptr) return;
  std::string after = tree.Label(node);
  if (after == before) return;
  open_->step.changes.emplace_back(
      edit_change::Label{PlaceOf(tree, node), std::string(before), std::move(after)});
}

void EditHistory::Reordered(const MenuTree& tree, TreeNode parent,
                            std::span<const TreeNode> before) {
  if (!Recording() || parent == nullptr) return;
  std::unordered_map<TreeNode, uint32_t> old_index;
  for (uint32_t i = 0; i < before.size(); ++i) old_index.emplace(before[i], i);
  edit_change::Order order;
  order.parent_area = tree.Parent(parent) == nullptr ? -1 : IndexOf(tree, parent);
  bool moved = false;
  for (TreeNode c = tree.FirstChild(parent); c != nullptr; c = tree.Next(c)) {
    auto it = old_index.find(c);
    if (it == old_index.end()) return;  // not a reordering: nothing that could be put back
    moved = moved || it->second != order.from.size();
    order.from.push_back(it->second);
  }
  if (!moved || order.from.size() != before.size()) return;
  open_->last_inserted = nullptr;
  open_->step.changes.emplace_back(std::move(order));
}

void EditHistory::FieldsChanged(uint32_t record, const LocnFields& before,
                                const LocnFields& after) {
  if (!Recording() || SameFields(before, after)) return;
  open_->step.changes.emplace_back(edit_change::Fields{record, before, after});
}

bool EditHistory::CanUndo() const {
  return !undo_.empty();
}

bool EditHistory::CanRedo() const {
  return !redo_.empty();
}

size_t EditHistory::UndoLevels() const {
  return undo_.size();
}

EditKind EditHistory::NextUndo() const {
  return undo_.empty() ? EditKind::kMove : undo_.back().kind;
}

EditKind EditHistory::NextRedo() const {
  return redo_.empty() ? EditKind::kMove : redo_.back().kind;
}

void EditHistory::MarkSaved() {
  saved_serial_ = undo_.empty() ? 0 : undo_.back().serial;
}

bool EditHistory::ChangedSinceSave() const {
  return (undo_.empty() ? 0 : undo_.back().serial) != saved_serial_;
}

void EditHistory::Clear() {
  saved_serial_ = 0;
  undo_.clear();
  redo_.clear();
  bytes_ = 0;
  held_.reset();
}

bool EditHistory::Undo(Session& s) {
  return Apply(s, /*undo=*/true);
}

bool EditHistory::Redo(Session& s) {
  return Apply(s, /*undo=*/false);
}

namespace {

// Puts the changes of one step into the tree, backwards or forwards.
class Applier {
 public:
  explicit Applier(Session& s) : s_(s), tree_(s.tree) {}

  bool Insert(const NodePlace& place, const SavedNode& node, bool with_locations) {
    TreeNode parent = ParentAt(tree_, place.area);
    if (parent == nullptr) return false;
    TreeNode after = place.index > 0 ? ChildAt(tree_, parent, place.index - 1) : nullptr;
    if (place.index > 0 && after == nullptr) return false;
    TreeNode made = Make(parent, after, node);
    if (made == nullptr) return false;
    if (with_locations) {
      TreeNode previous = nullptr;
      for (const SavedNode& l : node.locations) {
        previous = Make(made, previous, l);
        if (previous == nullptr) return false;
      }
    }
    return true;
  }

  bool Remove(const NodePlace& place) {
    TreeNode node = NodeAt(tree_, place);
    if (node == nullptr) return false;
    RemoveNode(node);
    return true;
  }

  bool SetLabel(const NodePlace& place, const std::string& label) {
    TreeNode node = NodeAt(tree_, place);
    if (node == nullptr) return false;
    tree_.SetLabel(node, label);
    return true;
  }

  // Puts the children of the parent at `area` into the order `order` names by their present
  // indices.
  bool Arrange(int32_t area, const std::vector<uint32_t>& order) {
    TreeNode parent = ParentAt(tree_, area);
    if (parent == nullptr) return false;
    std::vector<TreeNode> children;
    for (TreeNode c = tree_.FirstChild(parent); c != nullptr; c = tree_.Next(c)) {
      children.push_back(c);
    }
    if (children.size() != order.size()) return false;
    std::vector<TreeNode> arranged;
    arranged.reserve(order.size());
    for (uint32_t i : order) {
      if (i >= children.size()) return false;
      arranged.push_back(children[i]);
    }
    if (tree_.ArrangeChildren(parent, arranged)) return true;
    // A tree that cannot put children in a given order has them made again in that order.
    std::vector<SavedNode> saved;
    for (TreeNode c : arranged) saved.push_back(Save(tree_, c));
    for (TreeNode c : children) RemoveNode(c);
    TreeNode previous = nullptr;
    for (const SavedNode& n : saved) {
      previous = Make(parent, previous, n);
      if (previous == nullptr) return false;
      TreeNode l = nullptr;
      for (const SavedNode& child : n.locations) l = Make(previous, l, child);
    }
    return true;
  }

  bool SetFields(uint32_t record, const LocnFields& fields) {
    MenuLocation* location = s_.set.Location(record);
    if (location == nullptr) return false;
    location->fields = fields;
    return true;
  }

  bool Replace(const std::string& root_label, const std::vector<SavedNode>& areas) {
    TreeNode root = tree_.Root();
    if (root == nullptr) return false;
    while (TreeNode a = tree_.FirstChild(root)) RemoveNode(a);
    tree_.SetLabel(root, root_label);
    TreeNode previous = nullptr;
    for (const SavedNode& area : areas) {
      previous = Make(root, previous, area);
      if (previous == nullptr) return false;
      TreeNode l = nullptr;
      for (const SavedNode& child : area.locations) l = Make(previous, l, child);
    }
    return true;
  }

  // Areas open only once their Locations are in: the control does not open an empty item.
  void OpenAreas() {
    for (TreeNode n : to_open_) {
      if (n != nullptr) tree_.Expand(n, true);
    }
  }

 private:
  TreeNode Make(TreeNode parent, TreeNode after, const SavedNode& node) {
    TreeNode made = tree_.Insert(parent, after, node.label, node.data);
    if (made == nullptr) return nullptr;
    tree_.SetMarked(made, false);
    if (node.expanded) to_open_.push_back(made);
    return made;
  }

  void RemoveNode(TreeNode node) {
    for (TreeNode& n : to_open_) {
      if (n == node || (n != nullptr && tree_.Parent(n) == node)) n = nullptr;
    }
    s_.tree_state.ForgetNodesIn(tree_, node);
    tree_.Remove(node);
  }

  Session& s_;
  MenuTree& tree_;
  std::vector<TreeNode> to_open_;
};

bool ApplyChange(Applier& a, const Change& change, bool undo) {
  if (const auto* c = std::get_if<edit_change::Insert>(&change)) {
    return undo ? a.Remove(c->place) : a.Insert(c->place, c->node, /*with_locations=*/false);
  }
  if (const auto* c = std::get_if<edit_change::Remove>(&change)) {
    return undo ? a.Insert(c->place, c->node, /*with_locations=*/true) : a.Remove(c->place);
  }
  if (const auto* c = std::get_if<edit_change::Label>(&change)) {
    return a.SetLabel(c->place, undo ? c->before : c->after);
  }
  if (const auto* c = std::get_if<edit_change::Order>(&change)) {
    if (!undo) return a.Arrange(c->parent_area, c->from);
    // Now child i was child from[i]: the old order has child i at place from[i].
    std::vector<uint32_t> back(c->from.size());
    for (uint32_t i = 0; i < c->from.size(); ++i) back[c->from[i]] = i;
    return a.Arrange(c->parent_area, back);
  }
  if (const auto* c = std::get_if<edit_change::Fields>(&change)) {
    return a.SetFields(c->record, undo ? c->before : c->after);
  }
  const auto& c = std::get<edit_change::WholeTree>(change);
  return undo ? a.Replace(c.root_before, c.before) : a.Replace(c.root_after, c.after);
}

void RestoreSelection(Session& s, const SelectionState& state) {
  std::vector<TreeNode> nodes = NodesInOrder(s.tree);
  TreeNode selected = state.selected >= 0 && static_cast<size_t>(state.selected) < nodes.size()
                          ? nodes[static_cast<size_t>(state.selected)]
                          : nullptr;
  s.tree.Select(selected);
  if (selected != nullptr) s.tree.EnsureVisible(selected);
  // The selection change marks as the keys held say; the marks are put back as they were.
  std::vector<bool> marked(nodes.size(), false);
  for (const auto& [first, count] : state.marked) {
    for (uint32_t i = first; i < first + count && i < nodes.size(); ++i) marked[i] = true;
  }
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (s.tree.Marked(nodes[i]) != marked[i]) s.tree.SetMarked(nodes[i], marked[i]);
  }
}

// Record numbers given out stay given out: what the step took back shows as deleted, so the
// status counts are those the menu had.
void RestoreCounters(ScenerySet& set, const EditCounters& to) {
  set.deleted_area_count = to.deleted_area_count + (set.area_count - to.area_count);
  set.deleted_location_count = to.deleted_location_count + (set.location_count - to.location_count);
}

}  // namespace

bool EditHistory::Apply(Session& s, bool undo) {
  std::vector<Step>& from = undo ? undo_ : redo_;
  std::vector<Step>& to = undo ? redo_ : undo_;
  if (from.empty() || depth_ > 0 || s.tree_state.dragging) return false;
  Step& step = from.back();
  // An edit made without a step would leave the places wrong: nothing is applied then.
  if (s.tree.Count() != (undo ? step.count_after : step.count_before)) {
    Clear();
    return false;
  }
  s.tree.Select(nullptr);
  Applier applier(s);
  bool ok = true;
  if (undo) {
    for (auto c = step.changes.rbegin(); ok && c != step.changes.rend(); ++c) {
      ok = ApplyChange(applier, *c, true);
    }
  } else {
    for (auto c = step.changes.begin(); ok && c != step.changes.end(); ++c) {
      ok = ApplyChange(applier, *c, false);
    }
  }
  applier.OpenAreas();
  RestoreSelection(s, undo ? step.selection_before : step.selection_after);
  RestoreCounters(s.set, undo ? step.counters_before : step.counters_after);
  s.host.SetStatusCount(StatusPart::kAreas, int64_t{s.set.area_count} - s.set.deleted_area_count);
  s.host.SetStatusCount(StatusPart::kLocns,
                        int64_t{s.set.location_count} - s.set.deleted_location_count);
  s.set.results_saved = false;
  s.host.RefreshDetails();
  if (!ok) {
    Clear();
    return false;
  }
  to.push_back(std::move(step));
  from.pop_back();
  return true;
}

EditScope::EditScope(Session& s, EditKind kind) : s_(s) {
  s_.tree_state.history.Begin(s_.tree, s_.set, kind);
}

EditScope::~EditScope() {
  s_.tree_state.history.End(s_.tree, s_.set);
}

std::string_view EditKindName(EditKind kind) {
  switch (kind) {
    case EditKind::kDrop:
      return "drop";
    case EditKind::kMerge:
      return "merge";
    case EditKind::kMove:
      return "move";
    case EditKind::kNewArea:
      return "new Area";
    case EditKind::kNewLocation:
      return "new Location";
    case EditKind::kSplit:
      return "split";
    case EditKind::kDelete:
      return "delete";
    case EditKind::kRename:
      return "rename";
    case EditKind::kSort:
      return "sort";
    case EditKind::kValue:
      return "value edit";
    case EditKind::kPaste:
      return "paste";
    case EditKind::kImport:
      return "import";
  }
  return "edit";
}

}  // namespace tarnwick
