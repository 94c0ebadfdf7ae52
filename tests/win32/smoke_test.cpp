#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(Win32Smoke, CreatesAndDestroysAWindow) {
  HWND window = CreateWindowA("STATIC", "Tarnwick", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  char title[32] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "Tarnwick");
  EXPECT_TRUE(DestroyWindow(window));
}

}  // namespace
