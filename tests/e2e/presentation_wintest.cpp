// Whole presentations under Wine: the real runner with its session, the
// stand-in projector and our engine library.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/presentation_run.h"

namespace vnx::test {
namespace {

RECT ClientOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

PresentationSpec WithSettings(const std::string& settings) {
  PresentationSpec spec;
  spec.Settings = settings;
  return spec;
}

void ExpectSameRect(const RECT& a, const RECT& b) {
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.top, b.top);
  EXPECT_EQ(a.right, b.right);
  EXPECT_EQ(a.bottom, b.bottom);
}

TEST(Presentation, AFixedWindowShowsTheProjectorAsItsChildAndWmCloseEndsEverything) {
  PresentationRun run(WithSettings("FullScreen=0\r\nAlignmentH=3\r\nAlignmentV=1\r\n"));
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  const HWND runner = run.RunnerWindow(), projector = run.ProjectorWindow();
  EXPECT_EQ(GetAncestor(projector, GA_PARENT), runner);
  ExpectSameRect(WindowRect(projector), ClientOnScreen(runner));
  const RECT client = ClientOnScreen(runner);
  EXPECT_EQ(client.right - client.left, 640);  // the stage's size taken into the frame
  EXPECT_EQ(client.bottom - client.top, 480);
  const RECT frame = WindowRect(runner);
  EXPECT_EQ(frame.right, GetSystemMetrics(SM_CXSCREEN));  // aligned right and top
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(run.LastLog("full-screen"), "on");

  PostMessageA(runner, WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
}

}  // namespace
}  // namespace vnx::test
