#include "details/win32/value_edit_box.h"

#include <array>

namespace tarnwick::win32 {

namespace {

constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
constexpr UINT_PTR kSubclassId = 1;
// Values and descriptions are kept to 259 characters.
constexpr int kTextLimit = 259;

}  // namespace

bool ValueEditBox::Open(HWND list, const RECT& bounds, const std::string& text, Ended ended) {
  Close();
  HWND box = CreateWindowExA(
      0, "EDIT", "", kEditStyle, bounds.left, bounds.top, bounds.right - bounds.left,
      bounds.bottom - bounds.top, list, reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(list, GWLP_HINSTANCE)), nullptr);
  if (box == nullptr) return false;
  window_ = box;
  list_ = list;
  ended_ = std::move(ended);
  SetWindowSubclass(box, SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  // The list's own font, made for the window's dpi.
  auto font = reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(box, EM_LIMITTEXT, kTextLimit, 0);
  SetWindowTextA(box, text.c_str());
  int end = GetWindowTextLengthA(box);
  SendMessageA(box, EM_SETSEL, end, end);
  SetFocus(box);
  return true;
}

void ValueEditBox::ShowTip(const std::string& text) {
  if (window_ == nullptr) return;
  // The balloon takes wide strings; the texts are plain ASCII.
  std::wstring tip(text.begin(), text.end());
  EDITBALLOONTIP balloon = {};
  balloon.cbStruct = sizeof balloon;
  balloon.pszTitle = L"Not a value this field can hold";
  balloon.pszText = tip.c_str();
  balloon.ttiIcon = TTI_WARNING;
  SendMessageA(window_, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&balloon));
}

void ValueEditBox::Close() {
  // The reference goes first: the loss of focus while the window goes must not close it again.
  HWND box = window_;
  window_ = nullptr;
  if (box == nullptr) return;
  // The keyboard stays in the pane rather than going nowhere with the box.
  if (GetFocus() == box && list_ != nullptr && IsWindow(list_)) SetFocus(list_);
  RemoveWindowSubclass(box, SubclassProcedure, kSubclassId);
  DestroyWindow(box);
}

bool ValueEditBox::OnKeyDown(WORD key) {
  switch (key) {
    case VK_ESCAPE:
      Close();
      return true;
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN: {
      std::array<char, kTextLimit + 1> text = {};
      GetWindowTextA(window_, text.data(), static_cast<int>(text.size()));
      // The owner applies the text and asks for the refill; the box goes before the rows change.
      Ended ended = ended_;
      if (ended(text.data(), key) && window_ != nullptr) {
        // Refused: the text stays, selected, for the user to type over.
        SendMessageA(window_, EM_SETSEL, 0, -1);
        return true;
      }
      Close();
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK ValueEditBox::SubclassProcedure(HWND window, UINT message, WPARAM wparam,
                                                 LPARAM lparam, UINT_PTR id, DWORD_PTR self) {
  auto* box = reinterpret_cast<ValueEditBox*>(self);
  switch (message) {
    case WM_KEYDOWN:
      if (box->window_ == window && box->OnKeyDown(static_cast<WORD>(wparam))) return 0;
      break;
    case WM_CHAR:
      // Enter and Escape have done their work; the control would only beep at them.
      if (wparam == VK_RETURN || wparam == VK_ESCAPE) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DefSubclassProc(window, message, wparam, lparam);
    case WM_KILLFOCUS:
      if (box->window_ == window) {
        LRESULT result = DefSubclassProc(window, message, wparam, lparam);
        box->Close();
        return result;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, SubclassProcedure, id);
      if (box->window_ == window) box->window_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace tarnwick::win32
