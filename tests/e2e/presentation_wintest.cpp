// Whole presentations under Wine: where the runner's frame and the
// projector's window end up for each window setting, checked on the real
// windows while the presentation runs.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/presentation_run.h"

namespace vnx::test {
namespace {

PresentationSpec Presentation(const char* settings, const char* projector, const char* behave,
                              const std::string& slide) {
  PresentationSpec presentation;
  presentation.Settings = settings;
  presentation.Projector = projector;
  if (*behave) presentation.Behave.push_back(behave);
  presentation.Slide = slide;
  return presentation;
}

// Closes the presentation and checks that nothing of it is left.
void EndAndExpectNothingLeft(PresentationRun& run) {
  PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.LastLog("close"), "WM_CLOSE");
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
}

bool HasCaption(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION; }

// Full screen, and full screen reached by a window of custom style.
struct WindowModeCase {
  const char* Name;
  const char* Settings;
  const char* Projector;
  const char* Behave;  // one projector.behave line, or ""
  bool CoversScreen;   // the frame's outer rectangle is the screen's
  bool Maximised;
  bool Caption;
  bool FullScreenCommand;  // the projector was switched to its full-screen mode
  std::uint8_t ProjectorV6;
};

class PresentationWindowMode : public testing::TestWithParam<WindowModeCase> {};

TEST_P(PresentationWindowMode, FrameAndProjectorWindow) {
  const WindowModeCase& c = GetParam();
  PresentationRun run(Presentation(c.Settings, c.Projector, c.Behave, "title=Window mode\r\nstage=640x480\r\n"));
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  const HWND runner = run.RunnerWindow();

  ExpectProjectorFillsClientArea(run);
  if (c.CoversScreen) ExpectSameRect(WindowRect(runner), ScreenRect());
  EXPECT_EQ(IsZoomed(runner) != FALSE, c.Maximised);
  EXPECT_EQ(HasCaption(runner), c.Caption);
  EXPECT_EQ(run.LastLog("full-screen"), c.FullScreenCommand ? std::optional<std::string>("on") : std::nullopt);
  EXPECT_EQ(run.ReadControlBlock().ProjectorV6, c.ProjectorV6);
  EndAndExpectNothingLeft(run);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PresentationWindowMode,
    testing::Values(WindowModeCase{"FullScreen", "FullScreen=1\r\n", "projector5.exe", "", true, false, false, true, 0},
                    WindowModeCase{"FullScreenVersion6", "FullScreen=1\r\n", "projector6.exe", "", true, false, false,
                                   true, 1},
                    WindowModeCase{"CustomSizeWithTitle", "FullScreen=1\r\nCustomSize=1\r\n", "projector5.exe", "",
                                   false, true, true, true, 0},
                    WindowModeCase{"CustomSizeWithoutTitle", "FullScreen=1\r\nCustomSize=1\r\nNoTitle=1\r\n",
                                   "projector5.exe", "", true, false, false, true, 0},
                    WindowModeCase{"CustomSizeWithoutBorder", "FullScreen=1\r\nCustomSize=1\r\nNoBorder=1\r\n",
                                   "projector5.exe", "", true, false, false, true, 0},
                    WindowModeCase{"ProjectorWithoutSizingFrame", "FullScreen=1\r\n", "projector5.exe",
                                   "no-sizing-frame", true, false, false, false, 0}),
    CaseName<WindowModeCase>);

// A captioned window of fixed size, placed by AlignmentH and AlignmentV.
enum class Place { Start, Centre, End };

struct FixedWindowCase {
  const char* Name;
  const char* Settings;
  const char* Projector;
  SIZE Stage;
  bool StageSize;  // the client area takes the stage's size; else the frame has Width x Height
  SIZE Frame;
  Place Horizontal, Vertical;
};

int Expected(Place place, int screen, int size) {
  switch (place) {
    case Place::Start: return 0;
    case Place::Centre: return (screen - size) / 2;
    case Place::End: return screen - size;
  }
  return 0;
}

class PresentationFixedWindow : public testing::TestWithParam<FixedWindowCase> {};

TEST_P(PresentationFixedWindow, SizedAndAligned) {
  const FixedWindowCase& c = GetParam();
  const std::string slide =
      "title=Fixed window\r\nstage=" + std::to_string(c.Stage.cx) + "x" + std::to_string(c.Stage.cy) + "\r\n";
  PresentationRun run(Presentation(c.Settings, c.Projector, "", slide));
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  const HWND runner = run.RunnerWindow();

  ExpectProjectorFillsClientArea(run);
  EXPECT_TRUE(HasCaption(runner));
  const RECT client = ClientOnScreen(runner), frame = WindowRect(runner);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  if (c.StageSize) {
    EXPECT_EQ(client.right - client.left, c.Stage.cx);
    EXPECT_EQ(client.bottom - client.top, c.Stage.cy);
  } else {
    EXPECT_EQ(width, c.Frame.cx);
    EXPECT_EQ(height, c.Frame.cy);
  }
  EXPECT_EQ(frame.left, Expected(c.Horizontal, GetSystemMetrics(SM_CXSCREEN), width));
  EXPECT_EQ(frame.top, Expected(c.Vertical, GetSystemMetrics(SM_CYSCREEN), height));
  EXPECT_EQ(run.LastLog("full-screen"), "on");
  EXPECT_EQ(run.ReadControlBlock().ProjectorV6, std::string(c.Projector) == "projector6.exe");
  EndAndExpectNothingLeft(run);
}

INSTANTIATE_TEST_SUITE_P(
    Placements, PresentationFixedWindow,
    testing::Values(FixedWindowCase{"RightAndTop",
                                    "AlignmentH=3\r\nAlignmentV=1\r\n",
                                    "projector5.exe",
                                    {640, 480},
                                    true,
                                    {},
                                    Place::End,
                                    Place::Start},
                    FixedWindowCase{"Centred",
                                    "AlignmentH=2\r\nAlignmentV=2\r\n",
                                    "projector5.exe",
                                    {320, 240},
                                    true,
                                    {},
                                    Place::Centre,
                                    Place::Centre},
                    FixedWindowCase{"LeftAndBottomVersion6",
                                    "AlignmentH=1\r\nAlignmentV=3\r\n",
                                    "projector6.exe",
                                    {800, 600},
                                    true,
                                    {},
                                    Place::Start,
                                    Place::End},
                    // The stage size moved the frame to (0, 0): "Left" and "Top" are gone.
                    FixedWindowCase{"OtherValuesKeepTheOrigin",
                                    "AlignmentH=0\r\nAlignmentV=7\r\nLeft=100\r\nTop=50\r\n",
                                    "projector5.exe",
                                    {400, 300},
                                    true,
                                    {},
                                    Place::Start,
                                    Place::Start},
                    // CustomSize without FullScreen: the settings' size, not the stage's.
                    FixedWindowCase{"CustomSizeKeepsTheSettingsSize",
                                    "CustomSize=1\r\nWidth=500\r\nHeight=400\r\nAlignmentH=3\r\nAlignmentV=3\r\n",
                                    "projector5.exe",
                                    {640, 480},
                                    false,
                                    {500, 400},
                                    Place::End,
                                    Place::End}),
    CaseName<FixedWindowCase>);

}  // namespace
}  // namespace vnx::test
