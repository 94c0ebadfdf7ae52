#include "support/menu_builder.h"

namespace tarnwick::testing {

namespace {
template <typename Fn>
void ForEachNode(const MenuTree& tree, Fn fn) {
  TreeNode root = tree.Root();
  if (root == nullptr) return;
  fn(root);
  for (TreeNode a = tree.FirstChild(root); a != nullptr; a = tree.Next(a)) {
    fn(a);
    for (TreeNode l = tree.FirstChild(a); l != nullptr; l = tree.Next(l)) fn(l);
  }
}

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) {
    if (!out.empty()) out += ' ';
    out += p;
  }
  return out;
}
}  // namespace

TreeNode BuildMenu(Session& s, const std::vector<AreaSpec>& areas) {
  TreeNode root =
      s.tree.Insert(nullptr, nullptr, "World.vis", MakeTreeItemData(NodeKind::kRoot, 0));
  s.tree.Expand(root, true);
  s.set.tree_root = root;
  s.set.loaded = true;
  s.set.bgl_count = 1;
  s.set.AddMenuBgl("C:\\FS98\\Scenery\\a.bgl");
  TreeNode after_area = nullptr;
  for (const AreaSpec& def : areas) {
    ++s.set.area_count;
    const int32_t vis = s.set.area_count;
    s.set.AddArea(vis);
    TreeNode area = s.tree.Insert(root, after_area, def.label,
                                  MakeTreeItemData(NodeKind::kArea, s.set.area_count));
    after_area = area;
    s.set.last_area = area;
    TreeNode after_locn = nullptr;
    for (const std::string& label : def.locations) {
      ++s.set.location_count;
      const int32_t m = s.set.location_count;
      LocnFields f;
      f.latitude = 1000 * m;
      f.longitude = 2000 * m;
      f.altitude = m;
      f.heading = static_cast<uint16_t>(m);
      s.set.AddLocation(f, vis, 1, s.set.area_count, 100 + vis);
      after_locn = s.tree.Insert(area, after_locn, label, MakeTreeItemData(NodeKind::kLocation, m));
    }
  }
  return root;
}

TreeNode FindLabel(const MenuTree& tree, std::string_view label) {
  TreeNode found = nullptr;
  ForEachNode(tree, [&](TreeNode n) {
    if (found == nullptr && tree.Label(n) == label) found = n;
  });
  return found;
}

std::string Describe(const MenuTree& tree) {
  std::vector<std::string> parts;
  TreeNode root = tree.Root();
  for (TreeNode a = root ? tree.FirstChild(root) : nullptr; a != nullptr; a = tree.Next(a)) {
    std::vector<std::string> locations;
    for (TreeNode l = tree.FirstChild(a); l != nullptr; l = tree.Next(l)) {
      locations.push_back(tree.Label(l));
    }
    parts.push_back(tree.Label(a) + "(" + Join(locations) + ")");
  }
  return Join(parts);
}

std::string MarkedLabels(const MenuTree& tree) {
  std::vector<std::string> parts;
  ForEachNode(tree, [&](TreeNode n) {
    if (tree.Marked(n)) parts.push_back(tree.Label(n));
  });
  return Join(parts);
}

std::string ExpandedAreas(const MenuTree& tree) {
  std::vector<std::string> parts;
  TreeNode root = tree.Root();
  for (TreeNode a = root ? tree.FirstChild(root) : nullptr; a != nullptr; a = tree.Next(a)) {
    if (tree.Expanded(a)) parts.push_back(tree.Label(a));
  }
  return Join(parts);
}

}  // namespace tarnwick::testing
