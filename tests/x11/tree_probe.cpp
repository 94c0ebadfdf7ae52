// Reads a running Tarnwick from outside, as a test that drives it with the real mouse needs: the
// tree pane's items, their places on the screen, the selection and marks, the status bar, and the
// buttons of a message box. The tree's memory belongs to the other process, so every item is read
// into a block allocated there (VirtualAllocEx) and copied back (ReadProcessMemory).
//
//   tree-probe sample FOLDER       writes the sample scenery set into FOLDER
//   tree-probe wait-count N        waits until the tree holds N items
//   tree-probe areas               the Areas' labels, one a line
//   tree-probe children LABEL      the labels of an Area's Locations, one a line
//   tree-probe where LABEL         "x y": the middle of the label on the screen (fails unless
//   shown) tree-probe selected | marked   the selected label ("<none>") | the marked labels
//   tree-probe first-visible       the label of the first item shown
//   tree-probe status PART         a status bar text
//   tree-probe box CAPTION         the text of a box with this caption (fails when none is shown)
//   tree-probe button CAPTION TEXT "x y": the middle of that box's button
//   tree-probe detail ROW          the value text of a row of the details pane
//   tree-probe detail-where ROW    "x y": the middle of that row's value on the screen
//   tree-probe edit-box            the text of the edit box open over a value (fails when none)
//   tree-probe generate FOLDER E F A L   writes a generated set (E entries of F files of A Areas
//                                  of L Locations) into FOLDER and prints its VIS path
//   tree-probe cancel-printing     waits for the "Cancel Printing" box: "x y" of its Cancel button
//   tree-probe enabled             whether the main window takes input ("yes" or "no")
//   tree-probe menu-where EXE TITLE        "x y": the middle of a title of the menu bar
//   tree-probe menu-item-offset EXE TITLE ITEM   "dx dy": the middle of a drop-down menu's item
//                                  from the drop-down's top left (shows a copy for a moment)
//   tree-probe menu-open           "x y": the top left of the drop-down menu open in the program
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/ui/win32_api.h"
#include "sample_set.h"
#include "scan_set_generator.h"

namespace {

constexpr int kTreeId = 1003;
constexpr int kStatusBarId = 1006;
constexpr int kDetailsId = 1004;
constexpr int kMarkedImageOffset = 3;

struct RemoteBlock {
  HANDLE process = nullptr;
  char* base = nullptr;
  static constexpr size_t kSize = 4096;

  explicit RemoteBlock(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
    if (process != nullptr) {
      base = static_cast<char*>(
          VirtualAllocEx(process, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
  }
  ~RemoteBlock() {
    if (base != nullptr) VirtualFreeEx(process, base, 0, MEM_RELEASE);
    if (process != nullptr) CloseHandle(process);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool ok() const { return base != nullptr; }
  bool Write(size_t offset, const void* data, size_t size) {
    return WriteProcessMemory(process, base + offset, data, size, nullptr) != 0;
  }
  bool Read(size_t offset, void* data, size_t size) {
    return ReadProcessMemory(process, base + offset, data, size, nullptr) != 0;
  }
};

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
  };
  Item Get(HTREEITEM handle) {
    constexpr size_t kText = 1024;
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM;
    item.hItem = handle;
    item.pszText = block_.base + kText;
    item.cchTextMax = 260;
    Item out;
    if (!block_.Write(0, &item, sizeof item) ||
        !SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block_.base))) {
      return out;
    }
    block_.Read(0, &item, sizeof item);
    char text[261] = {};
    block_.Read(kText, text, 260);
    out.label = text;
    out.image = item.iImage;
    out.data = item.lParam;
    return out;
  }

  bool LabelRect(HTREEITEM handle, RECT& rect) {
    std::memset(&rect, 0, sizeof rect);
    std::memcpy(&rect, &handle, sizeof handle);
    if (!block_.Write(0, &rect, sizeof rect) ||
        !SendMessageA(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(block_.base))) {
      return false;
    }
    return block_.Read(0, &rect, sizeof rect);
  }

  // Every item in tree order (the root, each Area, its Locations), with its depth.
  std::vector<std::pair<HTREEITEM, int>> All() const {
    std::vector<std::pair<HTREEITEM, int>> items;
    for (HTREEITEM r = Next(nullptr, TVGN_ROOT); r; r = Next(r, TVGN_NEXT)) {
      items.emplace_back(r, 0);
      for (HTREEITEM a = Next(r, TVGN_CHILD); a; a = Next(a, TVGN_NEXT)) {
        items.emplace_back(a, 1);
        for (HTREEITEM l = Next(a, TVGN_CHILD); l; l = Next(l, TVGN_NEXT)) items.emplace_back(l, 2);
      }
    }
    return items;
  }

