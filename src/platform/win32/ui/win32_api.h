// The Win32 headers the user interface uses, in the order they need: the common controls,
// common dialogs and message crackers all build on <windows.h>.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>
#include <shellapi.h>
// clang-format on
