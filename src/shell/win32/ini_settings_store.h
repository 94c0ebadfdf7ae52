// The settings file through the private-profile functions: one section of one INI file. The
// bare file name makes the system look in the Windows folder; tests give a full path instead.
#pragma once

#include <string>

#include "shell/settings.h"

namespace tarnwick::win32 {

class IniSettingsStore : public SettingsStore {
 public:
  explicit IniSettingsStore(std::string file = std::string(kSettingsFileName))
      : file_(std::move(file)) {}

  std::string Get(std::string_view key, size_t max_length) override;
  void Set(std::string_view key, std::string_view value) override;

  const std::string& File() const { return file_; }

 private:
  std::string file_;
};

}  // namespace tarnwick::win32
