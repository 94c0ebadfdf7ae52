// The few list-view calls the report panes share: a cell's text, setting it, selecting a row.
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

// The text of a cell, up to 259 characters.
inline std::string ListItemText(HWND list, int row, int column) {
  char text[260] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

inline void SetListItemText(HWND list, int row, int column, std::string_view text) {
  std::string value(text.substr(0, 259));
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = value.data();
  SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

// Selects and focuses the row (a single-selection list drops the one selected before).
inline void SelectListRow(HWND list, int row) {
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

}  // namespace tarnwick::win32
