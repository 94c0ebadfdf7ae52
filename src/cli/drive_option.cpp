#include "cli/drive_option.h"

namespace tarnwick::cli {

bool ParseDriveOption(std::string_view value, DriveMap& drives) {
  if (value.size() < 3 || value[1] != '=') return false;
  char letter = value[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return false;
  drives.drives[letter] = std::string(value.substr(2));
  return true;
}

}  // namespace tarnwick::cli
