#include "platform/win32/ui/picture_list.h"

#include "platform/win32/ui/handles.h"

namespace tarnwick::win32 {

HIMAGELIST LoadPictureList(HINSTANCE instance, int first, int last) {
  ImageListHandle list(ImageList_Create(16, 16, ILC_COLOR24, last - first + 1, 0));
  if (!list) return nullptr;
  for (int id = first; id <= last; ++id) {
    GdiObject<HBITMAP> bitmap(LoadBitmapA(instance, MAKEINTRESOURCEA(id)));
    if (!bitmap || ImageList_Add(list.Get(), bitmap.Get(), nullptr) < 0) return nullptr;
  }
  return list.Release();
}

}  // namespace tarnwick::win32
