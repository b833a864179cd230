// The library's seven exports. The runner installs MProc, KProc, CProc and
// GProc as system-wide hooks; WProc, FProc and SProc must exist but are never
// installed. Every procedure hands the event on to the next hook, whatever it
// decides; it swallows an event by returning nonzero afterwards.

#include <windows.h>

#include <atomic>

#include "engine/engine_process.h"
#include "engine/engine_rules.h"
#include "engine/input_rules.h"
#include "engine/projector_message_watch.h"
#include "engine/win_values.h"

namespace vnx::engine {
namespace {

static_assert(msg::kKeyDown == WM_KEYDOWN && msg::kKeyUp == WM_KEYUP && msg::kSysKeyDown == WM_SYSKEYDOWN &&
              msg::kSysKeyUp == WM_SYSKEYUP && msg::kSysCommand == WM_SYSCOMMAND);
static_assert(msg::kNcMouseMove == WM_NCMOUSEMOVE && msg::kNcLButtonDown == WM_NCLBUTTONDOWN &&
              msg::kNcLButtonUp == WM_NCLBUTTONUP && msg::kNcLButtonDblClk == WM_NCLBUTTONDBLCLK &&
              msg::kNcRButtonDown == WM_NCRBUTTONDOWN && msg::kNcRButtonUp == WM_NCRBUTTONUP &&
              msg::kNcRButtonDblClk == WM_NCRBUTTONDBLCLK && msg::kNcMButtonDown == WM_NCMBUTTONDOWN &&
              msg::kNcMButtonDblClk == WM_NCMBUTTONDBLCLK && msg::kNcXButtonDown == WM_NCXBUTTONDOWN &&
              msg::kNcXButtonDblClk == WM_NCXBUTTONDBLCLK);
static_assert(msg::kMouseMove == WM_MOUSEMOVE && msg::kLButtonDown == WM_LBUTTONDOWN &&
              msg::kLButtonUp == WM_LBUTTONUP && msg::kLButtonDblClk == WM_LBUTTONDBLCLK &&
              msg::kRButtonDown == WM_RBUTTONDOWN && msg::kRButtonUp == WM_RBUTTONUP &&
              msg::kRButtonDblClk == WM_RBUTTONDBLCLK && msg::kMButtonDown == WM_MBUTTONDOWN &&
              msg::kMButtonDblClk == WM_MBUTTONDBLCLK && msg::kMouseWheel == WM_MOUSEWHEEL &&
              msg::kXButtonDown == WM_XBUTTONDOWN &&
              msg::kXButtonDblClk == WM_XBUTTONDBLCLK);  // WM_MOUSEHWHEEL is newer than our headers' target
static_assert(vk::kEscape == VK_ESCAPE && vk::kLWin == VK_LWIN && vk::kRWin == VK_RWIN && vk::kApps == VK_APPS &&
              vk::kF10 == VK_F10);
static_assert(sc::kTaskList == SC_TASKLIST && sc::kScreenSave == SC_SCREENSAVE && sc::kMonitorPower == SC_MONITORPOWER);

// The DPI this process works in: 96 for one that declares nothing about
// scaling (the system scales it), the screen's for one that is aware (the
// runner). Fixed for the life of the process; asked once, outside DllMain.
int ProcessDpi() noexcept {
  static std::atomic<int> known{0};
  int dpi = known.load();
  if (dpi == 0) {
    const HDC screen = GetDC(nullptr);
    dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    if (dpi <= 0) dpi = 96;
    known.store(dpi);
  }
  return dpi;
}

std::uint32_t HandleValue(HWND window) noexcept {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}

bool ForegroundIsPresentation(const ControlBlock& block) noexcept {
  const HWND foreground = GetForegroundWindow();
  return foreground != nullptr &&
         (foreground == BlockWindow(block.RunnerWindow) || foreground == BlockWindow(block.ProjectorWindow));
}

// The presentation's block for this call, in the runner's or the projector's
// process; in the projector it also sets up the engine's own message watch.
struct HookContext {
  PresentationBlock block;
  HookContext() noexcept {
    if (block && block.Role() == ProcessRole::Projector) EnsureProjectorMessageWatch(*block);
  }
};

bool OnMouse(const ControlBlock& block, ProcessRole role, WPARAM message, const MOUSEHOOKSTRUCT& event) noexcept {
  InputStateAccess state;
  if (!state) return false;
  MouseInput input;
  input.message = static_cast<std::uint32_t>(message);
  // The anchor of the mouse-exit distance may come from the runner's frame
  // and the move from the projector's window: both in 96-DPI pixels.
  input.x = MulDiv(event.pt.x, 96, ProcessDpi());
  input.y = MulDiv(event.pt.y, 96, ProcessDpi());
  input.overPresentation = IsPresentationWindow(block, event.hwnd);
  input.inProjector = role == ProcessRole::Projector;
  input.foregroundIsPresentation = IsClientPress(input.message) && ForegroundIsPresentation(block);
  const Verdict verdict = DecideMouse(block, *state, input);
  PostNotices(block, verdict);
  return verdict.swallow;
}

bool OnKey(const ControlBlock& block, WPARAM virtualKey, LPARAM flags) noexcept {
  InputStateAccess state;
  if (!state) return false;
  HWND focus = GetFocus();
  if (focus == nullptr) focus = GetActiveWindow();  // keys then go to the active window
  KeyInput input;
  input.virtualKey = static_cast<std::uint32_t>(virtualKey);
  input.pressed = (static_cast<DWORD>(flags) & 0x80000000u) == 0;  // transition bit clear: down
  input.shift = GetKeyState(VK_SHIFT) < 0;
  input.focusInPresentation = IsPresentationWindow(block, focus);
  const Verdict verdict = DecideKey(block, *state, input);
  PostNotices(block, verdict);
  return verdict.swallow;
}

void OnActivate(const ControlBlock& block, HWND window) noexcept {
  InputStateAccess state;
  if (!state) return;
  PostNotices(block, DecideActivation(block, *state, HandleValue(window), IsPresentationWindow(block, window)));
}

void OnSetFocus(const ControlBlock& block, HWND gaining, HWND losing) noexcept {
  InputStateAccess state;
  if (!state) return;
  const HWND runner = BlockWindow(block.RunnerWindow);
  const HWND projector = BlockWindow(block.ProjectorWindow);
  FocusInput input;
  input.toRunnerWindow = gaining != nullptr && gaining == runner;
  input.fromProjectorWindow = losing != nullptr && losing == projector;
  input.projectorVisible = projector != nullptr && IsWindow(projector) && IsWindowVisible(projector);
  input.nowMs = GetTickCount();
  PostNotices(block, DecideFocus(block, *state, input));
}

void OnWindowCommand(const ControlBlock& block) noexcept {
  InputStateAccess state;
  if (state) PostNotices(block, DecideWindowCommand(*state));
}

// Returns whether the CBT event is refused.
bool OnCbt(const ControlBlock& block, int code, WPARAM wParam, LPARAM lParam) noexcept {
  switch (code) {
    case HCBT_ACTIVATE: OnActivate(block, reinterpret_cast<HWND>(wParam)); return false;
    case HCBT_SETFOCUS: OnSetFocus(block, reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam)); return false;
    case HCBT_MINMAX: OnWindowCommand(block); return false;
    case HCBT_SYSCOMMAND:
      if (RefusesSystemCommand(block, static_cast<std::uint32_t>(wParam))) return true;
      OnWindowCommand(block);
      return false;
    default: return false;
  }
}

// The GetMessage hook turns a refused message into WM_NULL.
void OnGetMessage(const ControlBlock& block, MSG& message) noexcept {
  const auto number = static_cast<std::uint32_t>(message.message);
  const auto wParam = static_cast<std::uint32_t>(message.wParam);
  if (RefusesKeyMessage(block, number, wParam) || (number == msg::kSysCommand && RefusesSystemCommand(block, wParam))) {
    message.message = WM_NULL;
  }
}

LRESULT PassOn(HookKind kind, int code, WPARAM wParam, LPARAM lParam, bool swallow) noexcept {
  const LRESULT next = CallNextHookEx(PublishedHook(kind), code, wParam, lParam);
  return swallow ? 1 : next;
}

}  // namespace
}  // namespace vnx::engine

