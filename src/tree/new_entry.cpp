#include "scenery/insert_tree_item.h"
#include "tree/tree_edits.h"

namespace tarnwick {

namespace {

constexpr char kSplitQuestion[] =
    "Split the entries and place this and subsequent ones in the new Area?";

// Busy for the whole operation, idle again on every way out.
class BusyScope {
 public:
  explicit BusyScope(Host& host) : host_(host) { host_.SetBusyState(BusyState::kBusy); }
  ~BusyScope() { host_.SetBusyState(BusyState::kIdle); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Host& host_;
};

NodeKind KindOfNode(const Session& s, TreeNode node) {
  return KindOf(s.tree.Data(node));
}

// A new Location copies the position and radios of its neighbour (the selected Location, or the
// Area's first Location) and belongs to the same scenery.
TreeNode AddLocationNode(Session& s, TreeNode selected, TreeNode parent, TreeNode after) {
  TreeNode template_node =
      KindOfNode(s, selected) == NodeKind::kLocation ? selected : s.tree.FirstChild(selected);
  const MenuLocation* model =
      template_node ? s.set.Location(RecordOf(s.tree.Data(template_node))) : nullptr;
  LocnFields fields;
  int32_t found_vis = 0;
  int32_t area_index = 0;
  int32_t scenery_vis = 0;
  if (model != nullptr) {
    fields = model->fields;
    found_vis = model->found_vis;
    area_index = model->area_index;
    scenery_vis = model->scenery_vis;
  } else {
    uint32_t area = RecordOf(s.tree.Data(selected));
    const MenuArea* area_record = s.set.Area(area);
    found_vis = area_record ? area_record->vis_index : 0;
    area_index = static_cast<int32_t>(area);
  }
  ++s.set.location_count;
  ShowLocationCount(s);
  s.set.AddLocation(fields, found_vis, /*bgl_index=*/0, area_index, scenery_vis);
  return InsertTreeItem(s, parent, after, kNewEntryLabel, NodeKind::kLocation,
                        static_cast<uint32_t>(s.set.location_count));
}

// A split Area keeps the VIS entry of the Area its Locations came from.
TreeNode AddAreaNode(Session& s, TreeNode after, TreeNode split_from) {
  int32_t vis_index = 0;
  if (split_from != nullptr) {
    const MenuArea* old_area = s.set.Area(RecordOf(s.tree.Data(s.tree.Parent(split_from))));
    if (old_area != nullptr) vis_index = old_area->vis_index;
  }
  ++s.set.area_count;
  ShowAreaCount(s);
  s.set.AddArea(vis_index);
  TreeNode area = InsertTreeItem(s, s.tree.Root(), after, kNewEntryLabel, NodeKind::kArea,
                                 static_cast<uint32_t>(s.set.area_count));
  if (area == nullptr || split_from == nullptr) return area;
  TreeNode previous = nullptr;
  for (TreeNode moving = split_from; moving != nullptr;) {
    TreeNode following = s.tree.Next(moving);
    if (TreeNode moved = MoveNode(s, moving, area, previous)) previous = moved;
    moving = following;
  }
  if (!s.tree_state.dragging) s.tree.Expand(area, true);
  return area;
}

}  // namespace

void NewEntry(Session& s, EntryKind kind) {
  if (!s.set.loaded || s.tree.Root() == nullptr) return;
  s.tree_state.rename_undo.Clear();
  TreeNode selected = s.tree.Selected();
  TreeNode parent = s.tree.Parent(selected);

  NodeKind make = NodeKind::kArea;
  TreeNode place_parent = s.tree.Root();
  TreeNode place_after = nullptr;
  TreeNode split_from = nullptr;
  if (parent == nullptr) {
    if (kind == EntryKind::kLocation) return;
  } else {
    NodeKind have = KindOfNode(s, selected);
    make = kind == EntryKind::kAny    ? have
           : kind == EntryKind::kArea ? NodeKind::kArea
                                      : NodeKind::kLocation;
    if (make == have) {
      place_parent = parent;
      place_after = s.tree.Previous(selected);
    } else if (make == NodeKind::kArea) {
      place_after = parent;
      split_from = selected;
    } else {
      place_parent = selected;
    }
  }

  // Record numbers live in the low 16 bits of the item data: one more would alias another record.
  int32_t count = make == NodeKind::kArea ? s.set.area_count : s.set.location_count;
  if (count >= kMaxRecordNumber) {
    s.host.Beep();
    return;
  }

  BusyScope busy(s.host);
  if (make == NodeKind::kArea && split_from != nullptr && !s.host.Confirm(kSplitQuestion)) {
    s.set.results_saved = false;
    return;
  }
  TreeNode made = nullptr;
  {
    EditScope step(s, make == NodeKind::kLocation ? EditKind::kNewLocation
                      : split_from != nullptr     ? EditKind::kSplit
                                                  : EditKind::kNewArea);
    made = make == NodeKind::kLocation ? AddLocationNode(s, selected, place_parent, place_after)
                                       : AddAreaNode(s, place_after, split_from);
    if (made != nullptr) {
      s.tree.Select(made);
      s.tree.EnsureVisible(made);
    }
  }
  // The title typed over "NEW ENTRY" is a rename of its own, undone before the entry.
  if (made != nullptr) s.tree.EditLabel(made);
  s.set.results_saved = false;
}

}  // namespace tarnwick
