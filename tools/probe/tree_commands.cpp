// The tree pane read from outside: its items in tree order, their labels, pictures and places.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "probe_commands.h"
#include "probe_windows.h"

namespace probe {
namespace {

// The picture of a marked item: its kind's picture moved on by this much.
constexpr int kMarkedImageOffset = 3;

class RemoteTree {
 public:
  explicit RemoteTree(HWND tree) : tree_(tree), block_(tree) {}
  bool ok() const { return block_.ok(); }

  HTREEITEM Next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }

  struct Item {
    std::string label;
    int image = 0;
    LPARAM data = 0;
    int children = 0;
  };
  Item Get(HTREEITEM handle) {
    constexpr size_t kText = 1024;
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_CHILDREN;
    item.hItem = handle;
    item.pszText = block_.at(kText);
    item.cchTextMax = 260;
    Item out;
    if (!block_.Write(0, &item, sizeof item) ||
        !SendMessageA(tree_, TVM_GETITEMA, 0, block_.lparam())) {
      return out;
    }
    block_.Read(0, &item, sizeof item);
    char text[261] = {};
    block_.Read(kText, text, 260);
    out.label = text;
    out.image = item.iImage;
    out.data = item.lParam;
    out.children = item.cChildren;
    return out;
  }

  bool LabelRect(HTREEITEM handle, RECT& rect) {
    std::memset(&rect, 0, sizeof rect);
    std::memcpy(&rect, &handle, sizeof handle);
    if (!block_.Write(0, &rect, sizeof rect) ||
        !SendMessageA(tree_, TVM_GETITEMRECT, TRUE, block_.lparam())) {
      return false;
    }
    return block_.Read(0, &rect, sizeof rect);
  }

  // The program gives a closed Area's Locations to the control when it is first opened: opened
  // and closed again, as a user's two clicks would, it has them. The control scrolls an opened
  // item's children into view; the view is put back.
  HTREEITEM FirstChild(HTREEITEM area, bool open) {
    HTREEITEM first = Next(area, TVGN_CHILD);
    if (first == nullptr && open && Get(area).children != 0) {
      HTREEITEM top = Next(nullptr, TVGN_FIRSTVISIBLE);
      SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(area));
      SendMessageA(tree_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(area));
      if (top != nullptr) {
        SendMessageA(tree_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(top));
      }
      first = Next(area, TVGN_CHILD);
    }
    return first;
  }

  // Every item in tree order (the root, each Area, its Locations), with its depth; with `open`,
  // the Locations of closed Areas too.
  std::vector<std::pair<HTREEITEM, int>> All(bool open) {
    std::vector<std::pair<HTREEITEM, int>> items;
    for (HTREEITEM r = Next(nullptr, TVGN_ROOT); r; r = Next(r, TVGN_NEXT)) {
      items.emplace_back(r, 0);
      for (HTREEITEM a = Next(r, TVGN_CHILD); a; a = Next(a, TVGN_NEXT)) {
        items.emplace_back(a, 1);
        for (HTREEITEM l = FirstChild(a, open); l; l = Next(l, TVGN_NEXT)) items.emplace_back(l, 2);
      }
    }
    return items;
  }

  // Only the items the control holds now: nothing is opened, so what a closed Area shows is what
  // the program gave the control itself.
  std::vector<HTREEITEM> Held() {
    std::vector<HTREEITEM> items;
    std::vector<HTREEITEM> pending = {Next(nullptr, TVGN_ROOT)};
    while (!pending.empty()) {
      HTREEITEM item = pending.back();
      pending.pop_back();
      if (item == nullptr) continue;
      items.push_back(item);
      pending.push_back(Next(item, TVGN_NEXT));
      pending.push_back(Next(item, TVGN_CHILD));
    }
    return items;
  }

  HTREEITEM FindHeld(const std::string& label) {
    for (HTREEITEM item : Held()) {
      if (Get(item).label == label) return item;
    }
    return nullptr;
  }

  // Looks among the items held first, so that finding an Area fills no other; with `open`, then
  // among the Locations of closed Areas too.
  HTREEITEM Find(const std::string& label, bool open = true) {
    if (HTREEITEM held = FindHeld(label)) return held;
    if (!open) return nullptr;
    for (auto [item, depth] : All(true)) {
      if (Get(item).label == label) return item;
    }
    return nullptr;
  }

