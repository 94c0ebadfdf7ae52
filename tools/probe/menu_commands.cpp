// The program's menus measured from outside: a title's place on the menu bar, an item's place in
// its drop-down, and where the drop-down open in the program stands.
#include <cstdio>
#include <string>

#include "probe_commands.h"
#include "probe_windows.h"

namespace probe {
namespace {

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

// A timer of the copy's window, which carries the measure in its user data.
void CALLBACK OnMenuShown(HWND window, UINT, UINT_PTR, DWORD) {
  auto* measure = reinterpret_cast<MenuMeasure*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (measure != nullptr &&
      GetMenuItemRect(nullptr, measure->popup, measure->index, &measure->item)) {
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

}  // namespace

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
  SetWindowLongPtrA(copy.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&measure));
  constexpr UINT_PTR kMeasureTimer = 1;
  SetTimer(copy.window, kMeasureTimer, 50, OnMenuShown);
  TrackPopupMenu(measure.popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 0, 0, 0, copy.window,
                 nullptr);
  KillTimer(copy.window, kMeasureTimer);
  SetWindowLongPtrA(copy.window, GWLP_USERDATA, 0);
  if (measure.item.right <= measure.item.left) return Fail("cannot measure the item");
  PrintMiddle(measure.item);
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

}  // namespace probe
