// The texts of the progress box shown during long operations.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// The message line: the first "%s" of the program's own format becomes the VIS path. Nothing else
// is interpreted, so a path or a finished text holding "%" shows as it is.
std::string FormatProgressMessage(std::string_view format, std::string_view vis_path);

// The totals line of a scan, e.g. "3 VIS entries, 1 Area, 12 Locations"; entry is the zero-based
// number of the VIS entry being processed.
std::string ScanProgressText(int32_t entry, int32_t areas, int32_t locations);

}  // namespace tarnwick
