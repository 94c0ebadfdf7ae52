// The main window's private messages: what a pane posts to have the window act once the current
// message is handled.
#pragma once

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

constexpr UINT kRelayoutMessage = WM_USER + 1;        // 1025
constexpr UINT kDragScrollMessage = WM_USER + 2;      // 1026
constexpr UINT kDetailsRefreshMessage = WM_USER + 3;  // 1027
constexpr UINT kCloseMessage = WM_USER + 4;           // 1028
constexpr UINT kVisCommitMessage = WM_USER + 5;       // 1029

}  // namespace tarnwick::win32
