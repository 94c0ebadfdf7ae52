// Which host folder each drive letter leads to on a POSIX host, found as Wine finds it.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace tarnwick {

// The drives of a Wine prefix: the links in its dosdevices/ folder ("c:" -> "../drive_c"), with
// upper-case letters and the host folders they lead to. Empty when the prefix has none.
DriveMap WinePrefixDrives(const std::string& prefix);

// The drives the program sees: Z: as "/", then the drives of the Wine prefix named by $WINEPREFIX
// (or ~/.wine when it exists), then `explicit_drives`, each later one winning over the earlier.
DriveMap DefaultDrives(const DriveMap& explicit_drives);

}  // namespace tarnwick
