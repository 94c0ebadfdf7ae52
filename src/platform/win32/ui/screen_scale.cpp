#include "platform/win32/ui/screen_scale.h"

namespace tarnwick::win32 {

namespace {

// Windows 10's per-monitor calls, looked up at run time so that the program still starts on
// Windows 7, which has neither.
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiCall = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

template <typename Call>
Call User32Call(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

int ScreenDpi() {
  WindowDC dc(nullptr);
  int dpi = dc.Get() != nullptr ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kBaseDpi;
}

// The message font as the system gives it for `dpi`; the system dpi's when the call is missing,
// scaled to `dpi`.
bool MessageFontFor(int dpi, LOGFONTW& font) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  static const auto for_dpi =
      User32Call<SystemParametersInfoForDpiCall>("SystemParametersInfoForDpi");
  if (for_dpi != nullptr &&
      for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    font = metrics.lfMessageFont;
    return true;
  }
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
  font = metrics.lfMessageFont;
  font.lfHeight = Rescale(font.lfHeight, ScreenDpi(), dpi);
  return true;
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto for_window = User32Call<GetDpiForWindowCall>("GetDpiForWindow");
  if (for_window != nullptr && window != nullptr) {
    int dpi = static_cast<int>(for_window(window));
    if (dpi > 0) return dpi;
  }
  return ScreenDpi();
}

void ScreenScale::Make(int dpi) {
  dpi_ = dpi > 0 ? dpi : kBaseDpi;
  LOGFONTW message = {};
  message_font_.Reset(MessageFontFor(dpi_, message) ? CreateFontIndirectW(&message) : nullptr);
  // The stock fixed font is made for the screen's dpi: the same face, sized for this one.
  LOGFONTW fixed = {};
  if (GetObjectW(GetStockObject(SYSTEM_FIXED_FONT), sizeof fixed, &fixed) == sizeof fixed) {
    const int screen = ScreenDpi();
    fixed.lfHeight = Rescale(fixed.lfHeight, screen, dpi_);
    fixed.lfWidth = Rescale(fixed.lfWidth, screen, dpi_);
    fixed_font_.Reset(dpi_ == screen ? nullptr : CreateFontIndirectW(&fixed));
  } else {
    fixed_font_.Reset();
  }
}

HFONT ScreenScale::MessageFont() const {
  return message_font_ ? message_font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT ScreenScale::FixedFont() const {
  return fixed_font_ ? fixed_font_.Get() : static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
}

void SetControlFont(HWND control, HFONT font, bool redraw) {
  if (control != nullptr && font != nullptr) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
  }
}

}  // namespace tarnwick::win32
