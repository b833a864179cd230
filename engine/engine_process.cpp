#include "engine/engine_process.h"

#include <atomic>
#include <cstdint>
#include <string_view>

#include "common/handle.h"
#include "common/library_function.h"
#include "contract/private_messages.h"
#include "engine/presentation_watcher.h"

namespace vnx::engine {
namespace {

HMODULE g_module = nullptr;
wchar_t g_path[MAX_PATH] = {};  // whole: the working directory may lie in a folder of any script
bool g_located = false;
FixedMappingName g_mappingName = {};

std::atomic<ProcessRole> g_role{ProcessRole::Undecided};
// The runner's and the projector's view, mapped once and kept until the
// library is unloaded.
std::atomic<const ControlBlock*> g_lastingView{nullptr};
std::atomic<std::uint32_t> g_hooks[4] = {};

std::atomic_flag g_inputBusy = ATOMIC_FLAG_INIT;
InputState g_input;

const ControlBlock* MapBlock() noexcept {
  const UniqueKernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, g_mappingName.Text));
  if (!mapping) return nullptr;
  // A view larger than the mapping fails, so a foreign mapping of that name
  // that is too small is never read beyond its end.
  return static_cast<const ControlBlock*>(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(ControlBlock)));
}

void Unmap(const ControlBlock* view) noexcept {
  if (view != nullptr) UnmapViewOfFile(view);
}

void RememberHooks(const ControlBlock& block) noexcept {
  g_hooks[static_cast<int>(HookKind::Mouse)] = block.MouseHook;
  g_hooks[static_cast<int>(HookKind::Keyboard)] = block.KeyboardHook;
  g_hooks[static_cast<int>(HookKind::Cbt)] = block.CbtHook;
  g_hooks[static_cast<int>(HookKind::GetMessage)] = block.GetMessageHook;
}

// Records what the block says about this process. The view becomes the
// lasting one in the runner and the projector (unless another thread was
// quicker); otherwise it is let go. The lasting view is published before the
// role, so whoever sees the role finds the view.
ProcessRole Settle(const ControlBlock* view) noexcept {
  const ProcessRole role = ClassifyProcess(GetCurrentProcessId(), *view);
  bool kept = false;
  if (role == ProcessRole::Runner || role == ProcessRole::Projector) {
    const ControlBlock* none = nullptr;
    kept = g_lastingView.compare_exchange_strong(none, view);
  }
  if (role != ProcessRole::Undecided) {
    RememberHooks(*view);
    g_role = role;
  }
  if (!kept) Unmap(view);
  return role;
}

// A process that does not know its part yet looks at the block again. Once
// the mapping is gone, the session is over (or never began) for good.
ProcessRole Decide() noexcept {
  const ControlBlock* view = MapBlock();
  if (view != nullptr) return Settle(view);
  ProcessRole undecided = ProcessRole::Undecided;
  g_role.compare_exchange_strong(undecided, ProcessRole::Outsider);
  return g_role;
}

}  // namespace

void AttachToProcess(HMODULE module) noexcept {
  g_module = module;
  const DWORD length = GetModuleFileNameW(module, g_path, MAX_PATH);
  // The instance comes from the name of the library's directory, which the
  // runner gives in plain ASCII; the code page's rendering of the rest is
  // good enough for finding it.
  char path[2 * MAX_PATH] = {};
  const int narrow =
      (length == 0 || length >= MAX_PATH)
          ? 0
          : WideCharToMultiByte(CP_ACP, 0, g_path, static_cast<int>(length), path, sizeof path, nullptr, nullptr);
  const std::optional<std::int32_t> instance =
      narrow == 0 ? std::nullopt : InstanceOfEngineFile(std::string_view(path, static_cast<std::size_t>(narrow)));
  if (!instance) {
    g_role = ProcessRole::Outsider;  // not in a working directory: no presentation to serve
    return;
  }
  g_mappingName = FixedMappingNameFor(*instance);
  g_located = true;

  const ControlBlock* view = MapBlock();
  if (view == nullptr) {
    g_role = ProcessRole::Outsider;  // no runner has this mapping open
    return;
  }
  if (ShouldWatch(GetCurrentProcessId(), *view)) StartPresentationWatcher(module);
  Settle(view);
}

