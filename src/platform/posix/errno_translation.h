// Host failures reported as the Win32 codes the program knows.
#pragma once

#include <cstdint>

namespace tarnwick {

// errno turned into the Win32 code the same failure would give.
uint32_t Win32ErrorFromErrno(int error);

}  // namespace tarnwick
