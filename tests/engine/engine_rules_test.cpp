#include "engine/engine_rules.h"

#include <gtest/gtest.h>

#include "engine/win_values.h"

namespace vnx::engine {
namespace {

TEST(EngineLocation, TheEngineFilesDirectoryNamesTheInstance) {
  struct Case {
    const char* path;
    const char* directory;
    std::optional<std::int32_t> instance;
  } const cases[] = {
      {"C:\\users\\ann\\Temp\\Vnx_Rt\\vnxengine.dll", "Vnx_Rt", 0},
      {"C:\\users\\ann\\Temp\\Vnx_Rt7\\pellam7.dll", "Vnx_Rt7", 7},
      {"\\\\server\\share\\Vnx_Rt12\\e.dll", "Vnx_Rt12", 12},
      {"C:/temp/Vnx_Rt3/e.dll", "Vnx_Rt3", 3},
      {"D:Vnx_Rt4\\e.dll", "Vnx_Rt4", 4},
      {"C:\\Program Files\\Show\\vnxengine.dll", "Show", std::nullopt},
      {"C:\\Vnx_Rt\\sub\\vnxengine.dll", "sub", std::nullopt},  // only the directory holding the file counts
      {"C:\\vnxengine.dll", "", std::nullopt},
      {"vnxengine.dll", "", std::nullopt},
      {"", "", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParentDirectoryName(c.path), c.directory) << c.path;
    EXPECT_EQ(InstanceOfEngineFile(c.path), c.instance) << c.path;
  }
}

ControlBlock BlockWithIds(std::uint32_t runner, std::uint32_t projector, std::uint32_t keyboardHook = 0) {
  ControlBlock block{};
  block.RunnerProcessId = runner;
  block.ProjectorProcessId = projector;
  block.KeyboardHook = keyboardHook;
  return block;
}

TEST(ProcessRoles, TheBlockTellsEachProcessItsPart) {
  struct Case {
    std::uint32_t self, runner, projector;
    ProcessRole role;
  } const cases[] = {
      {10, 0, 0, ProcessRole::Undecided},   // the runner is still filling the block
      {10, 0, 10, ProcessRole::Undecided},  // no runner id yet: nothing is certain
      {10, 10, 0, ProcessRole::Runner},
      {10, 10, 20, ProcessRole::Runner},
      {20, 10, 20, ProcessRole::Projector},
      {30, 10, 20, ProcessRole::Outsider},
      {30, 10, 0, ProcessRole::Outsider},  // already running, so never the
                                           // projector
      {10, 10, 10, ProcessRole::Runner},   // a block naming one process twice
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyProcess(c.self, BlockWithIds(c.runner, c.projector)), c.role)
        << c.self << " " << c.runner << " " << c.projector;
  }
}

TEST(ProcessRoles, TheWatcherStartsWhereTheRunnerLoadsTheLibrary) {
  struct Case {
    std::uint32_t self, runner, keyboardHook;
    bool watch;
  } const cases[] = {
      {10, 0, 0, true},    // loaded by the runner before any hook exists
      {10, 10, 77, true},  // the runner's id is already known
      {30, 0, 77, false},  // loaded by a hook while the block is being filled
      {30, 10, 77, false}, {30, 10, 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShouldWatch(c.self, BlockWithIds(c.runner, 0, c.keyboardHook)), c.watch) << c.self << " " << c.runner;
  }
}

WatchObservation Running() {
  WatchObservation seen;
  seen.blockOpen = true;
  seen.role = ProcessRole::Runner;
  seen.runnerWindowSet = true;
  seen.runnerWindowAlive = true;
  return seen;
}

TEST(PresentationWatch, ShownIsPostedOnceWhenTheProjectorWindowIsVisible) {
  WatchState state;
  WatchObservation seen = Running();
  WatchStep step = NextWatchStep(state, seen);
  EXPECT_FALSE(step.postShown);
  EXPECT_FALSE(step.stop);
  EXPECT_EQ(step.nextPollMs, kWatchPollMs);

  seen.projectorVisible = true;  // fitted and shown, but the run loop has not begun
  EXPECT_FALSE(NextWatchStep(state, seen).postShown);
  seen.presentationRunning = true;
  step = NextWatchStep(state, seen);
  EXPECT_TRUE(step.postShown);
  EXPECT_EQ(step.nextPollMs, kWatchSettledPollMs);
  step = NextWatchStep(state, seen);
  EXPECT_FALSE(step.postShown);
  EXPECT_FALSE(step.stop);
}

TEST(PresentationWatch, NothingIsPostedWithoutALiveRunnerWindowOrVisibleProjector) {
  WatchObservation hidden = Running();
  hidden.presentationRunning = true;
  WatchState state;
  EXPECT_FALSE(NextWatchStep(state, hidden).postShown);

  WatchObservation undecided = hidden;
  undecided.projectorVisible = true;
  undecided.role = ProcessRole::Undecided;
  WatchState fresh;
  const WatchStep step = NextWatchStep(fresh, undecided);
  EXPECT_FALSE(step.postShown);
  EXPECT_FALSE(step.stop);
}

TEST(PresentationWatch, EndsWithTheSession) {
  struct Case {
    const char* name;
    bool sawWindowBefore;
    void (*change)(WatchObservation&);
    bool stop;
  } const cases[] = {
      {"mapping closed", false, [](WatchObservation& s) { s.blockOpen = false; }, true},
      {"not the runner", false, [](WatchObservation& s) { s.role = ProcessRole::Outsider; }, true},
      {"the projector's process", false, [](WatchObservation& s) { s.role = ProcessRole::Projector; }, true},
      {"projector ended", true, [](WatchObservation& s) { s.projectorEnded = true; }, true},
      {"runner window cleared at teardown", true, [](WatchObservation& s) { s.runnerWindowSet = false; }, true},
      {"runner window destroyed", true, [](WatchObservation& s) { s.runnerWindowAlive = false; }, true},
      {"window not written yet", false,
       [](WatchObservation& s) {
         s.runnerWindowSet = false;
         s.runnerWindowAlive = false;
       },
       false},
      {"window of no live runner", false, [](WatchObservation& s) { s.runnerWindowAlive = false; }, true},
      {"block still being filled", false, [](WatchObservation& s) { s.role = ProcessRole::Undecided; }, false},
      {"running", true, [](WatchObservation&) {}, false},
  };
  for (const Case& c : cases) {
    WatchState state;
    if (c.sawWindowBefore) NextWatchStep(state, Running());
    WatchObservation seen = Running();
    c.change(seen);
    EXPECT_EQ(NextWatchStep(state, seen).stop, c.stop) << c.name;
  }
}

TEST(PresentationWatch, EndsWhenTheRunnersWindowWasClearedBeforeItWasSeen) {
  // The runner failed and cleared its window between two looks.
  WatchObservation windowless = Running();
  windowless.runnerWindowSet = false;
  windowless.runnerWindowAlive = false;
  WatchState state;
  EXPECT_FALSE(NextWatchStep(state, windowless).stop);  // it may be written in a moment
  EXPECT_TRUE(NextWatchStep(state, windowless).stop);

  WatchState late;
  EXPECT_FALSE(NextWatchStep(late, windowless).stop);
  EXPECT_FALSE(NextWatchStep(late, Running()).stop);  // there it is
  EXPECT_FALSE(NextWatchStep(late, Running()).stop);
  EXPECT_TRUE(NextWatchStep(late, windowless).stop);  // cleared at teardown
}

TEST(PresentationWatch, KeepsTheDisplayOnOnlyWhileAsked) {
  WatchState state;
  WatchObservation seen = Running();
  EXPECT_FALSE(NextWatchStep(state, seen).keepDisplayOn);
  seen.keepDisplayOn = true;
  EXPECT_EQ(NextWatchStep(state, seen).keepDisplayOn, std::optional<bool>(true));
  EXPECT_FALSE(NextWatchStep(state, seen).keepDisplayOn);  // already on
  seen.keepDisplayOn = false;
  EXPECT_EQ(NextWatchStep(state, seen).keepDisplayOn, std::optional<bool>(false));
}

TEST(SystemCommands, ScreenSaverAndStartMenuAreRefusedOnlyWhenAsked) {
  struct Case {
    bool noScreenSaver, blockKeys;
    std::uint32_t command;
    bool refused;
  } const cases[] = {
      {true, false, sc::kScreenSave, true},
      {true, false, sc::kScreenSave | 0x2, true},  // the low bits are the system's
      {true, false, sc::kMonitorPower, true},
      {false, true, sc::kScreenSave, false},
      {false, false, sc::kMonitorPower, false},
      {false, true, sc::kTaskList, true},
      {true, false, sc::kTaskList, false},
      {true, true, 0xF020 /* minimise */, false},
      {true, true, 0xF060 /* close */, false},
  };
  for (const Case& c : cases) {
    ControlBlock block{};
    block.DisableScreenSaver = c.noScreenSaver ? 1 : 0;
    block.BlockSystemKeys = c.blockKeys ? 1 : 0;
    EXPECT_EQ(RefusesSystemCommand(block, c.command), c.refused) << std::hex << c.command;
  }
}

// Run as the system's screen saver, the presentation lets the power plan
// turn the monitor off and the machine sleep; started otherwise it keeps
// both awake as DisableScreenSaver says. A second screen saver is never
// started over the one that runs.
TEST(ScreenSaverPower, TheMonitorSleepsOnlyUnderAScreenSaver) {
  constexpr std::uint32_t kAwake = es::kContinuous | es::kDisplayRequired | es::kSystemRequired;
  struct Case {
    const char* name;
    std::uint8_t disableScreenSaver, runningAsScreenSaver;
    bool keepsDisplayOn, refusesMonitorPower, refusesScreenSave;
  } const cases[] = {
      {"presentation, saver kept away", 1, 0, true, true, true},
      {"presentation, saver allowed", 0, 0, false, false, false},
      {"screen saver", 1, 1, false, false, true},
      {"screen saver that allows savers", 0, 1, false, false, true},
      {"screen saver, any nonzero byte", 1, 0x80, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlBlock block{};
    block.DisableScreenSaver = c.disableScreenSaver;
    block.RunningAsScreenSaver = c.runningAsScreenSaver;
    EXPECT_EQ(KeepsDisplayOn(block), c.keepsDisplayOn);
    EXPECT_EQ(ExecutionStateFor(KeepsDisplayOn(block)), c.keepsDisplayOn ? kAwake : es::kContinuous);
    EXPECT_EQ(RefusesSystemCommand(block, sc::kMonitorPower), c.refusesMonitorPower);
    EXPECT_EQ(RefusesSystemCommand(block, sc::kMonitorPower | 0x2), c.refusesMonitorPower);  // power off
    EXPECT_EQ(RefusesSystemCommand(block, sc::kScreenSave), c.refusesScreenSave);
  }
}

TEST(SystemCommands, AnyNonzeroByteCountsAsSet) {
  ControlBlock block{};
  block.DisableScreenSaver = 0xFF;
  EXPECT_TRUE(RefusesSystemCommand(block, sc::kScreenSave));
}

TEST(ProjectorMenu, ItemsAreRemovedOnlyFromTheMenuThatMayOpen) {
  ControlBlock block{};
  EXPECT_FALSE(WantsMenuCleanup(block));  // nothing to remove
  block.MenuDeleteItems[49] = 20048;
  EXPECT_TRUE(WantsMenuCleanup(block));
  block.NoRightClickMenu = 1;  // the menu never opens at all
  EXPECT_FALSE(WantsMenuCleanup(block));

  EXPECT_TRUE(IsPresentationContextMenu(true, false, true));
  EXPECT_FALSE(IsPresentationContextMenu(false, false, true));  // a menu bar's drop-down
  EXPECT_FALSE(IsPresentationContextMenu(true, true, true));    // the window menu
  EXPECT_FALSE(IsPresentationContextMenu(true, false, false));  // another window's menu
}

TEST(ProjectorMenu, TheMessageWatchIsNeededForTheCursorOrTheMenu) {
  ControlBlock block{};
  EXPECT_FALSE(NeedsProjectorMessageWatch(block));
  block.HideCursor = 1;
  EXPECT_TRUE(NeedsProjectorMessageWatch(block));
  block.HideCursor = 0;
  block.MenuDeleteItems[0] = 5;
  EXPECT_TRUE(NeedsProjectorMessageWatch(block));
}

TEST(HiddenCursor, OnlyOverTheClientAreaOfThePresentation) {
  ControlBlock block{};
  EXPECT_FALSE(HidesCursor(block, true, true));
  block.HideCursor = 1;
  EXPECT_TRUE(HidesCursor(block, true, true));
  EXPECT_FALSE(HidesCursor(block, false, true));
  EXPECT_FALSE(HidesCursor(block, true, false));
}

}  // namespace
}  // namespace vnx::engine