  bool IsExpanded(HTREEITEM item) const {
    return (SendMessageA(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
  }

  // The client x range of an item's +/- button on the row of `rect` (its label), found by asking
  // the control what lies at each point left of the label.
  bool ButtonRange(HTREEITEM handle, const RECT& rect, int& from, int& to) {
    from = to = -1;
    for (int x = 0; x < rect.left; ++x) {
      TVHITTESTINFO hit = {};
      hit.pt = {x, (rect.top + rect.bottom) / 2};
      if (!block_.Write(0, &hit, sizeof hit)) return false;
      SendMessageA(tree_, TVM_HITTEST, 0, block_.lparam());
      block_.Read(0, &hit, sizeof hit);
      if (hit.hItem == handle && (hit.flags & TVHT_ONITEMBUTTON) != 0) {
        if (from < 0) from = x;
        to = x;
      }
    }
    return from >= 0;
  }

  HWND Window() const { return tree_; }

 private:
  HWND tree_;
  RemoteBlock block_;
};

}  // namespace

int RunTree(const std::string& command, int argc, char** argv) {
  HWND main = MainWindow();
  if (main == nullptr) return Fail("no Tarnwick window");
  HWND control = GetDlgItem(main, kTreeId);
  if (control == nullptr) return Fail("no tree pane");
  RemoteTree tree(control);
  if (!tree.ok()) return Fail("cannot reach the program's memory");

  if (command == "areas") {
    HTREEITEM root = tree.Next(nullptr, TVGN_ROOT);
    for (HTREEITEM a = tree.Next(root, TVGN_CHILD); a; a = tree.Next(a, TVGN_NEXT)) {
      std::printf("%s\n", tree.Get(a).label.c_str());
    }
    return 0;
  }
  if (command == "children" && argc > 2) {
    HTREEITEM area = tree.Find(argv[2], false);
    if (area == nullptr) return Fail("no such node");
    for (HTREEITEM l = tree.FirstChild(area, true); l; l = tree.Next(l, TVGN_NEXT)) {
      std::printf("%s\n", tree.Get(l).label.c_str());
    }
    return 0;
  }
  if (command == "held-children" && argc > 2) {
    HTREEITEM area = tree.FindHeld(argv[2]);
    if (area == nullptr) return Fail("no such item in the control");
    for (HTREEITEM l = tree.Next(area, TVGN_CHILD); l; l = tree.Next(l, TVGN_NEXT)) {
      std::printf("%s\n", tree.Get(l).label.c_str());
    }
    return 0;
  }
  if (command == "held-count") {
    std::printf("%ld\n", static_cast<long>(SendMessageA(control, TVM_GETCOUNT, 0, 0)));
    return 0;
  }
  if (command == "expanded" && argc > 2) {
    HTREEITEM item = tree.FindHeld(argv[2]);
    if (item == nullptr) return Fail("no such item in the control");
    std::printf("%s\n", tree.IsExpanded(item) ? "yes" : "no");
    return 0;
  }
  if (command == "where" && argc > 2) {
    // An item in view has its item already.
    HTREEITEM item = tree.Find(argv[2], false);
    RECT rect = {};
    if (item == nullptr || !tree.LabelRect(item, rect)) return Fail("not shown");
    RECT client = {};
    GetClientRect(control, &client);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (centre.y < 0 || centre.y >= client.bottom) return Fail("scrolled out of view");
    ClientToScreen(control, &centre);
    std::printf("%ld %ld\n", static_cast<long>(centre.x), static_cast<long>(centre.y));
    return 0;
  }
  if (command == "button-where" && argc > 2) {
    HTREEITEM item = tree.Find(argv[2]);
    RECT rect = {};
    int from = 0;
    int to = 0;
    if (item == nullptr || !tree.LabelRect(item, rect) || !tree.ButtonRange(item, rect, from, to)) {
      return Fail("no button shown");
    }
    POINT centre = {(from + to) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(control, &centre);
    std::printf("%ld %ld\n", static_cast<long>(centre.x), static_cast<long>(centre.y));
    return 0;
  }
  if (command == "selected") {
    HTREEITEM item = tree.Next(nullptr, TVGN_CARET);
    std::printf("%s\n", item ? tree.Get(item).label.c_str() : "<none>");
    return 0;
  }
  if (command == "first-visible") {
    HTREEITEM item = tree.Next(nullptr, TVGN_FIRSTVISIBLE);
    std::printf("%s\n", item ? tree.Get(item).label.c_str() : "<none>");
    return 0;
  }
  if (command == "marked") {
    for (auto [item, depth] : tree.All(true)) {
      RemoteTree::Item read = tree.Get(item);
      int kind = static_cast<int>((static_cast<unsigned long long>(read.data) >> 16) & 0xFFFF);
      if (read.image == kind + kMarkedImageOffset) std::printf("%s\n", read.label.c_str());
    }
    return 0;
  }
  if (command == "wait-count" && argc > 2) {
    LRESULT wanted = std::atol(argv[2]);
    for (int tries = 0; tries < 600; ++tries) {
      // The control holds only the Locations of opened Areas: the status bar counts them all.
      if (SendMessageA(control, TVM_GETCOUNT, 0, 0) >= wanted || CountedItems(main) >= wanted) {
        return 0;
      }
      Sleep(100);
      control = GetDlgItem(main, kTreeId);
    }
    return Fail("the tree did not fill");
  }
  return Fail("unknown command");
}

}  // namespace probe
