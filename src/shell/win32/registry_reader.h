// Values of the simulator's installation under HKEY_LOCAL_MACHINE, through the registry.
#pragma once

#include "shell/settings.h"

namespace tarnwick::win32 {

class Win32RegistryReader : public RegistryReader {
 public:
  std::optional<std::string> ReadValue(std::string_view key, std::string_view value,
                                       size_t max_bytes) override;
};

}  // namespace tarnwick::win32
