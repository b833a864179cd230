// The slide as it reaches the screen: the stage colour, the title in the
// text colour that suits it, a light that moves, and Pause stopping it.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>

#include "projector/menu_texts.h"
#include "tests/support/projector_process.h"
#include "tests/support/screen_pixels.h"

namespace vnx::test {
namespace {

// The window's client area as it is on the screen.
ScreenPixels CaptureClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return CaptureScreenArea(origin.x, origin.y, client.right, client.bottom);
}

std::size_t CountColour(const ScreenPixels& capture, COLORREF colour) {
  return static_cast<std::size_t>(std::count(capture.Pixels.begin(), capture.Pixels.end(), colour));
}

TEST(ProjectorSlide, DrawsTheStageTitleAndAMovingLight) {
  ProjectorRun run("log\n", "projector5.exe", std::string_view("title=HELLO WORLD\ncolour=#C08040\n"));
  const HWND window = run.Window();
  ASSERT_TRUE(window);
  // On screen for the capture; the runner's (5000, -5000) is off it.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
  Sleep(300);

  const COLORREF stage = RGB(0xC0, 0x80, 0x40), text = RGB(0x20, 0x20, 0x20);  // dark text on a light stage
  const ScreenPixels first = CaptureClient(window);
  ASSERT_GT(first.Pixels.size(), 0u);
  EXPECT_EQ(first.At(0, 0), stage);
  EXPECT_EQ(first.At(first.Width - 1, first.Height - 1), stage);
  EXPECT_GT(CountColour(first, stage), first.Pixels.size() / 2);
  EXPECT_GT(CountColour(first, text), 0u);  // the title

  Sleep(1000);
  EXPECT_NE(CaptureClient(window).Pixels, first.Pixels);  // the light has moved

  SendWithin(window, WM_COMMAND, kProjectorPauseCommand, 0);
  Sleep(200);
  const ScreenPixels paused = CaptureClient(window);
  Sleep(600);
  EXPECT_EQ(CaptureClient(window).Pixels, paused.Pixels);
}

}  // namespace
}  // namespace vnx::test
