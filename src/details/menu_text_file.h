// Menu text files on disk: read whole, and written complete or not at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tarnwick {

// Larger than any menu's text by far: 65,535 Locations take some 30 MB of JSON.
constexpr int64_t kMaxMenuTextFile = 256 * 1024 * 1024;

// The whole file; nothing when it cannot be read, with the system error code in `error`
// (kNotEnoughMemory for a file beyond kMaxMenuTextFile).
std::optional<std::string> ReadMenuTextFile(FileSystem& fs, std::string_view path, uint32_t& error);

// Writes `bytes` to a temporary file beside `path` and then puts it in the place of `path` in one
// step, so that a failed write leaves an existing file as it was. 0, or the system error code.
uint32_t WriteMenuTextFile(FileSystem& fs, std::string_view path, std::string_view bytes);

}  // namespace tarnwick
