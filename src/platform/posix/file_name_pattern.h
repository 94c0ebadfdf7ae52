// File name patterns as the Win32 directory search matches them.
#pragma once

#include <string_view>

namespace tarnwick::posix {

// Whether `name` matches `pattern`: `*` and `?` without regard to case, and "name.*" also finds a
// name without an extension ("*.*" finds everything).
bool MatchFileName(std::string_view pattern, std::string_view name);

}  // namespace tarnwick::posix
