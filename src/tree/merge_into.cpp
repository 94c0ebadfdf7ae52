#include <algorithm>
#include <vector>

#include "tree/tree_edits.h"

namespace tarnwick {

std::vector<TreeNode> MergeTargets(const Session& s) {
  std::vector<TreeNode> targets;
  TreeNode selected = s.tree.Selected();
  if (!s.set.loaded || selected == nullptr || KindOf(s.tree.Data(selected)) != NodeKind::kArea) {
    return targets;
  }
  for (TreeNode a = s.tree.FirstChild(s.tree.Root()); a != nullptr; a = s.tree.Next(a)) {
    if (a != selected) targets.push_back(a);
  }
  return targets;
}

bool MergeSelectedInto(Session& s, TreeNode target) {
  TreeNode source = s.tree.Selected();
  std::vector<TreeNode> targets = MergeTargets(s);
  if (std::find(targets.begin(), targets.end(), target) == targets.end()) {
    s.host.Beep();
    return false;
  }
  bool merged = false;
  {
    EditScope step(s, EditKind::kMerge);
    merged = MergeAreas(s, target, source);
    if (merged) {
      s.set.results_saved = false;
      s.tree.Select(target);
      s.tree.EnsureVisible(target);
    }
  }
  return merged;
}

}  // namespace tarnwick
