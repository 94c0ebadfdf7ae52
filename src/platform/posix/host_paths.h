// Host paths and what lies behind them: joining names, looking at a path, and Wine's rule for the
// read-only attribute.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::posix {

inline std::string Join(const std::string& folder, std::string_view name) {
  std::string out = folder;
  if (out.empty() || out.back() != '/') out += '/';
  out += name;
  return out;
}

inline bool StatPath(const std::string& path, struct stat& st) {
  return ::stat(path.c_str(), &st) == 0;
}

bool IsFolder(const std::string& path);

// Wine's rule for the read-only attribute: no one may write the file.
inline bool IsReadOnlyMode(mode_t mode) {
  return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The size of a regular file; -1 for anything else.
inline int64_t KnownSize(const struct stat& st) {
  return S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : -1;
}

// The absolute host folder with links followed as far as they exist, without a trailing slash.
std::string Canonical(const std::string& dir);

}  // namespace tarnwick::posix
