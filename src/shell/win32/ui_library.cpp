// Anchors the Win32 user-interface library, so that it exists before any window code is in it.
namespace tarnwick::win32 {
int UiLibraryVersion() {
  return 1;
}
}  // namespace tarnwick::win32
