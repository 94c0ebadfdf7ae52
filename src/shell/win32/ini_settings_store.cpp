#include "shell/win32/ini_settings_store.h"

#include <vector>

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

std::string IniSettingsStore::Get(std::string_view key, size_t max_length) {
  std::string section(kSettingsSection);
  std::string name(key);
  // One more for the terminating NUL: the function keeps max_length characters.
  std::vector<char> buffer(max_length + 1, '\0');
  DWORD got = GetPrivateProfileStringA(section.c_str(), name.c_str(), "", buffer.data(),
                                       static_cast<DWORD>(buffer.size()), file_.c_str());
  return std::string(buffer.data(), got);
}

void IniSettingsStore::Set(std::string_view key, std::string_view value) {
  std::string section(kSettingsSection);
  std::string name(key);
  std::string text(value);
  // Failures are not reported: a setting that cannot be written keeps its old value.
  WritePrivateProfileStringA(section.c_str(), name.c_str(), text.c_str(), file_.c_str());
}

}  // namespace tarnwick::win32
