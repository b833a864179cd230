// Run by the system as its screen saver ("/s"), a presentation lets the
// power plan turn the monitor off and the machine sleep: the runner tells the
// engine in the control block, and the monitor-power command reaches the
// projector's window. Started otherwise, also without arguments, it keeps
// the display on as it always did.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/presentation_run.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

struct PowerCase {
  const char* Name;
  const char* Arguments;
  std::uint8_t RunningAsScreenSaver;
  bool MonitorPowerReachesProjector;
};

class ScreenSaverPower : public testing::TestWithParam<PowerCase> {};

TEST_P(ScreenSaverPower, TheMonitorMaySleepOnlyUnderTheScreenSaver) {
  const PowerCase& c = GetParam();
  PresentationRun run(PresentationSpec{});  // DisableScreenSaver and DisableW95Key by default
  run.Start(c.Arguments);
  ASSERT_TRUE(run.WaitForPresentation());
  const ControlBlock block = run.ReadControlBlock();
  EXPECT_EQ(block.DisableScreenSaver, 1);
  EXPECT_EQ(block.RunningAsScreenSaver, c.RunningAsScreenSaver);

  constexpr WPARAM kUnknownCommand = 4242;  // logged after whatever came before it
  PostMessageA(run.ProjectorWindow(), WM_SYSCOMMAND, SC_MONITORPOWER, 2);
  PostMessageA(run.ProjectorWindow(), WM_COMMAND, kUnknownCommand, 0);
  ASSERT_TRUE(WaitUntil([&] { return run.LastLog("command-ignored") == std::to_string(kUnknownCommand); }));
  const std::vector<std::string> commands = LogValues(run.ProjectorLog(), "system-command");
  EXPECT_EQ(std::ranges::count(commands, "monitor-power"), c.MonitorPowerReachesProjector ? 1 : 0);

  PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.RunnerExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Starts, ScreenSaverPower,
                         testing::Values(PowerCase{"ScreenSaver", "/s", 1, true},
                                         PowerCase{"ScreenSaverWithDash", "-S", 1, true},
                                         PowerCase{"Presentation", "", 0, false}),
                         CaseName<PowerCase>);

}  // namespace
}  // namespace vnx::test
