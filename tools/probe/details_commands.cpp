// The details pane read from outside: a row's value, its place on the screen, and the edit box
// open over a value.
#include <cstdio>

#include "probe_commands.h"
#include "probe_windows.h"

namespace probe {

int RunDetail(const std::string& command, int row) {
  HWND list = GetDlgItem(MainWindow(), kDetailsId);
  if (list == nullptr) return Fail("no details pane");
  if (command == "edit-box") {
    HWND box = nullptr;
    for (int tries = 0; tries < 20 && box == nullptr; ++tries) {
      box = FindWindowExA(list, nullptr, "Edit", nullptr);
      if (box == nullptr) Sleep(100);
    }
    if (box == nullptr) return Fail("no edit box");
    char text[300] = {};
    // WM_GETTEXT is carried across processes; GetWindowText would not ask the control.
    SendMessageA(box, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    std::printf("%s\n", text);
    return 0;
  }
  RemoteBlock block(list);
  if (!block.ok()) return Fail("cannot reach the program's memory");
  if (row < 0 || row >= SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) return Fail("no such row");
  if (command == "detail") {
    constexpr size_t kText = 256;
    LVITEMA item = {};
    item.iSubItem = 2;
    item.pszText = block.at(kText);
    item.cchTextMax = 260;
    block.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMTEXTA, row, block.lparam());
    char text[261] = {};
    block.Read(kText, text, 260);
    std::printf("%s\n", text);
    return 0;
  }
  RECT rect = {};
  rect.top = 2;
  rect.left = LVIR_BOUNDS;
  block.Write(0, &rect, sizeof rect);
  if (!SendMessageA(list, LVM_GETSUBITEMRECT, row, block.lparam())) {
    return Fail("no such row");
  }
  block.Read(0, &rect, sizeof rect);
  POINT centre = {rect.left + 30, (rect.top + rect.bottom) / 2};
  ClientToScreen(list, &centre);
  std::printf("%ld %ld\n", static_cast<long>(centre.x), static_cast<long>(centre.y));
  return 0;
}

}  // namespace probe