using namespace vnx::engine;

extern "C" {

LRESULT CALLBACK MProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  bool swallow = false;
  if (code == HC_ACTION && lParam != 0) {
    const HookContext context;
    if (context.block) {
      const auto& event = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
      swallow = OnMouse(*context.block, context.block.Role(), wParam, event);
    }
  }
  return PassOn(HookKind::Mouse, code, wParam, lParam, swallow);
}

LRESULT CALLBACK KProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  bool swallow = false;
  if (code == HC_ACTION) {
    const HookContext context;
    if (context.block) swallow = OnKey(*context.block, wParam, lParam);
  }
  return PassOn(HookKind::Keyboard, code, wParam, lParam, swallow);
}

LRESULT CALLBACK CProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  bool refuse = false;
  if (code >= 0) {
    const HookContext context;
    if (context.block) refuse = OnCbt(*context.block, code, wParam, lParam);
  }
  return PassOn(HookKind::Cbt, code, wParam, lParam, refuse);
}

LRESULT CALLBACK GProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && wParam == PM_REMOVE && lParam != 0) {
    const HookContext context;
    if (context.block) OnGetMessage(*context.block, *reinterpret_cast<MSG*>(lParam));
  }
  return PassOn(HookKind::GetMessage, code, wParam, lParam, false);
}

// Never installed by the runner; present because it looks for them.
LRESULT CALLBACK WProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK FProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK SProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // extern "C"
