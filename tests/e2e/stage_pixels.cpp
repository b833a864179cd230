#include "tests/e2e/stage_pixels.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "tests/support/screen_pixels.h"

namespace vnx::test {
namespace {

// Where the stage colour is on one screenshot, against the client area.
struct StageOnScreen {
  std::size_t Outside = 0;  // pixels of the stage colour outside the client area
  std::size_t Inside = 0;   // and inside it
  std::size_t Area = 0;     // of the client area
  double Edge[4] = {};      // share of the stage colour in its outermost column or row: left, top, right, bottom

  // The title and the light take part of the stage and may touch an edge
  // where the light passes; a strip along an edge takes all of it.
  bool Fills() const {
    for (const double share : Edge)
      if (share < 0.9) return false;
    return Outside == 0 && Area > 0 && Inside >= Area * 7 / 10;
  }
};

double EdgeShare(const ScreenPixels& shot, COLORREF stage, POINT from, POINT step, int length) {
  int seen = 0;
  for (int i = 0; i < length; ++i)
    if (shot.At(from.x + step.x * i, from.y + step.y * i) == stage) ++seen;
  return length > 0 ? static_cast<double>(seen) / length : 0.0;
}

StageOnScreen Measure(const ScreenPixels& shot, COLORREF stage, const RECT& client) {
  StageOnScreen seen;
  for (int y = 0; y < shot.Height; ++y)
    for (int x = 0; x < shot.Width; ++x) {
      const bool inside = x >= client.left && x < client.right && y >= client.top && y < client.bottom;
      if (inside) ++seen.Area;
      if (shot.At(x, y) == stage) ++(inside ? seen.Inside : seen.Outside);
    }
  const int width = client.right - client.left, height = client.bottom - client.top;
  seen.Edge[0] = EdgeShare(shot, stage, {client.left, client.top}, {0, 1}, height);
  seen.Edge[1] = EdgeShare(shot, stage, {client.left, client.top}, {1, 0}, width);
  seen.Edge[2] = EdgeShare(shot, stage, {client.right - 1, client.top}, {0, 1}, height);
  seen.Edge[3] = EdgeShare(shot, stage, {client.left, client.bottom - 1}, {1, 0}, width);
  return seen;
}

std::string Text(const RECT& rect) {
  return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) + "," +
         std::to_string(rect.bottom) + ")";
}

bool OnScreen(const RECT& client, const ScreenPixels& shot) {
  return client.left >= 0 && client.top >= 0 && client.right <= shot.Width && client.bottom <= shot.Height &&
         client.left < client.right && client.top < client.bottom;
}

}  // namespace

void ExpectStageFillsClientArea(const PresentationRun& run, COLORREF stage) {
  const RECT client = ClientOnScreen(run.RunnerWindow());
  ScreenPixels shot;
  StageOnScreen seen;
  const DWORD start = GetTickCount();
  do {
    shot = CaptureScreen();
    ASSERT_FALSE(shot.Pixels.empty()) << "the screen cannot be read";
    ASSERT_TRUE(OnScreen(client, shot)) << "client area " << Text(client);
    seen = Measure(shot, stage, client);
    if (seen.Fills()) break;
    Sleep(100);
  } while (GetTickCount() - start < 10000);

  SCOPED_TRACE("client area " + Text(client) + " of the frame " + Text(WindowRect(run.RunnerWindow())));
  EXPECT_EQ(seen.Outside, 0u) << "stage colour on the frame or beyond the client area";
  EXPECT_GE(seen.Inside, seen.Area * 7 / 10) << "of " << seen.Area << " client pixels";
  const char* const edges[] = {"left", "top", "right", "bottom"};
  for (int i = 0; i < 4; ++i) EXPECT_GE(seen.Edge[i], 0.9) << "the client area's " << edges[i] << " edge";
}

}  // namespace vnx::test
