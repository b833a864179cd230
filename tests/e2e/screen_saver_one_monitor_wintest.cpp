// Run as the screen saver ("/s") on a machine with one monitor, the
// presentation takes that monitor and nothing is covered beside it: no
// cover window appears, and the presentation ends and cleans up as ever. (Wine here shows one monitor; the covers
// themselves are tested on made-up monitors in saver_cover_windows_wintest.cpp.)

#include <windows.h>

#include <gtest/gtest.h>

#include "common/callback_guard.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

struct CoverSearch {
  DWORD processId = 0;
  bool found = false;
};

BOOL CALLBACK FindCover(HWND window, LPARAM lParam) {
  return GuardCallback<BOOL>(FALSE, [&]() -> BOOL {
    auto& search = *reinterpret_cast<CoverSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search.processId && lstrcmpA(className, "VornexSaverCover") == 0) search.found = true;
    return !search.found;
  });
}

bool CoverWindowOf(DWORD processId) {
  CoverSearch search{processId};
  EnumWindows(FindCover, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Topmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST(ScreenSaverOneMonitor, NothingIsCoveredAndThePresentationEndsAsEver) {
  // A fixed size and no AlwaysOnTop: the runner's window leaves the topmost
  // band when the shown presentation settles, the step the covers follow.
  PresentationSpec presentation;
  presentation.Settings =
      "Interaction=1\r\nAlwaysOnTop=0\r\nFullScreen=1\r\nCustomSize=1\r\nWidth=500\r\nHeight=400\r\n";
  PresentationRun run(presentation);
  run.Start("/s");
  ASSERT_TRUE(run.WaitForPresentation());
  ASSERT_TRUE(WaitUntil([&] { return !Topmost(run.RunnerWindow()); }));
  EXPECT_EQ(run.ReadControlBlock().RunningAsScreenSaver, 1);

  const DWORD runner = run.RunnerProcessId();
  bool covered = false;
  PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
  // Looked for until the runner has gone: a cover would live until its
  // session's cleanup.
  ASSERT_TRUE(WaitUntil(
      [&] {
        covered = covered || CoverWindowOf(runner);
        return !run.RunnerRunning();
      },
      20000));
  EXPECT_FALSE(covered);
  EXPECT_EQ(run.RunnerExitCode(), 0u);
  EXPECT_EQ(run.LastLog("close"), "WM_CLOSE");
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
}

}  // namespace
}  // namespace vnx::test
