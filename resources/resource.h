// The program's fixed resource numbers: commands, child windows, dialog controls, bitmaps.
// Plain defines, because the resource compiler reads this file too.
#pragma once

#define IDI_TARNWICK_NAME "Tarnwick"

// Commands (menus, context menus, toolbar, keys).
#define IDM_OPEN 101
#define IDM_SAVE 102
#define IDM_CLOSE_SET 103
#define IDM_PRINT 104
#define IDM_EXIT_WITHOUT_SAVING 105
#define IDM_EXIT_AFTER_SAVING 106
#define IDM_NEW_AREA 107
#define IDM_NEW_LOCATION 108
#define IDM_MENUS_ON 109
#define IDM_MENUS_OFF 110
#define IDM_RESTORE 111
#define IDM_EXPORT_MENU 112
#define IDM_IMPORT_MENU 113
#define IDM_RENAME_AREA 121
#define IDM_RENAME_LOCATION 122
#define IDM_DELETE_AREA 123
#define IDM_DELETE_LOCATION 124
#define IDM_SORT_AREAS 125
#define IDM_SORT_LOCATIONS 126
#define IDM_EDIT_DETAILS 127
#define IDM_EDIT_DETAILS_ROW 128
#define IDM_CHANGE_VIS 129
#define IDM_FIND 130
#define IDM_FIND_NEXT 131
#define IDM_UNDO 132
#define IDM_CHECK_MENU 135
#define IDM_REDO 133
#define IDM_MOVE_UP 136
#define IDM_MOVE_DOWN 137
#define IDM_CUT 138
#define IDM_PASTE 139
#define IDM_MERGE_INTO 140
#define IDM_EXPAND_ALL 141
#define IDM_COLLAPSE_ALL 142
#define IDM_AUTO_EXPAND 143
#define IDM_SHOW_ALL_FIELDS 144
#define IDM_TOOL_BAR 161
#define IDM_STATUS_BAR 162
#define IDM_CONFIRMATIONS 163
#define IDM_FRACTIONAL_MINUTES 164
#define IDM_MINUTES_SECONDS 165
#define IDM_LOGGING 166
#define IDM_HELP_INDEX 181
#define IDM_HELP_FINDER 182
#define IDM_HELP_ON_HELP 183
#define IDM_ABOUT 184
#define IDM_TOGGLE_VIS 301
#define IDM_UPDATE_VIS 302
#define IDM_RENAME_ENTRY 303
#define IDM_DELETE_ENTRY 304

// Child windows of the main window.
#define IDC_TREE_PANE 1003
#define IDC_DETAILS_PANE 1004
#define IDC_VIS_PANE 1005
#define IDC_STATUS_BAR 1006
#define IDC_TOOL_BAR 1007

// Dialogs and their controls.
#define IDD_PROGRESS 1001
#define IDC_FRAME 1002
#define IDC_PROGRESS_CANCEL 201
#define IDC_PROGRESS_MESSAGE 202
#define IDC_PROGRESS_STEP 203
#define IDC_PROGRESS_FILE 204
#define IDC_PROGRESS_TOTALS 205
#define IDC_SEARCH_TEXT 1008
#define IDC_SEARCH_WRAP 1009
#define IDC_SEARCH_START_AT_SEL 1010
#define IDC_SEARCH_PARTIAL 1011
#define IDC_CHECK_LIST 1012
#define IDC_CHECK_SUMMARY 1013
#define IDC_CHECK_MARK_ALL 1014
#define IDC_ABOUT_VERSION 1015
#define IDC_MERGE_LIST 1016

// Bitmaps.
#define IDB_ROOT 2001
#define IDB_AREA 2002
#define IDB_LOCATION 2003
#define IDB_ROOT_MARKED 2004
#define IDB_AREA_MARKED 2005
#define IDB_LOCATION_MARKED 2006
#define IDB_VIS_OFF 2007
#define IDB_VIS_ON 2008
#define IDB_TOOL_BAR 2009
// Each picture again at 24 pixels (number + IDB_SIZE_STEP) and at 32 (+ 2 * IDB_SIZE_STEP).
#define IDB_SIZE_STEP 100
