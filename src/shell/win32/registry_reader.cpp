#include "shell/win32/registry_reader.h"

#include <cstring>
#include <vector>

#include "platform/win32/ui/handles.h"
#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

std::optional<std::string> Win32RegistryReader::ReadValue(std::string_view key,
                                                          std::string_view value,
                                                          size_t max_bytes) {
  std::string key_name(key);
  std::string value_name(value);
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_name.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  RegistryKey owner(opened);
  // Whatever the value's type, its bytes are taken as a path; a spare NUL ends a value stored
  // without one.
  std::vector<char> buffer(max_bytes + 1, '\0');
  DWORD size = static_cast<DWORD>(max_bytes);
  if (RegQueryValueExA(opened, value_name.c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(buffer.data(), strnlen(buffer.data(), size));
}

}  // namespace tarnwick::win32
