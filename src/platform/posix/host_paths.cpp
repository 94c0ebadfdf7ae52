#include "platform/posix/host_paths.h"

#include <filesystem>
#include <system_error>

namespace tarnwick::posix {

bool IsFolder(const std::string& path) {
  struct stat st;
  return StatPath(path, st) && S_ISDIR(st.st_mode);
}

std::string Canonical(const std::string& dir) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(dir, ec);
  if (ec) p = dir;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(p, ec);
  std::string out = (ec ? p.lexically_normal() : canonical).string();
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

}  // namespace tarnwick::posix
