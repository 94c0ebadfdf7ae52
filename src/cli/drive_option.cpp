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

DriveArg TakeDriveOption(const Args& args, size_t& i, DriveMap& drives, std::string& error) {
  const std::string& arg = args[i];
  std::string value;
  if (arg == "--drive") {
    if (i + 1 == args.size()) {
      error = "--drive needs X=DIR";
      return DriveArg::kBad;
    }
    value = args[++i];
  } else if (arg.rfind("--drive=", 0) == 0) {
    value = arg.substr(8);
  } else {
    return DriveArg::kNotDrive;
  }
  if (!ParseDriveOption(value, drives)) {
    error = "bad drive mapping '" + value + "'";
    return DriveArg::kBad;
  }
  return DriveArg::kTaken;
}

}  // namespace tarnwick::cli
