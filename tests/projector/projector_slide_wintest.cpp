// The slide as it reaches the screen: the stage colour, the title in the
// text colour that suits it, a light that moves, and Pause stopping it.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/handle.h"
#include "projector/menu_texts.h"
#include "projector/projector_handles.h"
#include "tests/support/projector_process.h"

namespace vnx::test {
namespace {

// The window's client area as it is on the screen, one COLORREF a pixel.
struct Capture {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Capture CaptureClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  Capture capture{client.right, client.bottom, {}};
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = capture.width;
  format.bmiHeader.biHeight = -capture.height;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  const HDC screen = GetDC(nullptr);
  UniqueMemoryDc memory(CreateCompatibleDC(screen));
  void* bits = nullptr;
  UniqueGdiObject bitmap(CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  EXPECT_TRUE(memory && bitmap && bits);
  if (memory && bitmap && bits) {
    const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, capture.width, capture.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    SelectObject(memory.get(), previous);
    const auto* pixel = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < capture.width * capture.height; ++i) {
      const std::uint32_t p = pixel[i];  // 0x00RRGGBB
      capture.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
  }
  ReleaseDC(nullptr, screen);
  return capture;
}

std::size_t CountColour(const Capture& capture, COLORREF colour) {
  return static_cast<std::size_t>(std::count(capture.pixels.begin(), capture.pixels.end(), colour));
}

TEST(ProjectorSlide, DrawsTheStageTitleAndAMovingLight) {
  ProjectorRun run("log\n", "projector5.exe", std::string_view("title=HELLO WORLD\ncolour=#C08040\n"));
  const HWND window = run.Window();
  ASSERT_TRUE(window);
  // On screen for the capture; the runner's (5000, -5000) is off it.
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
  Sleep(300);

  const COLORREF stage = RGB(0xC0, 0x80, 0x40), text = RGB(0x20, 0x20, 0x20);  // dark text on a light stage
  const Capture first = CaptureClient(window);
  ASSERT_GT(first.pixels.size(), 0u);
  EXPECT_EQ(first.At(0, 0), stage);
  EXPECT_EQ(first.At(first.width - 1, first.height - 1), stage);
  EXPECT_GT(CountColour(first, stage), first.pixels.size() / 2);
  EXPECT_GT(CountColour(first, text), 0u);  // the title

  Sleep(1000);
  EXPECT_NE(CaptureClient(window).pixels, first.pixels);  // the light has moved

  SendWithin(window, WM_COMMAND, kProjectorPauseCommand, 0);
  Sleep(200);
  const Capture paused = CaptureClient(window);
  Sleep(600);
  EXPECT_EQ(CaptureClient(window).pixels, paused.pixels);
}

}  // namespace
}  // namespace vnx::test