void DetachFromProcess() noexcept {
  g_role = ProcessRole::Outsider;
  Unmap(g_lastingView.exchange(nullptr));
}

HMODULE EngineModule() noexcept { return g_module; }
const FixedMappingName& BlockMappingName() noexcept { return g_mappingName; }

bool AddEngineReference(bool pin) noexcept {
  using GetModuleHandleExFn = BOOL(WINAPI*)(DWORD, LPCWSTR, HMODULE*);
  const auto getModuleHandleEx = KernelFunction<GetModuleHandleExFn>("GetModuleHandleExW");
  if (getModuleHandleEx != nullptr) {
    HMODULE held = nullptr;
    return getModuleHandleEx(pin ? GET_MODULE_HANDLE_EX_FLAG_PIN : 0, g_path, &held) != FALSE;
  }
  // Older systems: loading an already loaded library only counts it again.
  return LoadLibraryW(g_path) != nullptr;
}

PresentationBlock::PresentationBlock() noexcept {
  ProcessRole role = g_role;
  if (role == ProcessRole::Undecided && g_located) role = Decide();
  if (role != ProcessRole::Runner && role != ProcessRole::Projector) return;
  block_ = g_lastingView;
  role_ = block_ != nullptr ? role : ProcessRole::Undecided;
}

HHOOK PublishedHook(HookKind kind) noexcept {
  return reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(g_hooks[static_cast<int>(kind)].load()));
}

InputStateAccess::InputStateAccess() noexcept : owned_(!g_inputBusy.test_and_set(std::memory_order_acquire)) {}

InputStateAccess::~InputStateAccess() {
  if (owned_) g_inputBusy.clear(std::memory_order_release);
}

InputState& InputStateAccess::operator*() const noexcept { return g_input; }

HWND BlockWindow(std::uint32_t value) noexcept { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value)); }

HWND LiveRunnerWindow(const ControlBlock& block) noexcept {
  const HWND window = BlockWindow(block.RunnerWindow);
  if (window == nullptr || !IsWindow(window)) return nullptr;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner != 0 && owner == block.RunnerProcessId ? window : nullptr;
}

bool IsPresentationWindow(const ControlBlock& block, HWND window) noexcept {
  if (window == nullptr) return false;
  const HWND runner = BlockWindow(block.RunnerWindow);
  const HWND projector = BlockWindow(block.ProjectorWindow);
  if (window == runner || window == projector) return true;
  return (runner != nullptr && IsChild(runner, window)) || (projector != nullptr && IsChild(projector, window));
}

bool PostToRunner(const ControlBlock& block, UINT message, WPARAM wParam) noexcept {
  const HWND runner = LiveRunnerWindow(block);
  return runner != nullptr && PostMessageA(runner, message, wParam, 0) != FALSE;
}

void PostNotices(const ControlBlock& block, const Verdict& verdict) noexcept {
  for (int i = 0; i < verdict.postCount; ++i) {
    const Post& post = verdict.posts[i];
    UINT message = 0;
    switch (post.notice) {
      case Notice::Exit: message = WM_RUNNER_EXIT; break;
      case Notice::PopupMenu: message = WM_RUNNER_POPUP_MENU; break;
      case Notice::MouseDown: message = WM_RUNNER_MOUSE_DOWN; break;
      case Notice::DragEnd: message = WM_RUNNER_DRAG_END; break;
      case Notice::DragCancel: message = WM_RUNNER_DRAG_CANCEL; break;
      case Notice::Raise: message = WM_RUNNER_RAISE; break;
      case Notice::Activated: message = WM_RUNNER_ACTIVATED; break;
      case Notice::FocusProjector: message = WM_RUNNER_FOCUS_PROJECTOR; break;
    }
    PostToRunner(block, message, post.wParam);
  }
}

}  // namespace vnx::engine
