// The window probe's commands, each printing what it read (see window_probe.cpp for the list).
// Each returns the exit code: 0 when read, 1 when not (with the reason on stderr).
#pragma once

#include <string>

#include "probe_windows.h"

namespace probe {

// wait-count, areas, children, where, selected, first-visible, marked.
int RunTree(const std::string& command, int argc, char** argv);
// tree-edges, shown, drop-highlight: the tree pane while a drag scrolls it.
int RunDrag(const std::string& command);
// The tree pane's root label and the status bar once a scan has settled.
int RunSettled(int seconds);
int RunStatus(int part);
// The tree's items as the status bar counts them (the root, the Areas, the Locations), or -1
// while a long operation's progress box is up.
int CountedItems(HWND main);
int RunEnabled();
// detail, detail-where, edit-box.
int RunDetail(const std::string& command, int row);
// box (button == nullptr) and button.
int RunBox(const char* caption, const char* button);
int RunCancelPrinting();
int RunMenuWhere(const char* exe, const char* title);
int RunMenuItemOffset(const char* exe, const char* title, const char* item);
int RunMenuOpen();
// The controls' sizes at the window's dpi: "NAME VALUE..." lines.
int RunMetrics();
// check-rows, check-where: the menu check's list.
int RunCheckList(const std::string& command, int row);

}  // namespace probe
