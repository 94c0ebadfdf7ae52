// Names as Wine keeps them on the host: the program's names are single bytes of the Windows code
// page 1252, and Wine spells every name on the disk in UTF-8. The same name then leads to the
// same file for the program under Wine and for the native file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The host spelling of a program name: ASCII as it is, every other byte as the UTF-8 of its
// code page 1252 character (the five bytes the code page leaves undefined as U+0081 and so on,
// as Windows converts them).
std::string HostName(std::string_view program_name);

// The program name of a host name; nothing when the name is not UTF-8 or holds a character that
// code page 1252 lacks.
std::optional<std::string> ProgramName(std::string_view host_name);

// Whether two program names are the same without regard to case, as Windows compares them:
// ASCII and the letters of the code page (e with acute and E with acute, S with caron and S with
// caron, ...) are each one letter.
bool SameProgramName(std::string_view a, std::string_view b);

// Whether a name holds a byte above ASCII (only such names differ between the two spellings).
inline bool HasHighBytes(std::string_view name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

}  // namespace tarnwick
