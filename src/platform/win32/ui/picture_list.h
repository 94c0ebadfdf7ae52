// Image lists of the program's pictures, drawn at 16, 24 and 32 pixels.
#pragma once

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

// The bitmaps first..last, in order, at the size of `size_step` (0, 1, 2 for 16, 24, 32 pixels;
// the 24 and 32 pixel bitmaps are numbered IDB_SIZE_STEP and twice that above the 16 pixel ones),
// as an image list without mask; nullptr when it cannot be made.
HIMAGELIST LoadPictureList(HINSTANCE instance, int first, int last, int size_step = 0);

}  // namespace tarnwick::win32
