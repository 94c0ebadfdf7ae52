#include "platform/posix/file_name_pattern.h"

#include "platform/posix/windows_paths.h"

namespace tarnwick::posix {
namespace {

bool MatchPattern(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Upper(pattern[p]) == Upper(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchFileName(std::string_view pattern, std::string_view name) {
  if (MatchPattern(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos) {
    return MatchPattern(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

}  // namespace tarnwick::posix
