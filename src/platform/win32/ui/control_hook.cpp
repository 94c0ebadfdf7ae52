#include "platform/win32/ui/control_hook.h"

namespace tarnwick::win32 {

void ControlHook::Attach(HWND control, Procedure procedure, void* owner) {
  Detach();
  if (control == nullptr) return;
  control_ = control;
  procedure_ = procedure;
  owner_ = owner;
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Route)));
}

void ControlHook::Detach() {
  if (control_ == nullptr) return;
  if (IsWindow(control_)) {
    SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    SetWindowLongPtrW(control_, GWLP_USERDATA, 0);
  }
  control_ = nullptr;
}

LRESULT ControlHook::Default(HWND control, UINT message, WPARAM wparam, LPARAM lparam) const {
  return CallWindowProcW(original_, control, message, wparam, lparam);
}

LRESULT CALLBACK ControlHook::Route(HWND control, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* hook = reinterpret_cast<ControlHook*>(GetWindowLongPtrW(control, GWLP_USERDATA));
  if (hook == nullptr) return DefWindowProcW(control, message, wparam, lparam);
  LRESULT result = hook->procedure_(control, message, wparam, lparam, hook->owner_);
  // The control is gone: nothing is left to give back.
  if (message == WM_NCDESTROY) hook->control_ = nullptr;
  return result;
}

}  // namespace tarnwick::win32
