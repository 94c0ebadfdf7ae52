// A menu for tree tests, built as the scan would leave it: the root, Areas and Locations with their
// records, the set loaded. Plus compact views of the tree for assertions.
#pragma once

#include <string>
#include <vector>

#include "scenery/memory_menu_tree.h"
#include "scenery/session.h"

namespace tarnwick::testing {

struct AreaSpec {
  std::string label;
  std::vector<std::string> locations;
};
using Menu = std::vector<AreaSpec>;

// Area n (1-based, in order) gets visIndex n. Location record m gets latitude 1000*m, longitude
// 2000*m, altitude and heading m, foundVis its Area's visIndex, sceneryVis 100 + that, bglIndex 1.
// The root is open and the Areas closed.
TreeNode BuildMenu(Session& s, const std::vector<AreaSpec>& areas);

// The node with this label (the first in tree order), or nullptr.
TreeNode FindLabel(const MenuTree& tree, std::string_view label);

// "A(a1 a2) B() C(c1)": the Areas with their Locations, in order.
std::string Describe(const MenuTree& tree);
// Labels of the marked nodes in tree order, separated by blanks.
std::string MarkedLabels(const MenuTree& tree);
// Labels of the expanded Areas in order, separated by blanks.
std::string ExpandedAreas(const MenuTree& tree);

}  // namespace tarnwick::testing
