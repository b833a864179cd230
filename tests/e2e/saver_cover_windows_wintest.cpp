// The screen saver's black covers on real windows of this thread. A made-up
// list of monitors goes through the same planning as the display's (Wine
// here shows one monitor); a white window stands in for the runner's
// presentation and another for the desktop below. The viewer's mouse is real
// input; what a cover posts to the stand-in is read from the queue.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "contract/private_messages.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/screen_pixels.h"
#include "tests/support/viewer_input.h"
#include "window/saver_covers.h"

namespace vnx::test {
namespace {

constexpr char kStandInClass[] = "SaverCoversTestStandIn";
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The presentation takes the first monitor; the second lies to its right,
// the third below, reaching to negative x.
const std::vector<MonitorArea> kMonitors = {
    {{0, 0, 400, 300}, true}, {{400, 0, 800, 300}, false}, {{-200, 300, 300, 768}, false}};
const vnx::ScreenRect kCoverRight{400, 0, 800, 300}, kCoverBelow{-200, 300, 300, 768};
constexpr POINT kOnRunner{200, 150}, kOnRight{600, 150}, kOnBelow{100, 500};

void RegisterStandInClass() {
  WNDCLASSA standIn{};
  standIn.lpfnWndProc = DefWindowProcA;
  standIn.hInstance = GetModuleHandleA(nullptr);
  standIn.hCursor = LoadCursor(nullptr, IDC_ARROW);
  standIn.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  standIn.lpszClassName = kStandInClass;
  RegisterClassA(&standIn);
}

HWND CreateStandIn(const RECT& r) {
  return CreateWindowExA(0, kStandInClass, "", WS_POPUP | WS_VISIBLE, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

COLORREF PixelAt(POINT p) {
  const ScreenPixels shot = CaptureScreenArea(p.x, p.y, 1, 1);
  return shot.Pixels.empty() ? CLR_INVALID : shot.At(0, 0);
}

class SaverCoversTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterStandInClass();
    desktop = CreateStandIn({0, 0, 1024, 768});
    runner = CreateStandIn({0, 0, 400, 300});
    SetForegroundWindow(runner);
    ASSERT_TRUE(PumpUntilCursorOnRunner());
  }
  void TearDown() override {
    covers.reset();
    DestroyWindow(runner);
    DestroyWindow(desktop);
  }

  // Dispatches what this thread's queue holds; counts the exit requests the
  // covers posted to the runner's stand-in. True once the cursor has arrived
  // on the stand-in.
  bool Deliver() {
    bool onRunner = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.hwnd == runner && message.message == WM_RUNNER_EXIT && message.wParam == 0) ++exitRequests;
      if (message.hwnd == runner && message.message == WM_MOUSEMOVE) onRunner = true;
      DispatchMessageA(&message);
    }
    return onRunner;
  }

  // Moves the cursor and lets its window see the move before the next one:
  // moves still queued together would reach a cover as one.
  void MoveAndDeliver(POINT to) {
    MoveCursorTo(to);
    EXPECT_TRUE(WaitUntil([to] {
      POINT cursor{};
      GetCursorPos(&cursor);
      return cursor.x == to.x && cursor.y == to.y;
    })) << "the pointer did not arrive";
    Deliver();
  }

  // The cursor goes back onto the runner's stand-in; once it has arrived
  // there, the input before it has reached the covers.
  bool PumpUntilCursorOnRunner() {
    MoveAndDeliver({kOnRunner.x + 1, kOnRunner.y});
    MoveCursorTo(kOnRunner);
    return WaitUntil([this] { return Deliver(); });
  }

  void Cover(const CoverExits& exits) {
    covers.emplace(runner, kMonitors, exits);
    ASSERT_TRUE(PumpUntilCursorOnRunner());
  }

  HWND desktop = nullptr, runner = nullptr;
  std::optional<SaverCovers> covers;
  int exitRequests = 0;
};

