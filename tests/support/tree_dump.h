// The menu of a tree as text, one line per Area and per Location, for comparing whole menus.
#pragma once

#include <string>

#include "platform/menu_tree.h"

namespace tarnwick::testing {

// "Area title\n  Location description\n..." for the Areas under the root, in display order.
inline std::string DumpMenu(const MenuTree& tree) {
  std::string text;
  TreeNode root = tree.Root();
  if (root == nullptr) return text;
  for (TreeNode area = tree.FirstChild(root); area != nullptr; area = tree.Next(area)) {
    text += tree.Label(area) + "\n";
    for (TreeNode locn = tree.FirstChild(area); locn != nullptr; locn = tree.Next(locn)) {
      text += "  " + tree.Label(locn) + "\n";
    }
  }
  return text;
}

}  // namespace tarnwick::testing
