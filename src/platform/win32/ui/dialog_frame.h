// The look every dialog of the program shares: a button-face brush of its own, the etched frame
// painted on control 1002, statics coloured to match, and placement centred over the main window.
#pragma once

#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class DialogFrame {
 public:
  // WM_INITDIALOG: makes the brush and centres the dialog over `main_window`.
  void Begin(HWND dialog, HWND main_window);
  // The frame's part of a dialog message (frame drawing, colour change, static colours, paint).
  // True when handled, with the dialog procedure's result in `result`.
  bool Handle(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result);
  // Frees the brush; the dialog is ending.
  void End() { brush_.Reset(); }

 private:
  GdiObject<HBRUSH> brush_;
};

// Moves `dialog` to the middle of `main_window`, keeping its size.
void CentreOverMainWindow(HWND dialog, HWND main_window);

// The object behind a dialog, kept in its GWLP_USERDATA from WM_INITDIALOG (whose parameter it
// is) until WM_NCDESTROY; every dialog class has one such trampoline.
template <typename Dialog>
INT_PTR CALLBACK DialogTrampoline(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lparam);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
  }
  if (self == nullptr) return FALSE;
  INT_PTR result = self->HandleMessage(dialog, message, wparam, lparam);
  if (message == WM_NCDESTROY) SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
  return result;
}

}  // namespace tarnwick::win32