  HTREEITEM Find(const std::string& label) {
    for (auto [item, depth] : All()) {
      if (Get(item).label == label) return item;
    }
    return nullptr;
  }

  HWND Window() const { return tree_; }

 private:
  HWND tree_;
  mutable RemoteBlock block_;
};

HWND MainWindow() {
  return FindWindowA("Tarnwick", nullptr);
}

int Fail(const char* what) {
  std::fprintf(stderr, "tree-probe: %s\n", what);
  return 1;
}

HWND FindBox(const char* caption) {
  DWORD program = 0;
  GetWindowThreadProcessId(MainWindow(), &program);
  struct Search {
    const char* caption;
    DWORD program;
    HWND found;
  } search = {caption, program, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        if (owner == s->program && IsWindowVisible(window) && std::strcmp(text, s->caption) == 0) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int RunTree(const std::string& command, int argc, char** argv) {
  HWND main = MainWindow();
  if (main == nullptr) return Fail("no Tarnwick window");
  HWND control = GetDlgItem(main, kTreeId);
  if (control == nullptr) return Fail("no tree pane");
  RemoteTree tree(control);
  if (!tree.ok()) return Fail("cannot reach the program's memory");

  if (command == "areas") {
    for (auto [item, depth] : tree.All()) {
      if (depth == 1) std::printf("%s\n", tree.Get(item).label.c_str());
    }
    return 0;
  }
  if (command == "children" && argc > 2) {
    HTREEITEM area = tree.Find(argv[2]);
    if (area == nullptr) return Fail("no such node");
    for (HTREEITEM l = tree.Next(area, TVGN_CHILD); l; l = tree.Next(l, TVGN_NEXT)) {
      std::printf("%s\n", tree.Get(l).label.c_str());
    }
    return 0;
  }
  if (command == "where" && argc > 2) {
    HTREEITEM item = tree.Find(argv[2]);
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
    for (auto [item, depth] : tree.All()) {
      RemoteTree::Item read = tree.Get(item);
      int kind = static_cast<int>((static_cast<unsigned long long>(read.data) >> 16) & 0xFFFF);
      if (read.image == kind + kMarkedImageOffset) std::printf("%s\n", read.label.c_str());
    }
    return 0;
  }
  if (command == "wait-count" && argc > 2) {
    LRESULT wanted = std::atol(argv[2]);
    for (int tries = 0; tries < 600; ++tries) {
      if (SendMessageA(control, TVM_GETCOUNT, 0, 0) >= wanted) return 0;
      Sleep(100);
      control = GetDlgItem(main, kTreeId);
    }
    return Fail("the tree did not fill");
  }
  return Fail("unknown command");
}

int RunStatus(int part) {
  HWND bar = GetDlgItem(MainWindow(), kStatusBarId);
  if (bar == nullptr) return Fail("no status bar");
  RemoteBlock block(bar);
  if (!block.ok()) return Fail("cannot reach the program's memory");
  SendMessageA(bar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(block.base));
  char text[256] = {};
  block.Read(0, text, sizeof text - 1);
  std::printf("%s\n", text);
  return 0;
}

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
    item.pszText = block.base + kText;
    item.cchTextMax = 260;
    block.Write(0, &item, sizeof item);
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(block.base));
    char text[261] = {};
    block.Read(kText, text, 260);
    std::printf("%s\n", text);
    return 0;
  }
  RECT rect = {};
  rect.top = 2;
  rect.left = LVIR_BOUNDS;
  block.Write(0, &rect, sizeof rect);
  if (!SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(block.base))) {
    return Fail("no such row");
  }
  block.Read(0, &rect, sizeof rect);
  POINT centre = {rect.left + 30, (rect.top + rect.bottom) / 2};
  ClientToScreen(list, &centre);
  std::printf("%ld %ld\n", static_cast<long>(centre.x), static_cast<long>(centre.y));
  return 0;
}

