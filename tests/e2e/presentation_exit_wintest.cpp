// Whole presentations under Wine: the ways a presentation ends — another
// program's WM_CLOSE to the runner, and the viewer's keys through the engine.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/presentation_run.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

void ExpectEndedCleanly(const PresentationRun& run) {
  EXPECT_EQ(run.LastLog("close"), "WM_CLOSE");
  EXPECT_EQ(run.LastLog("exit"), "0");
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
}

TEST(PresentationExit, WmCloseToTheRunnerEndsEverything) {
  PresentationRun run(PresentationSpec{});
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForEnd());
  ExpectEndedCleanly(run);
}

// The mouse never ends these presentations (Interaction=1): only the key can.
struct KeyExitCase {
  const char* Name;
  const char* Settings;
  WORD Key;
  bool Ends;
};

class PresentationKeyExit : public testing::TestWithParam<KeyExitCase> {};

TEST_P(PresentationKeyExit, ARealKeyPress) {
  const KeyExitCase& c = GetParam();
  PresentationSpec presentation;
  presentation.Settings = std::string("Interaction=1\r\n") + c.Settings;
  PresentationRun run(presentation);
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  // The engine answers keys only once it has reported the presentation shown.
  const DWORD start = GetTickCount();
  while (run.ReadControlBlock().PresentationShown != 1 && GetTickCount() - start < 5000) Sleep(50);
  ASSERT_EQ(run.ReadControlBlock().PresentationShown, 1);

  PressKey(c.Key);
  if (c.Ends) {
    EXPECT_TRUE(run.WaitForEnd());
    ExpectEndedCleanly(run);
  } else {
    EXPECT_FALSE(run.WaitForEnd(2000));
    EXPECT_EQ(run.LastLog("close"), std::nullopt);
    PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(run.WaitForEnd());
    ExpectEndedCleanly(run);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PresentationKeyExit,
    testing::Values(KeyExitCase{"AnyKeyWithoutKeyInteraction", "KeyInteraction=0\r\nExitOnESC=0\r\n", 'A', true},
                    KeyExitCase{"EscWithExitOnEsc", "KeyInteraction=1\r\nExitOnESC=1\r\n", VK_ESCAPE, true},
                    KeyExitCase{"EscWithoutExitOnEsc", "KeyInteraction=1\r\nExitOnESC=0\r\n", VK_ESCAPE, false},
                    KeyExitCase{"AnyKeyWithKeyInteraction", "KeyInteraction=1\r\nExitOnESC=1\r\n", 'A', false}),
    CaseName<KeyExitCase>);

}  // namespace
}  // namespace vnx::test
