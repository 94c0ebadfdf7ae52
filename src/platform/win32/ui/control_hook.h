// A control's messages offered to the pane that owns it before the control's own procedure:
// the window procedure replaced, the hook found through GWLP_USERDATA. The common controls'
// subclass chain (SetWindowSubclass) keeps its data in window properties, which Wine fetches from
// its server on every message: a hundred times the cost of the message itself, paid by every
// item a scan adds to the tree.
#pragma once

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class ControlHook {
 public:
  // The owner's handling of a message; it ends with Default for whatever it leaves to the control.
  using Procedure = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM, void* owner);

  ControlHook() = default;
  ~ControlHook() { Detach(); }
  ControlHook(const ControlHook&) = delete;
  ControlHook& operator=(const ControlHook&) = delete;

  void Attach(HWND control, Procedure procedure, void* owner);
  // Gives the control its own procedure back (done by itself when the control is destroyed).
  void Detach();
  // The control's own handling of a message.
  LRESULT Default(HWND control, UINT message, WPARAM wparam, LPARAM lparam) const;

 private:
  static LRESULT CALLBACK Route(HWND control, UINT message, WPARAM wparam, LPARAM lparam);

  HWND control_ = nullptr;
  WNDPROC original_ = nullptr;
  Procedure procedure_ = nullptr;
  void* owner_ = nullptr;
};

}  // namespace tarnwick::win32