// The program's cancel box while it prints: a top-level window whose text is "Cancel Printing".
HWND FindCancelPrinting() {
  DWORD program = 0;
  GetWindowThreadProcessId(MainWindow(), &program);
  struct Search {
    DWORD program;
    HWND found;
  } search = {program, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char text[64] = {};
        HWND first = GetWindow(window, GW_CHILD);
        if (first != nullptr) GetWindowTextA(first, text, sizeof text);
        if (owner == s->program && IsWindowVisible(window) &&
            std::strcmp(text, "Cancel Printing") == 0) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int RunCancelPrinting() {
  HWND box = nullptr;
  for (int tries = 0; tries < 20000 && box == nullptr; ++tries) {
    box = FindCancelPrinting();
    if (box == nullptr) Sleep(1);
  }
  if (box == nullptr) return Fail("no Cancel Printing box");
  RECT rect = {};
  GetWindowRect(GetDlgItem(box, IDCANCEL), &rect);
  std::printf("%ld %ld\n", static_cast<long>((rect.left + rect.right) / 2),
              static_cast<long>((rect.top + rect.bottom) / 2));
  return 0;
}

int RunBox(const char* caption, const char* button) {
  HWND box = nullptr;
  for (int tries = 0; tries < 50 && box == nullptr; ++tries) {
    box = FindBox(caption);
    if (box == nullptr) Sleep(100);
  }
  if (box == nullptr) return Fail("no such box");
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char text[512] = {};
    char kind[64] = {};
    GetWindowTextA(child, text, sizeof text);
    GetClassNameA(child, kind, sizeof kind);
    if (button == nullptr) {
      if (_stricmp(kind, "Static") == 0 && text[0] != '\0') std::printf("%s\n", text);
      continue;
    }
    std::string label;
    for (const char* p = text; *p; ++p) {
      if (*p != '&') label += *p;
    }
    if (_stricmp(kind, "Button") == 0 && label == button) {
      RECT rect = {};
      GetWindowRect(child, &rect);
      std::printf("%ld %ld\n", static_cast<long>((rect.left + rect.right) / 2),
                  static_cast<long>((rect.top + rect.bottom) / 2));
      return 0;
    }
  }
  return button == nullptr ? 0 : Fail("no such button");
}

// A menu item's text as shown, without its '&' marks and its key after a tab.
std::string MenuText(HMENU menu, int index) {
  char text[256] = {};
  GetMenuStringA(menu, index, text, sizeof text, MF_BYPOSITION);
  std::string shown;
  for (const char* p = text; *p != '\0' && *p != '\t'; ++p) {
    if (*p != '&') shown += *p;
  }
  return shown;
}

int MenuIndex(HMENU menu, const char* text) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (MenuText(menu, i) == text) return i;
  }
  return -1;
}

// The program's menus belong to its process, where no other process can measure them. The probe
// lays out its own copy, loaded from the program's file, with the same fonts: a title's place
// relative to a window of the same size, an item's relative to its drop-down window.
struct MenuMeasure {
  HMENU popup = nullptr;
  int index = -1;
  RECT item = {};
};

MenuMeasure* g_measure = nullptr;

void CALLBACK OnMenuShown(HWND, UINT, UINT_PTR, DWORD) {
  if (g_measure != nullptr &&
      GetMenuItemRect(nullptr, g_measure->popup, g_measure->index, &g_measure->item)) {
    EndMenu();
  }
}

// Lays out the probe's copy of the program's menu bar in a hidden window of the program window's
// size and place. Nothing when the copy cannot be made.
struct MenuCopy {
  HWND window = nullptr;
  HMENU bar = nullptr;
  ~MenuCopy() {
    if (window != nullptr) DestroyWindow(window);  // and the menu with it
  }
};

bool CopyMenu(const char* exe, MenuCopy& copy) {
  HMODULE file = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HMENU bar = file != nullptr ? LoadMenuA(file, "Tarnwick") : nullptr;
  if (bar == nullptr) return false;
  RECT target = {};
  GetWindowRect(MainWindow(), &target);
  WNDCLASSA own_class = {};
  own_class.lpfnWndProc = DefWindowProcA;
  own_class.hInstance = GetModuleHandleA(nullptr);
  own_class.lpszClassName = "TarnwickMenuProbe";
  RegisterClassA(&own_class);
  copy.window = CreateWindowExA(0, own_class.lpszClassName, "", WS_OVERLAPPEDWINDOW, target.left,
                                target.top, target.right - target.left, target.bottom - target.top,
                                nullptr, bar, own_class.hInstance, nullptr);
  copy.bar = copy.window != nullptr ? bar : nullptr;
  return copy.window != nullptr;
}

