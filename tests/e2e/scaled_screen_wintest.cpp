// Presentations at 120, 144 and 192 DPI: ctest runs this suite in a prefix
// of its own at each scaling (scripts/wine-exec-scaled.sh, which names the
// scaling in VNX_SCALED_DPI); a case of another scaling is skipped. The
// picture is the one of 96 DPI scaled as a whole, whether the projector
// declares nothing about scaling or declares awareness; the position query
// answers in the pixels of a program that declares nothing; the Setup
// dialog's check boxes are whole. This test program, like the runner,
// declares awareness (its resources carry the runner's manifest), so it sees
// the screen's own pixels.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "contract/private_messages.h"
#include "tests/e2e/presentation_run.h"
#include "tests/e2e/stage_pixels.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

constexpr COLORREF kStage = RGB(0x3A, 0x7D, 0x44);
const char* const kCentred = "AlignmentH=2\r\nAlignmentV=2\r\n";

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// The scaling this run is for; 0 outside wine-exec-scaled.sh.
int AskedDpi() {
  const char* asked = std::getenv("VNX_SCALED_DPI");
  return asked ? std::atoi(asked) : 0;
}

enum class Measure { ClientArea, Frame, Screen };

struct ScaledCase {
  const char* Name;
  int Dpi;
  const char* Settings;
  const char* Stage;   // the slide's, in its own pixels
  const char* Behave;  // a projector.behave line, or ""
  Measure Expected;
  LONG Width, Height;  // of what Expected names; the screen's for Measure::Screen
};

void PrintTo(const ScaledCase& c, std::ostream* out) { *out << c.Name; }

class ScaledPresentation : public testing::TestWithParam<ScaledCase> {};

TEST_P(ScaledPresentation, IsThePictureOf96DpiScaledAsAWhole) {
  const ScaledCase& c = GetParam();
  if (AskedDpi() != c.Dpi) {
    GTEST_SKIP() << "a case for " << c.Dpi << " DPI";
  }
  ASSERT_EQ(ScreenDpi(), c.Dpi) << "the prefix is not at the scaling it was set to";
  PresentationSpec presentation;
  presentation.Settings = c.Settings;
  presentation.Slide = std::string("title=Scaled\r\ncolour=#3A7D44\r\nstage=") + c.Stage + "\r\n";
  if (*c.Behave) presentation.Behave.emplace_back(c.Behave);
  PresentationRun run(presentation);
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  ExpectProjectorFillsClientArea(run);

  const RECT client = ClientOnScreen(run.RunnerWindow()), frame = WindowRect(run.RunnerWindow());
  const RECT& measured = c.Expected == Measure::Frame ? frame : client;
  if (c.Expected == Measure::Screen) {
    ExpectSameRect(client, ScreenRect());
  } else {
    // A client area a projector that declares nothing cannot fill to the
    // pixel (its pixel is 1.5 of the screen's) takes its size: one less.
    EXPECT_NEAR(measured.right - measured.left, c.Width, 1);
    EXPECT_NEAR(measured.bottom - measured.top, c.Height, 1);
  }
  if (frame.bottom - frame.top <= ScreenRect().bottom) {
    EXPECT_GE(frame.top, 0) << "the frame starts above the screen";
  }
  ExpectStageFillsClientArea(run, kStage);
}

INSTANTIATE_TEST_SUITE_P(Scalings, ScaledPresentation,
                         testing::Values(
                             // A captioned window that takes the stage's size, 640x480 at 96 DPI.
                             ScaledCase{"Fixed144", 144, kCentred, "640x480", "", Measure::ClientArea, 960, 720},
                             // A projector aware of the scaling draws its stage at 960x720 itself.
                             ScaledCase{"Fixed144AwareProjector", 144, kCentred, "640x480", "dpi-aware",
                                        Measure::ClientArea, 960, 720},
                             ScaledCase{"CustomSize144", 144, "CustomSize=1\r\nWidth=500\r\nHeight=400\r\n", "640x480",
                                        "", Measure::Frame, 750, 600},
                             ScaledCase{"FullScreen144", 144, "FullScreen=1\r\n", "640x480", "", Measure::Screen, 0, 0},
                             ScaledCase{"FullScreen144AwareProjector", 144, "FullScreen=1\r\n", "640x480", "dpi-aware",
                                        Measure::Screen, 0, 0},
                             ScaledCase{"Fixed120", 120, kCentred, "640x480", "", Measure::ClientArea, 800, 600},
                             // 640x480 would not fit on the 1024x768 screen at 200 %.
                             ScaledCase{"Fixed192", 192, kCentred, "320x240", "", Measure::ClientArea, 640, 480}),
                         CaseName<ScaledCase>);

// The corners of the client area, asked as another program asks: in the
// pixels a program that declares nothing about scaling sees.
TEST(ScaledPositionQuery, AnswersInThePixelsOfAProgramThatDeclaresNothing) {
  if (AskedDpi() != 144) {
    GTEST_SKIP() << "a case for " << 144 << " DPI";
  }
  ASSERT_EQ(ScreenDpi(), 144) << "the prefix is not at the scaling it was set to";
  PresentationSpec presentation;
  presentation.Settings = kCentred;
  PresentationRun run(presentation);
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  const UINT query = RegisterWindowMessageA(kRunnerServerMessageName);
  const RECT client = ClientOnScreen(run.RunnerWindow());
  const struct {
    LPARAM Corner;
    LONG Screen;
  } corners[] = {{0, client.left}, {2, client.top}, {1, client.right}, {3, client.bottom}};
  for (const auto& corner : corners) {
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(run.RunnerWindow(), query, 1, corner.Corner, SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_EQ(static_cast<LONG>(answer), MulDiv(corner.Screen, 96, 144)) << "lParam " << corner.Corner;
  }
}

// The dialog lies on the screen and every check box it shows lies whole
// inside it (the template's boxes overlap by a dialog unit at any scaling).
TEST(ScaledSetupDialog, ShowsEveryCheckBoxWhole) {
  if (AskedDpi() != 144) {
    GTEST_SKIP() << "a case for " << 144 << " DPI";
  }
  ASSERT_EQ(ScreenDpi(), 144) << "the prefix is not at the scaling it was set to";
  PresentationSpec presentation;
  presentation.Settings = "Pellam Screen Name=Scaled\r\n";
  PresentationRun run(presentation);
  run.Start("/c");
  const HWND dialog = WaitForDialog(run.RunnerProcessId(), "Scaled - Setup");
  ASSERT_TRUE(dialog) << "no Setup dialog";
  const RECT inside = ClientOnScreen(dialog), screen = ScreenRect(), outside = WindowRect(dialog);
  EXPECT_TRUE(outside.left >= 0 && outside.top >= 0 && outside.right <= screen.right &&
              outside.bottom <= screen.bottom);
  int boxes = 0;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (std::string(className) != "Button" || !IsWindowVisible(child) || (style & 0x0F) != BS_AUTOCHECKBOX) continue;
    const RECT box = WindowRect(child);
    EXPECT_TRUE(box.left >= inside.left && box.top >= inside.top && box.right <= inside.right &&
                box.bottom <= inside.bottom)
        << "a check box reaches out of the dialog";
    ++boxes;
  }
  EXPECT_GE(boxes, 3);
  ClickCloseBox(dialog);
  EXPECT_TRUE(run.WaitForEnd());
}

}  // namespace
}  // namespace vnx::test
