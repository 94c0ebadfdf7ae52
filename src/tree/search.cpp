#include "tree/search.h"

#include <algorithm>

namespace tarnwick {

namespace {

// Labels compare with a–z taken as A–Z and every other byte as it is.
char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The length of the longest leading part of `pattern` (already upper case) found anywhere in
// `label`; the search stops early once the whole pattern is found.
size_t LongestLeadingPartIn(const std::string& label, std::string_view pattern) {
  size_t best = 0;
  for (size_t start = 0; start < label.size() && best < pattern.size(); ++start) {
    if (label.size() - start <= best) break;  // too few characters left to beat `best`
    size_t n = 0;
    while (n < pattern.size() && start + n < label.size() &&
           Upper(label[start + n]) == pattern[n]) {
      ++n;
    }
    best = std::max(best, n);
  }
  return best;
}

// The walk's stop item comes back at the end of a full pass; `Found` says the walk must end there.
struct Walk {
  Session& s;
  SearchState& search;
  TreeNode stop;

  bool Found(TreeNode item) {
    return MatchItem(s.tree, search, s.options.search_partial, item) || item == stop;
  }
  // The children of `c`, each followed by its own children, in order.
  bool Below(TreeNode c) {
    for (TreeNode k = s.tree.FirstChild(c); k != nullptr; k = s.tree.Next(k)) {
      if (Found(k)) return true;
      for (TreeNode g = s.tree.FirstChild(k); g != nullptr; g = s.tree.Next(g)) {
        if (Found(g)) return true;
      }
    }
    return false;
  }
};

void WalkFrom(Session& s, TreeNode c, TreeNode selected) {
  // With nothing selected the walk stops where it began, after one complete pass.
  Walk walk{s, s.tree_state.search, selected != nullptr ? selected : c};
  const bool wrap = s.options.search_wrap;
  while (c != nullptr) {
    if (walk.Below(c)) return;
    TreeNode n = s.tree.Next(c);
    if (n == nullptr && s.tree.Parent(c) != nullptr) n = s.tree.Next(s.tree.Parent(c));
    if (n != nullptr) {
      if (n == walk.stop) return;
      if (MatchItem(s.tree, walk.search, s.options.search_partial, n)) return;
      c = n;
    } else {
      if (!wrap) return;
      c = s.tree.Root();
      if (c == nullptr || MatchItem(s.tree, walk.search, s.options.search_partial, c)) return;
      if (c == walk.stop) return;
    }
  }
}

}  // namespace

bool MatchItem(const MenuTree& tree, SearchState& search, bool partial, TreeNode item) {
  if (!search.text || item == nullptr) return false;
  std::string label = tree.Label(item);
  if (label.size() > kMaxLabel) label.resize(kMaxLabel);
  const int d = static_cast<int>(label.size());
  if (d <= search.best_length) return false;
  int i = search.text_length;
  if (d < search.text_length) {
    if (!partial) return false;
    i = d;
  }
  if (i <= search.best_length) return i >= search.text_length;
  std::string pattern = search.text->substr(0, static_cast<size_t>(i));
  for (char& c : pattern) c = Upper(c);
  int found = 0;
  if (partial) {
    found = static_cast<int>(LongestLeadingPartIn(label, pattern));
  } else {
    std::string upper = label;
    for (char& c : upper) c = Upper(c);
    found = upper.find(pattern) != std::string::npos ? i : 0;
  }
  if (found <= search.best_length) return false;
  search.best_length = found;
  search.best_item = item;
  return found >= search.text_length;
}

void FindNext(Session& s) {
  SearchState& search = s.tree_state.search;
  if (!search.text || search.text->empty()) return;
  TreeNode selected = s.tree.Selected();
  TreeNode c = search.start_item ? search.start_item : selected;
  TreeNode saved_best_item = search.best_item;
  int saved_best_length = search.best_length;

  search.searching = true;
  search.start_item = nullptr;
  if (s.options.search_wrap) search.best_length = 0;
  search.text_length = static_cast<int>(search.text->size());
  search.best_item = nullptr;

  WalkFrom(s, c, selected);
  if (search.best_item == nullptr) s.host.ShowStatusNote("\"" + *search.text + "\" not found");

  if (search.best_item != nullptr) {
    // The next step, starting at the item found, accepts only matches as long as this one.
    if (search.best_length > 0) --search.best_length;
  } else if (s.options.search_wrap) {
    search.best_item = saved_best_item;
  }
  if (search.best_item != nullptr) {
    s.tree.Select(search.best_item);
    s.tree.EnsureVisible(search.best_item);
  }
  s.host.FocusTree();
  if (search.best_length == 0) search.best_length = saved_best_length;
  search.searching = false;
}

void ResetSearchPosition(SearchState& search) {
  search.best_length = 0;
  search.start_item = nullptr;
  // The item found last may not stay in the tree once the user has moved on; a later step that
  // finds nothing must not fall back on it.
  search.best_item = nullptr;
}

bool SearchAvailable(const MenuTree& tree) {
  TreeNode root = tree.Root();
  return root != nullptr && tree.FirstChild(root) != nullptr;
}

bool ApplySearchDialog(Session& s, const SearchDialogOutcome& outcome) {
  SearchState& search = s.tree_state.search;
  if (outcome.search && !outcome.box_text.empty()) search.text = outcome.box_text;
  s.options.search_wrap = outcome.wrap;
  s.options.search_start_at_sel = outcome.start_at_sel;
  s.options.search_partial = outcome.partial;
  if (!outcome.search || !search.text) return false;
  search.best_length = 0;
  search.best_item = nullptr;
  search.start_item = outcome.start_at_sel ? nullptr : s.tree.Root();
  return true;
}

}  // namespace tarnwick
