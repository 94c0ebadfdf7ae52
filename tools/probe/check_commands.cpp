// The menu check's list read from outside: its rows and a row's place on the screen.
#include <cstdio>

#include "probe_commands.h"
#include "probe_windows.h"

namespace probe {

namespace {

constexpr int kCheckListId = 1012;

HWND CheckList() {
  for (int tries = 0; tries < 30; ++tries) {
    HWND dialog = FindProgramWindow([](HWND window) {
      char title[64] = {};
      GetWindowTextA(window, title, sizeof title);
      return std::string(title) == "Check menu";
    });
    if (dialog != nullptr) return GetDlgItem(dialog, kCheckListId);
    Sleep(100);
  }
  return nullptr;
}

}  // namespace

int RunCheckList(const std::string& command, int row) {
  HWND list = CheckList();
  if (list == nullptr) return Fail("no check list");
  RemoteBlock block(list);
  if (!block.ok()) return Fail("cannot reach the program's memory");
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  if (command == "check-rows") {
    constexpr size_t kText = 256;
    for (int r = 0; r < count; ++r) {
      std::string line;
      for (int column = 0; column < 4; ++column) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = block.at(kText);
        item.cchTextMax = 260;
        block.Write(0, &item, sizeof item);
        SendMessageA(list, LVM_GETITEMTEXTA, r, block.lparam());
        line += (column == 0 ? "" : "|") + block.ReadText(kText, 260);
      }
      std::printf("%s\n", line.c_str());
    }
    return 0;
  }
  if (row < 0 || row >= count) return Fail("no such row");
  RECT rect = {};
  rect.left = LVIR_BOUNDS;
  block.Write(0, &rect, sizeof rect);
  if (!SendMessageA(list, LVM_GETITEMRECT, row, block.lparam())) return Fail("no such row");
  block.Read(0, &rect, sizeof rect);
  POINT centre = {rect.left + 40, (rect.top + rect.bottom) / 2};
  ClientToScreen(list, &centre);
  std::printf("%ld %ld\n", static_cast<long>(centre.x), static_cast<long>(centre.y));
  return 0;
}

}  // namespace probe
