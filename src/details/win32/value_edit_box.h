// The edit box that opens over a value of the details pane: an edit control placed over the
// value column of one row. Escape and losing the focus close it with nothing applied; Enter, Up
// and Down hand the text to its owner first.
#pragma once

#include <functional>
#include <string>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

class ValueEditBox {
 public:
  // The box ended with a key that applies its text: Enter, Up or Down.
  // Returns true to keep the box open (the text was refused).
  using Ended = std::function<bool(const std::string& text, WORD key)>;

  ValueEditBox() = default;
  ~ValueEditBox() { Close(); }
  ValueEditBox(const ValueEditBox&) = delete;
  ValueEditBox& operator=(const ValueEditBox&) = delete;

  // Opens the box as a child of `list` at `bounds` (list coordinates) with `text`, the caret at
  // its end, and gives it the focus. Any box already open is closed first.
  bool Open(HWND list, const RECT& bounds, const std::string& text, Ended ended);
  // A balloon tip under the box with the form the field takes.
  void ShowTip(const std::string& text);
  // Closes the box without applying anything.
  void Close();
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR id, DWORD_PTR self);
  // Returns whether the key ended the box (which is then gone).
  bool OnKeyDown(WORD key);

  HWND window_ = nullptr;
  HWND list_ = nullptr;
  Ended ended_;
};

}  // namespace tarnwick::win32
