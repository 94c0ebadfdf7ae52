// Opening the progress box of a long operation, and the log lines it shows.
#pragma once

#include <string_view>

#include "platform/host.h"

namespace tarnwick {

// Opens the progress box (which makes the state busy) with `format`'s "%s" filled by the VIS
// path.
void OpenVisProgressBox(Host& host, std::string_view format, std::string_view vis_path);

// A log line as a progress-box line: the same text without its line feed.
std::string_view ProgressText(std::string_view log_line);

}  // namespace tarnwick
