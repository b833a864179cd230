#include "tests/support/screen_pixels.h"

#include <cstdint>

#include "common/handle.h"
#include "projector/projector_handles.h"

namespace vnx::test {
namespace {

struct ScreenDcTraits {  // GetDC(nullptr)'s context goes back with ReleaseDC
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { ReleaseDC(nullptr, h); }
};

}  // namespace

ScreenPixels CaptureScreenArea(int left, int top, int width, int height) {
  ScreenPixels shot{width, height, {}};
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = shot.Width;
  format.bmiHeader.biHeight = -shot.Height;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  const UniqueHandle<ScreenDcTraits> screen(GetDC(nullptr));
  const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  void* bits = nullptr;
  const UniqueGdiObject bitmap(CreateDIBSection(screen.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen || !memory || !bitmap || !bits) return {};
  const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  const BOOL copied = BitBlt(memory.get(), 0, 0, shot.Width, shot.Height, screen.get(), left, top, SRCCOPY);
  GdiFlush();
  SelectObject(memory.get(), previous);
  if (!copied) return {};
  const auto* pixel = static_cast<const std::uint32_t*>(bits);
  shot.Pixels.reserve(static_cast<std::size_t>(shot.Width) * shot.Height);
  for (std::size_t i = 0; i < static_cast<std::size_t>(shot.Width) * shot.Height; ++i) {
    const std::uint32_t p = pixel[i];  // 0x00RRGGBB
    shot.Pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  return shot;
}

ScreenPixels CaptureScreen() {
  return CaptureScreenArea(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

}  // namespace vnx::test
