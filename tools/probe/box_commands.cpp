// The program's boxes read from outside: a message box's text and buttons, and the cancel box
// shown while it prints.
#include <cstdio>
#include <cstring>
#include <string>

#include "probe_commands.h"
#include "probe_windows.h"

namespace probe {
namespace {

HWND FindBox(const char* caption) {
  return FindProgramWindow([caption](HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return std::strcmp(text, caption) == 0;
  });
}

// The program's cancel box while it prints: a top-level window whose text is "Cancel Printing".
HWND FindCancelPrinting() {
  return FindProgramWindow([](HWND window) {
    char text[64] = {};
    HWND first = GetWindow(window, GW_CHILD);
    if (first != nullptr) GetWindowTextA(first, text, sizeof text);
    return std::strcmp(text, "Cancel Printing") == 0;
  });
}

}  // namespace

int RunCancelPrinting() {
  HWND box = nullptr;
  for (int tries = 0; tries < 20000 && box == nullptr; ++tries) {
    box = FindCancelPrinting();
    if (box == nullptr) Sleep(1);
  }
  if (box == nullptr) return Fail("no Cancel Printing box");
  RECT rect = {};
  GetWindowRect(GetDlgItem(box, IDCANCEL), &rect);
  PrintMiddle(rect);
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
      PrintMiddle(rect);
      return 0;
    }
  }
  return button == nullptr ? 0 : Fail("no such button");
}

}  // namespace probe
