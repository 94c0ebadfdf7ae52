// What the program takes from how it was started: the help file beside the program, and a VIS
// file named on the command line (as a double click on a .vis file names it).
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// At most this much of the program's own path is used.
constexpr size_t kModulePathLength = 244;

// The program's folder, with its backslash, followed by "guide.html" (the guide); just "guide.html"
// for a path without a backslash.
std::string HelpFilePath(std::string_view module_path);

// The file named on the command line: the text without the blanks around it and without the
// quotes around a name with blanks in it; empty when none is named.
std::string VisFileArgument(std::string_view command_line);

}  // namespace tarnwick
