// The tree pane during a drag, read from outside: where its edges are on the screen, which items
// are in view as it scrolls, and the item the drop would go to.
#include <cstdio>
#include <string>

#include "probe_commands.h"
#include "probe_windows.h"

namespace probe {
namespace {

std::string Label(HWND tree, const RemoteBlock& block, HTREEITEM handle) {
  constexpr size_t kText = 1024;
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = handle;
  item.pszText = block.at(kText);
  item.cchTextMax = 260;
  if (!block.Write(0, &item, sizeof item) || !SendMessageA(tree, TVM_GETITEMA, 0, block.lparam())) {
    return "";
  }
  return block.ReadText(kText, 260);
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

}  // namespace

int RunDrag(const std::string& command) {
  HWND main = MainWindow();
  if (main == nullptr) return Fail("no Tarnwick window");
  HWND tree = GetDlgItem(main, kTreeId);
  if (tree == nullptr) return Fail("no tree pane");
  if (command == "tree-edges") {
    RECT client = {};
    GetClientRect(tree, &client);
    MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(client.left), static_cast<long>(client.top),
                static_cast<long>(client.right), static_cast<long>(client.bottom));
    return 0;
  }
  RemoteBlock block(tree);
  if (!block.ok()) return Fail("cannot reach the program's memory");
  if (command == "drop-highlight") {
    HTREEITEM item = Next(tree, nullptr, TVGN_DROPHILITE);
    std::printf("%s\n", item ? Label(tree, block, item).c_str() : "<none>");
    return 0;
  }
  if (command == "shown") {
    // The items wholly in view, then the one cut by the bottom edge.
    auto count = SendMessageA(tree, TVM_GETVISIBLECOUNT, 0, 0) + 1;
    HTREEITEM item = Next(tree, nullptr, TVGN_FIRSTVISIBLE);
    for (; item != nullptr && count > 0; --count, item = Next(tree, item, TVGN_NEXTVISIBLE)) {
      std::printf("%s\n", Label(tree, block, item).c_str());
    }
    return 0;
  }
  return Fail("unknown command");
}

}  // namespace probe
