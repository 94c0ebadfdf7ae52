// The --drive X=DIR option of tarnwick-cli: a drive letter mapped onto a host folder for the POSIX
// file system (ignored on Windows, where the drives are real).
#pragma once

#include <string>
#include <string_view>

#include "cli/cli_command.h"
#include "platform/file_system.h"

namespace tarnwick::cli {

// Adds "X=DIR" to `drives`; false when it is not a letter, "=" and a folder.
bool ParseDriveOption(std::string_view value, DriveMap& drives);

// What TakeDriveOption made of an argument.
enum class DriveArg { kNotDrive, kTaken, kBad };

// The --drive option at args[i], as "--drive X=DIR" or "--drive=X=DIR": adds the mapping and
// moves `i` past a separate value (kTaken), or says in `error` what is wrong (kBad); kNotDrive
// for any other argument.
DriveArg TakeDriveOption(const Args& args, size_t& i, DriveMap& drives, std::string& error);

}  // namespace tarnwick::cli
