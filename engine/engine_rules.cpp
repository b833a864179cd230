#include "engine/engine_rules.h"

#include "engine/win_values.h"

namespace vnx::engine {

std::string_view ParentDirectoryName(std::string_view path) noexcept {
  const std::size_t fileStart = path.find_last_of("\\/");
  if (fileStart == std::string_view::npos) return {};
  // Built by hand rather than with substr, which may throw: this runs in
  // the library, inside other processes.
  std::string_view directory(path.data(), fileStart);
  const std::size_t nameStart = directory.find_last_of("\\/:");
  if (nameStart != std::string_view::npos) directory.remove_prefix(nameStart + 1);
  return directory;
}

std::optional<std::int32_t> InstanceOfEngineFile(std::string_view path) noexcept {
  return InstanceFromWorkDirName(ParentDirectoryName(path));
}

ProcessRole ClassifyProcess(std::uint32_t self, const ControlBlock& block) noexcept {
  const std::uint32_t runner = block.RunnerProcessId;
  if (runner == 0) return ProcessRole::Undecided;
  if (self == runner) return ProcessRole::Runner;
  const std::uint32_t projector = block.ProjectorProcessId;
  if (projector != 0 && self == projector) return ProcessRole::Projector;
  return ProcessRole::Outsider;
}

bool ShouldWatch(std::uint32_t self, const ControlBlock& block) noexcept {
  const std::uint32_t runner = block.RunnerProcessId;
  return runner == self || (runner == 0 && block.KeyboardHook == 0);
}

WatchStep NextWatchStep(WatchState& state, const WatchObservation& seen) noexcept {
  WatchStep step;
  step.nextPollMs = state.shownPosted ? kWatchSettledPollMs : kWatchPollMs;
  const bool notRunner = seen.role == ProcessRole::Projector || seen.role == ProcessRole::Outsider;
  if (!seen.blockOpen || notRunner) {
    step.stop = true;
    return step;
  }
  if (seen.role == ProcessRole::Undecided) return step;

  if (seen.runnerWindowSet) {
    state.sawRunnerWindow = true;
    state.pollsWithoutWindow = 0;
  } else {
    ++state.pollsWithoutWindow;
  }
  // The runner clears its window at teardown; a vanished window means it died.
  const bool runnerGone = state.sawRunnerWindow ? !seen.runnerWindowSet || !seen.runnerWindowAlive
                                                : state.pollsWithoutWindow >= kPollsWithoutWindowToStop;
  if (runnerGone || seen.projectorEnded) {
    step.stop = true;
    return step;
  }
  if (!state.shownPosted && seen.presentationRunning && seen.projectorVisible && seen.runnerWindowAlive) {
    state.shownPosted = true;
    step.postShown = true;
    step.nextPollMs = kWatchSettledPollMs;
  }
  if (seen.keepDisplayOn != state.displayKeptOn) {
    state.displayKeptOn = seen.keepDisplayOn;
    step.keepDisplayOn = seen.keepDisplayOn;
  }
  return step;
}

bool KeepsDisplayOn(const ControlBlock& block) noexcept {
  return block.DisableScreenSaver != 0 && block.RunningAsScreenSaver == 0;
}

std::uint32_t ExecutionStateFor(bool keepDisplayOn) noexcept {
  return keepDisplayOn ? es::kContinuous | es::kDisplayRequired | es::kSystemRequired : es::kContinuous;
}

bool RefusesSystemCommand(const ControlBlock& block, std::uint32_t command) noexcept {
  const std::uint32_t base = command & 0xFFF0;  // the low four bits are the system's own
  if (base == sc::kMonitorPower) return KeepsDisplayOn(block);
  if (base == sc::kScreenSave) return block.DisableScreenSaver != 0 || block.RunningAsScreenSaver != 0;
  return block.BlockSystemKeys != 0 && base == sc::kTaskList;
}

bool WantsMenuCleanup(const ControlBlock& block) noexcept {
  if (block.NoRightClickMenu != 0) return false;
  for (const std::int32_t item : block.MenuDeleteItems) {
    if (item != 0) return true;
  }
  return false;
}

bool IsPresentationContextMenu(bool trackingPopup, bool windowMenu, bool ownerIsPresentation) noexcept {
  return trackingPopup && !windowMenu && ownerIsPresentation;
}

bool NeedsProjectorMessageWatch(const ControlBlock& block) noexcept {
  return block.HideCursor != 0 || WantsMenuCleanup(block);
}

bool HidesCursor(const ControlBlock& block, bool overPresentation, bool clientArea) noexcept {
  return block.HideCursor != 0 && overPresentation && clientArea;
}

}  // namespace vnx::engine