// "x y" of a title of the program's menu bar on the screen.
int RunMenuWhere(const char* exe, const char* title) {
  if (MainWindow() == nullptr) return Fail("no Tarnwick window");
  MenuCopy copy;
  if (!CopyMenu(exe, copy)) return Fail("cannot copy the program's menu");
  int index = MenuIndex(copy.bar, title);
  RECT rect = {};
  if (index < 0 || !GetMenuItemRect(copy.window, copy.bar, index, &rect)) {
    return Fail("no such menu title");
  }
  RECT target = {}, own = {};
  GetWindowRect(MainWindow(), &target);
  GetWindowRect(copy.window, &own);
  std::printf("%ld %ld\n", static_cast<long>(target.left - own.left + (rect.left + rect.right) / 2),
              static_cast<long>(target.top - own.top + (rect.top + rect.bottom) / 2));
  return 0;
}

// "dx dy" of the middle of an item from the top left of its drop-down menu. Measured by showing
// the probe's copy of the drop-down for a moment: take it before the program's own state matters.
int RunMenuItemOffset(const char* exe, const char* title, const char* item) {
  if (MainWindow() == nullptr) return Fail("no Tarnwick window");
  MenuCopy copy;
  if (!CopyMenu(exe, copy)) return Fail("cannot copy the program's menu");
  int title_index = MenuIndex(copy.bar, title);
  if (title_index < 0) return Fail("no such menu title");
  MenuMeasure measure;
  measure.popup = GetSubMenu(copy.bar, title_index);
  measure.index = MenuIndex(measure.popup, item);
  if (measure.index < 0) return Fail("no such menu item");
  // Items have their places only while shown: measured from a timer inside the menu's loop.
  g_measure = &measure;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, OnMenuShown);
  TrackPopupMenu(measure.popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 0, 0, 0, copy.window,
                 nullptr);
  KillTimer(nullptr, timer);
  g_measure = nullptr;
  if (measure.item.right <= measure.item.left) return Fail("cannot measure the item");
  std::printf("%ld %ld\n", static_cast<long>((measure.item.left + measure.item.right) / 2),
              static_cast<long>((measure.item.top + measure.item.bottom) / 2));
  return 0;
}

// "x y": the top left of the program's drop-down menu open on the screen.
int RunMenuOpen() {
  DWORD program = 0;
  GetWindowThreadProcessId(MainWindow(), &program);
  for (int tries = 0; tries < 30; ++tries) {
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w != nullptr;
         w = FindWindowExA(nullptr, w, "#32768", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      RECT rect = {};
      if (owner == program && IsWindowVisible(w) && GetWindowRect(w, &rect)) {
        std::printf("%ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top));
        return 0;
      }
    }
    Sleep(100);
  }
  return Fail("no drop-down menu open");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail("usage: tree-probe COMMAND [ARGS]");
  std::string command = argv[1];
  if (command == "sample" && argc > 2) {
    std::unique_ptr<tarnwick::FileSystem> fs = tarnwick::MakeNativeFileSystem(tarnwick::DriveMap{});
    std::string error;
    if (!tarnwick::sample::WriteSampleSet(*fs, argv[2], argv[2], error)) return Fail(error.c_str());
    std::printf("%s\\Scenery\\World.vis\n", argv[2]);
    return 0;
  }
  if (command == "generate" && argc > 6) {
    const auto set =
        tarnwick::bench::GenerateSet(argv[2], tarnwick::bench::ShapeFromWords(argv + 3));
    std::printf("%s\n", set.vis_file.string().c_str());
    return 0;
  }
  if (command == "cancel-printing") return RunCancelPrinting();
  if (command == "enabled") {
    std::printf("%s\n", IsWindowEnabled(MainWindow()) ? "yes" : "no");
    return 0;
  }
  if (command == "status" && argc > 2) return RunStatus(std::atoi(argv[2]));
  if (command == "menu-where" && argc > 3) return RunMenuWhere(argv[2], argv[3]);
  if (command == "menu-item-offset" && argc > 4) {
    return RunMenuItemOffset(argv[2], argv[3], argv[4]);
  }
  if (command == "menu-open") return RunMenuOpen();
  if (command == "box" && argc > 2) return RunBox(argv[2], nullptr);
  if (command == "button" && argc > 3) return RunBox(argv[2], argv[3]);
  if (command == "edit-box") return RunDetail(command, 0);
  if ((command == "detail" || command == "detail-where") && argc > 2) {
    return RunDetail(command, std::atoi(argv[2]));
  }
  if (command == "wait-count") {
    // The first start in a prefix takes a while.
    for (int tries = 0; tries < 1200 && GetDlgItem(MainWindow(), kTreeId) == nullptr; ++tries) {
      Sleep(100);
    }
  }
  return RunTree(command, argc, argv);
}
