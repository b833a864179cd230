#pragma once
// The engine library's decisions that do not depend on the viewer's input:
// where its control block is, which process it is running in, when the
// presentation counts as shown, which system commands it refuses. The
// library's Win32 layer gathers the facts and carries out the answers.

#include <cstdint>
#include <optional>
#include <string_view>

#include "contract/control_block.h"

namespace vnx::engine {

// The name of the directory holding the file at path ("C:\a\Vnx_Rt3\x.dll"
// gives "Vnx_Rt3"); empty when the path names no directory.
std::string_view ParentDirectoryName(std::string_view path) noexcept;

// The instance whose control block belongs to the engine file at path: its
// directory is the runner's working directory.
std::optional<std::int32_t> InstanceOfEngineFile(std::string_view path) noexcept;

// A hooked process learns from the block whether the presentation concerns it.
// Undecided while the runner has not yet written its own process id (the
// block is being filled); the verdict is final once it has: a process that
// already runs while the block names another projector can never become it,
// because the runner writes the projector's id before the projector runs.
enum class ProcessRole { Undecided, Runner, Projector, Outsider };
ProcessRole ClassifyProcess(std::uint32_t self, const ControlBlock& block) noexcept;

// Whether the library, being loaded into process self, starts the watcher
// that reports the shown presentation: in the runner's process, or while no
// hook exists yet (the runner loads the library before it installs hooks and
// before it writes its id).
bool ShouldWatch(std::uint32_t self, const ControlBlock& block) noexcept;

// The watcher polls the block from the runner's process.
struct WatchObservation {
  bool blockOpen = false;  // the mapping still exists
  ProcessRole role = ProcessRole::Undecided;
  bool runnerWindowSet = false;      // RunnerWindow is not 0
  bool runnerWindowAlive = false;    // RunnerWindow is a window of the runner's process
  bool presentationRunning = false;  // PresentationRunning is not 0
  bool projectorVisible = false;     // ProjectorWindow is a visible window
  bool projectorEnded = false;       // the projector's process has ended
  bool keepDisplayOn = false;        // KeepsDisplayOn
};
struct WatchState {
  bool sawRunnerWindow = false;
  int pollsWithoutWindow = 0;  // the runner's id is known, its window is not
  bool shownPosted = false;
  bool displayKeptOn = false;
};
struct WatchStep {
  bool stop = false;                  // the session is over or this is not the runner: leave
  bool postShown = false;             // post WM_RUNNER_SHOWN now (once per session)
  std::optional<bool> keepDisplayOn;  // switch the display requirement
  std::uint32_t nextPollMs = 0;
};
inline constexpr std::uint32_t kWatchPollMs = 50;          // until the presentation is shown
inline constexpr std::uint32_t kWatchSettledPollMs = 250;  // afterwards: only the end is awaited
// The runner writes its window and its id together; an id without a window
// seen this often in a row means the window was cleared before we looked.
inline constexpr int kPollsWithoutWindowToStop = 2;
WatchStep NextWatchStep(WatchState& state, const WatchObservation& seen) noexcept;

// With DisableScreenSaver the presentation keeps the display and the machine
// awake, unless it runs as the system's screen saver: then the power plan
// turns the monitor off and lets the machine sleep as with any screen saver.
bool KeepsDisplayOn(const ControlBlock& block) noexcept;
// The execution state the watcher's thread asks for while the display is
// kept on or not (SetThreadExecutionState's flags).
std::uint32_t ExecutionStateFor(bool keepDisplayOn) noexcept;

// System commands the engine refuses in the presentation's processes:
// monitor power-off while the display is kept on; the screen saver with
// DisableScreenSaver and while the presentation is the screen saver itself
// (a second one is never started over it); the Start menu (Ctrl+Esc) with
// BlockSystemKeys. command is the WM_SYSCOMMAND wParam.
bool RefusesSystemCommand(const ControlBlock& block, std::uint32_t command) noexcept;

// The projector's own right-click menu may open (no NoRightClickMenu) and
// items are to be removed from it.
bool WantsMenuCleanup(const ControlBlock& block) noexcept;
// Whether a menu about to open is that right-click menu: a popup that the
// projector tracks itself (not its window menu), owned by the presentation.
bool IsPresentationContextMenu(bool trackingPopup, bool windowMenu, bool ownerIsPresentation) noexcept;

// Whether the projector's thread needs the engine's message watch (the
// hidden cursor or the menu clean-up).
bool NeedsProjectorMessageWatch(const ControlBlock& block) noexcept;
// HideCursor: the cursor vanishes over the client area of the presentation.
bool HidesCursor(const ControlBlock& block, bool overPresentation, bool clientArea) noexcept;

}  // namespace vnx::engine
