#pragma once
// What the engine library knows about the process it is loaded into: where
// its control block is, what part the process plays in the presentation, and
// how it reaches the runner. Nothing here throws, allocates or waits, because
// it runs inside hook procedures of arbitrary processes.

#include <windows.h>

#include "contract/control_block.h"
#include "engine/engine_rules.h"
#include "engine/input_rules.h"

namespace vnx::engine {

// Called once when the library is loaded: finds the block through the
// library's own directory, decides the process's role when the block already
// tells it, and starts the watcher in the runner's process.
void AttachToProcess(HMODULE module) noexcept;
// Called when the library is unloaded (not at process exit).
void DetachFromProcess() noexcept;

HMODULE EngineModule() noexcept;
// Adds a reference to the library, for the life of the process when pinned,
// so that code of the library that outlives a hook (a thread, a hook of the
// library's own) is not unloaded under it.
bool AddEngineReference(bool pin) noexcept;
const FixedMappingName& BlockMappingName() noexcept;

// The block for one hook call, in the runner's and the projector's processes
// only. Both keep one read-only view from the call that learns their part
// until the library is unloaded; a process that cannot tell yet (the runner
// is still filling the block) maps it for the look and lets it go, and an
// outsider never looks again.
class PresentationBlock {
 public:
  PresentationBlock() noexcept;

  explicit operator bool() const noexcept { return block_ != nullptr; }
  const ControlBlock& operator*() const noexcept { return *block_; }
  const ControlBlock* operator->() const noexcept { return block_; }
  ProcessRole Role() const noexcept { return role_; }

 private:
  const ControlBlock* block_ = nullptr;
  ProcessRole role_ = ProcessRole::Undecided;
};

// The hook handle for CallNextHookEx as the runner published it (older
// systems need it; newer ones ignore it); 0 while unknown.
enum class HookKind { Mouse, Keyboard, Cbt, GetMessage };
HHOOK PublishedHook(HookKind kind) noexcept;

// The process's input memory; try-locked, so a hook never waits for another
// thread: when two threads meet, the later one goes without the state.
class InputStateAccess {
 public:
  InputStateAccess() noexcept;
  ~InputStateAccess();
  InputStateAccess(const InputStateAccess&) = delete;
  InputStateAccess& operator=(const InputStateAccess&) = delete;
  explicit operator bool() const noexcept { return owned_; }
  InputState& operator*() const noexcept;

 private:
  bool owned_ = false;
};

HWND BlockWindow(std::uint32_t value) noexcept;
// The runner's window as the block names it, when it is a live window of the
// runner's process; 0 otherwise.
HWND LiveRunnerWindow(const ControlBlock& block) noexcept;
// The window is the runner's or the projector's window or lies inside one.
bool IsPresentationWindow(const ControlBlock& block, HWND window) noexcept;
// Posts each notice of the verdict to the runner's window.
void PostNotices(const ControlBlock& block, const Verdict& verdict) noexcept;
bool PostToRunner(const ControlBlock& block, UINT message, WPARAM wParam) noexcept;

}  // namespace vnx::engine