TEST_F(SaverCoversTest, EveryOtherMonitorIsCoveredBlackOnTopWithoutTakingTheActivation) {
  ASSERT_EQ(PixelAt(kOnRight), RGB(255, 255, 255));
  ASSERT_EQ(PixelAt(kOnBelow), RGB(255, 255, 255));
  Cover({});
  ASSERT_EQ(covers->Windows().size(), 2u);
  const vnx::ScreenRect expected[] = {kCoverRight, kCoverBelow};
  for (std::size_t i = 0; i < 2; ++i) {
    const HWND cover = covers->Windows()[i].get();
    RECT r{};
    GetWindowRect(cover, &r);
    EXPECT_EQ((vnx::ScreenRect{r.left, r.top, r.right, r.bottom}), expected[i]);
    EXPECT_TRUE(IsWindowVisible(cover));
    EXPECT_NE(GetWindowLongA(cover, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongA(cover, GWL_STYLE) & WS_CAPTION, 0);
  }
  EXPECT_EQ(PixelAt(kOnRight), kBlack);
  EXPECT_EQ(PixelAt(kOnBelow), kBlack);
  EXPECT_EQ(PixelAt(kOnRunner), RGB(255, 255, 255));  // the presentation stays free
  EXPECT_EQ(GetForegroundWindow(), runner);

  ClickAt(kOnRight);
  ASSERT_TRUE(PumpUntilCursorOnRunner());
  EXPECT_EQ(GetForegroundWindow(), runner);
  EXPECT_EQ(exitRequests, 0);
}

TEST_F(SaverCoversTest, CoversGoWithTheirOwner) {
  Cover({});
  std::vector<HWND> windows;
  for (const UniqueWindow& cover : covers->Windows()) windows.push_back(cover.get());
  ASSERT_EQ(windows.size(), 2u);
  covers.reset();
  for (const HWND window : windows) EXPECT_FALSE(IsWindow(window));
  // Drawn again at once: a cover still there would keep the pixel black.
  RedrawWindow(desktop, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_TRUE(PumpUntilCursorOnRunner());  // the system shows what was drawn as it pumps
  EXPECT_EQ(PixelAt(kOnRight), RGB(255, 255, 255));
}

// One monitor, or others that only mirror the presentation's: nothing to cover.
TEST_F(SaverCoversTest, NothingIsCreatedWhereThePlanCoversNothing) {
  const std::vector<MonitorArea> mirrored = {{{0, 0, 1024, 768}, true}, {{0, 0, 1024, 768}, false}};
  for (const auto& monitors : {std::vector<MonitorArea>{kMonitors[0]}, mirrored}) {
    const SaverCovers none(runner, monitors, {true, true, true});
    EXPECT_TRUE(none.Windows().empty());
  }
}

struct MouseCase {
  const char* Name;
  bool ExitOnMouse;
  std::vector<POINT> Path;  // where the cursor goes on the covers, in order
  bool Click;               // then a left click where it is
  int ExitRequests;
};

class SaverCoverMouse : public SaverCoversTest, public testing::WithParamInterface<MouseCase> {};

TEST_P(SaverCoverMouse, TheMouseOnACoverEndsThePresentationAsTheExitSettingsSay) {
  const MouseCase& c = GetParam();
  Cover({c.ExitOnMouse, false, false});
  for (const POINT& p : c.Path) MoveAndDeliver(p);
  if (c.Click) PressButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntilCursorOnRunner());
  EXPECT_EQ(exitRequests, c.ExitRequests);
  EXPECT_EQ(GetForegroundWindow(), runner);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaverCoverMouse,
    testing::Values(MouseCase{"Click", true, {kOnRight}, true, 1},
                    MouseCase{"ClickWithInteraction", false, {kOnRight}, true, 0},
                    MouseCase{"JitterOnly", true, {kOnRight, {kOnRight.x + 3, kOnRight.y + 3}}, false, 0},
                    MouseCase{"MoveAcross", true, {kOnRight, {kOnRight.x, kOnRight.y + 40}}, false, 1},
                    MouseCase{"FromOneCoverToTheOther", true, {kOnRight, kOnBelow}, false, 1},
                    MouseCase{"MoveWithInteraction", false, {kOnRight, {kOnRight.x + 40, kOnRight.y}}, false, 0},
                    MouseCase{"OneRequestForMuchUse", true, {kOnRight, kOnBelow}, true, 1}),
    CaseName<MouseCase>);

// A cover is never given the focus, so keys normally reach the presentation;
// should the system hand a cover the focus all the same, a key on it ends
// the presentation as the settings say.
TEST_F(SaverCoversTest, AKeyOnACoverEndsThePresentationAsTheExitSettingsSay) {
  struct Case {
    const char* name;
    CoverExits exits;
    WPARAM key;
    int exitRequests;
  } const cases[] = {
      {"any key without key interaction", {false, true, false}, 'A', 1},
      {"Esc with ExitOnESC", {false, false, true}, VK_ESCAPE, 1},
      {"another key with ExitOnESC alone", {false, false, true}, 'A', 0},
      {"Esc without ExitOnESC", {false, false, false}, VK_ESCAPE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    covers.reset();
    exitRequests = 0;
    Cover(c.exits);
    SendMessageA(covers->Windows()[0].get(), WM_KEYDOWN, c.key, 1);
    ASSERT_TRUE(PumpUntilCursorOnRunner());
    EXPECT_EQ(exitRequests, c.exitRequests);
  }
}

}  // namespace
}  // namespace vnx::test
