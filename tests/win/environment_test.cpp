// The Windows-side tests rest on two facts of the test run: Wine's ANSI code
// page is 932 (the saver's texts are Shift-JIS) and the virtual screen is
// the 800 x 600 true-colour display the window tests measure against.
#include <windows.h>

#include <gtest/gtest.h>

TEST(TestEnvironment, AnsiCodePageIsJapanese) {
  EXPECT_EQ(GetACP(), 932u) << "run the tests with LC_ALL=ja_JP.UTF-8";
}

TEST(TestEnvironment, ScreenIs800By600TrueColour) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  ReleaseDC(nullptr, screen);
}
