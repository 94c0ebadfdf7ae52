#include "platform/win32/ui/picture_list.h"

#include "platform/screen_geometry.h"
#include "platform/win32/ui/handles.h"
#include "resource.h"

namespace tarnwick::win32 {

HIMAGELIST LoadPictureList(HINSTANCE instance, int first, int last, int size_step) {
  const int size = PictureSize(size_step);
  ImageListHandle list(ImageList_Create(size, size, ILC_COLOR24, last - first + 1, 0));
  if (!list) return nullptr;
  for (int id = first; id <= last; ++id) {
    GdiObject<HBITMAP> bitmap(
        LoadBitmapA(instance, MAKEINTRESOURCEA(id + size_step * IDB_SIZE_STEP)));
    if (!bitmap || ImageList_Add(list.Get(), bitmap.Get(), nullptr) < 0) return nullptr;
  }
  return list.Release();
}

}  // namespace tarnwick::win32
