#include "engine/presentation_watcher.h"

#include <cstring>

#include "common/handle.h"
#include "common/library_function.h"
#include "contract/private_messages.h"
#include "engine/engine_process.h"
#include "engine/win_values.h"

namespace vnx::engine {
namespace {

static_assert(es::kContinuous == ES_CONTINUOUS && es::kDisplayRequired == ES_DISPLAY_REQUIRED &&
              es::kSystemRequired == ES_SYSTEM_REQUIRED);

using SetThreadExecutionStateFn = EXECUTION_STATE(WINAPI*)(EXECUTION_STATE);

struct Watch {
  WatchState state;
  ControlBlock block{};  // the last copy read; the view itself is let go at once
  UniqueKernelHandle projector;
  DWORD projectorId = 0;
  // Not on the oldest systems; there the CBT hook's refusal of the screen
  // saver command stands alone.
  SetThreadExecutionStateFn setExecutionState = KernelFunction<SetThreadExecutionStateFn>("SetThreadExecutionState");
};

bool ProjectorEnded(Watch& watch, DWORD projectorId) noexcept {
  if (projectorId == 0) return false;
  if (projectorId != watch.projectorId) {
    watch.projector.reset(OpenProcess(SYNCHRONIZE, FALSE, projectorId));
    if (watch.projector) watch.projectorId = projectorId;  // else asked again next time
  }
  return watch.projector && WaitForSingleObject(watch.projector.get(), 0) == WAIT_OBJECT_0;
}

WatchObservation Observe(Watch& watch) noexcept {
  WatchObservation seen;
  {
    // Holding nothing between polls lets the mapping vanish with the runner's
    // last handle, which is how a failed start-up ends the watch.
    const UniqueKernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, BlockMappingName().Text));
    if (!mapping) return seen;
    const UniqueMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(ControlBlock)));
    if (!view) return seen;
    std::memcpy(&watch.block, view.get(), sizeof(ControlBlock));
  }
  const ControlBlock& block = watch.block;
  seen.blockOpen = true;
  seen.role = ClassifyProcess(GetCurrentProcessId(), block);
  seen.runnerWindowSet = block.RunnerWindow != 0;
  seen.runnerWindowAlive = LiveRunnerWindow(block) != nullptr;
  seen.presentationRunning = block.PresentationRunning != 0;
  const HWND projector = BlockWindow(block.ProjectorWindow);
  seen.projectorVisible = projector != nullptr && IsWindow(projector) && IsWindowVisible(projector);
  seen.projectorEnded = ProjectorEnded(watch, block.ProjectorProcessId);
  seen.keepDisplayOn = KeepsDisplayOn(block);
  return seen;
}

void KeepDisplayOn(const Watch& watch, bool on) noexcept {
  if (watch.setExecutionState == nullptr) return;
  // The requirement belongs to this thread and ends with it.
  watch.setExecutionState(ExecutionStateFor(on));
}

void RunWatch() noexcept {
  Watch watch;
  DWORD pause = kWatchPollMs;
  for (;;) {
    Sleep(pause);
    const WatchStep step = NextWatchStep(watch.state, Observe(watch));
    if (step.keepDisplayOn) KeepDisplayOn(watch, *step.keepDisplayOn);
    if (step.postShown) PostToRunner(watch.block, WM_RUNNER_SHOWN, 0);
    if (step.stop) return;
    pause = step.nextPollMs;
  }
}

DWORD WINAPI WatchPresentation(void* module) noexcept {
  RunWatch();
  FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

}  // namespace

void StartPresentationWatcher(HMODULE module) noexcept {
  if (!AddEngineReference(false)) return;
  DWORD threadId = 0;  // the oldest systems insist on somewhere to write it
  const HANDLE thread = CreateThread(nullptr, 0, WatchPresentation, module, 0, &threadId);
  if (thread == nullptr) {
    FreeLibrary(module);
    return;
  }
  CloseHandle(thread);
}

}  // namespace vnx::engine
