// Image lists of the program's 16 x 16 pictures.
#pragma once

#include "platform/win32/ui/win32_api.h"

namespace tarnwick::win32 {

// The bitmaps first..last, in order, as an image list without mask; nullptr when it cannot be
// made.
HIMAGELIST LoadPictureList(HINSTANCE instance, int first, int last);

}  // namespace tarnwick::win32
