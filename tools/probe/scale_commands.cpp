// The window's sizes read from outside at the screen's dpi: whether each control holds its text
// and whether the program's own figures follow the dpi.
#include <cstdio>
#include <string>

#include "probe_commands.h"
#include "probe_windows.h"

namespace probe {
namespace {

constexpr int kVisId = 1005;
constexpr int kToolBarId = 1007;

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiCall = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <typename Call>
Call User32Call(const char* name) {
  return reinterpret_cast<Call>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

int Dpi(HWND window) {
  auto for_window = User32Call<GetDpiForWindowCall>("GetDpiForWindow");
  int dpi = for_window != nullptr ? static_cast<int>(for_window(window)) : 0;
  return dpi > 0 ? dpi : ScreenDpi();
}

int FontHeight(const LOGFONTW& font) {
  HFONT made = CreateFontIndirectW(&font);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, made);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(made);
  return metrics.tmHeight;
}

// The height of the system's message font at `dpi`: what a control's text needs.
int MessageFontHeight(int dpi) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  auto for_dpi = User32Call<SystemParametersInfoForDpiCall>("SystemParametersInfoForDpi");
  if (for_dpi == nullptr ||
      !for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi());
  }
  return FontHeight(metrics.lfMessageFont);
}

int Height(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

// Each column of a list: "width" and, for a heading, whether it holds its text: the text's width
// in the list's font plus the header's margins (three edges each side).
void PrintColumns(const char* name, HWND list, int dpi) {
  RemoteBlock block(list);
  HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  std::printf("%s-columns", name);
  std::string cut;
  for (int column = 0; column < count && block.ok(); ++column) {
    int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
    std::printf(" %d", width);
    constexpr size_t kText = 512;
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = block.at(kText);
    item.cchTextMax = 256;
    block.Write(0, &item, sizeof item);
    if (!SendMessageA(header, HDM_GETITEMA, column, block.lparam())) continue;
    std::string text = block.ReadText(kText, 256);
    if (text.empty()) continue;
    int text_width =
        static_cast<int>(SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, block.lparam(kText)));
    int needed = text_width + 6 * MulDiv(GetSystemMetrics(SM_CXEDGE), dpi, ScreenDpi());
    if (width < needed) {
      cut += " \"" + text + "\" " + std::to_string(width) + "<" + std::to_string(needed);
    }
  }
  std::printf("\n%s-cut%s\n", name, cut.empty() ? " none" : cut.c_str());
}

}  // namespace

int RunMetrics() {
  HWND main = MainWindow();
  if (main == nullptr) return Fail("no Tarnwick window");
  int dpi = Dpi(main);
  std::printf("dpi %d\n", dpi);
  std::printf("font %d\n", MessageFontHeight(dpi));
  if (HWND tree = GetDlgItem(main, kTreeId)) {
    std::printf("tree-item %d\n", static_cast<int>(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0)));
  }
  if (HWND bar = GetDlgItem(main, kToolBarId)) {
    DWORD size = static_cast<DWORD>(SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0));
    std::printf("tool-button %d %d\n", LOWORD(size), HIWORD(size));
    std::printf("tool-bar %d\n", Height(bar));
  }
  if (HWND bar = GetDlgItem(main, kStatusBarId)) std::printf("status-bar %d\n", Height(bar));
  if (HWND list = GetDlgItem(main, kDetailsId)) {
    RemoteBlock block(list);
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    block.Write(0, &rect, sizeof rect);
    if (block.ok() && SendMessageA(list, LVM_GETITEMRECT, 0, block.lparam())) {
      block.Read(0, &rect, sizeof rect);
      std::printf("details-row %ld\n", static_cast<long>(rect.bottom - rect.top));
    }
    PrintColumns("details", list, dpi);
  }
  if (HWND list = GetDlgItem(main, kVisId)) PrintColumns("vis", list, dpi);
  RECT outer = {};
  GetWindowRect(main, &outer);
  std::printf("window %ld %ld\n", static_cast<long>(outer.right - outer.left),
              static_cast<long>(outer.bottom - outer.top));
  RECT client = {};
  GetClientRect(main, &client);
  std::printf("client %ld %ld\n", static_cast<long>(client.right),
              static_cast<long>(client.bottom));
  if (HWND tree = GetDlgItem(main, kTreeId)) {
    RECT rect = {};
    GetWindowRect(tree, &rect);
    std::printf("tree-width %ld\n", static_cast<long>(rect.right - rect.left));
  }
  return 0;
}

}  // namespace probe
