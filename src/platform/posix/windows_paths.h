// Windows paths as the POSIX file system takes them apart: either slash separates, the drive is
// a letter and a colon, and names compare without regard to ASCII case.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick::posix {

inline bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

inline char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool HasDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The name of the last component and the rest (with its drive), split at the last separator.
inline std::pair<std::string_view, std::string_view> SplitLast(std::string_view path) {
  size_t cut = path.find_last_of("\\/");
  if (cut == std::string_view::npos) {
    size_t start = HasDrive(path) ? 2 : 0;
    return {path.substr(0, start), path.substr(start)};
  }
  return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

// The components of a path without its drive, "." and empty ones left out.
std::vector<std::string_view> SplitParts(std::string_view path);

}  // namespace tarnwick::posix
