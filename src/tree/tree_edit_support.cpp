// What the edits share: removing nodes safely and showing the counts.
#include "tree/tree_edits.h"

namespace tarnwick {

void RemoveTreeNode(Session& s, TreeNode node) {
  if (node == nullptr) return;
  s.tree_state.history.Removing(s.tree, node);
  s.tree_state.ForgetNodesIn(s.tree, node);
  s.tree.Remove(node);
}

void ShowAreaCount(Session& s) {
  s.host.SetStatusCount(StatusPart::kAreas,
                        int64_t{s.set.area_count} - int64_t{s.set.deleted_area_count});
}

void ShowLocationCount(Session& s) {
  s.host.SetStatusCount(StatusPart::kLocns,
                        int64_t{s.set.location_count} - int64_t{s.set.deleted_location_count});
}

}  // namespace tarnwick
