// A temporary folder for one test, removed with everything in it when the object goes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes a file below the folder (creating its folders) and returns its host path.
  std::filesystem::path Write(std::string_view relative, const std::vector<uint8_t>& bytes) const;
  std::filesystem::path Write(std::string_view relative, std::string_view text) const;
  std::vector<uint8_t> Read(std::string_view relative) const;

 private:
  std::filesystem::path path_;
};

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);

}  // namespace tarnwick::testing
