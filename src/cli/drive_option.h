// The --drive X=DIR option of tarnwick-cli: a drive letter mapped onto a host folder for the POSIX
// file system (ignored on Windows, where the drives are real).
#pragma once

#include <string_view>

#include "platform/file_system.h"

namespace tarnwick::cli {

// Adds "X=DIR" to `drives`; false when it is not a letter, "=" and a folder.
bool ParseDriveOption(std::string_view value, DriveMap& drives);

}  // namespace tarnwick::cli
