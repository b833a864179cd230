#include "engine/projector_message_watch.h"

#include <windows.h>

#include <atomic>

#include "engine/engine_process.h"
#include "engine/engine_rules.h"

namespace vnx::engine {
namespace {

enum class WatchInstall { NotYet, Done };
std::atomic<WatchInstall> g_install{WatchInstall::NotYet};
std::atomic<HHOOK> g_hook{nullptr};
// Only the projector's main thread runs this hook.
bool g_trackingPopup = false;

void AfterSetCursor(const ControlBlock& block, const CWPRETSTRUCT& sent) noexcept {
  const HWND window = reinterpret_cast<HWND>(sent.wParam);
  if (HidesCursor(block, IsPresentationWindow(block, window), LOWORD(sent.lParam) == HTCLIENT)) SetCursor(nullptr);
}

void AfterInitMenuPopup(const ControlBlock& block, const CWPRETSTRUCT& sent) noexcept {
  const HMENU menu = reinterpret_cast<HMENU>(sent.wParam);
  const bool windowMenu = HIWORD(sent.lParam) != 0;
  const bool ownerIsPresentation = IsPresentationWindow(block, sent.hwnd);
  if (!WantsMenuCleanup(block) || !IsPresentationContextMenu(g_trackingPopup, windowMenu, ownerIsPresentation)) return;
  if (!IsMenu(menu)) return;
  for (int i = 0; i < 50; ++i) {
    const std::int32_t item = block.MenuDeleteItems[i];
    if (item != 0) DeleteMenu(menu, static_cast<UINT>(item), MF_BYCOMMAND);
  }
}

LRESULT CALLBACK ProjectorMessageWatch(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && lParam != 0) {
    const CWPRETSTRUCT& sent = *reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    const PresentationBlock block;
    if (block) {
      switch (sent.message) {
        case WM_SETCURSOR: AfterSetCursor(*block, sent); break;
        case WM_ENTERMENULOOP: g_trackingPopup = sent.wParam != FALSE; break;
        case WM_EXITMENULOOP: g_trackingPopup = false; break;
        case WM_INITMENUPOPUP: AfterInitMenuPopup(*block, sent); break;
        default: break;
      }
    }
  }
  return CallNextHookEx(g_hook.load(), code, wParam, lParam);
}

}  // namespace

void EnsureProjectorMessageWatch(const ControlBlock& block) noexcept {
  if (g_install.load() == WatchInstall::Done) return;
  const DWORD thread = GetCurrentThreadId();
  if (block.ProjectorThreadId != thread) return;  // the main thread installs it, on its own
  g_install = WatchInstall::Done;
  if (!NeedsProjectorMessageWatch(block)) return;
  // The hook's code must stay while the thread can call it, even after the
  // runner has removed the hooks that brought the library here.
  if (!AddEngineReference(true)) return;
  g_hook = SetWindowsHookExA(WH_CALLWNDPROCRET, ProjectorMessageWatch, EngineModule(), thread);
}

void RemoveProjectorMessageWatch() noexcept {
  const HHOOK hook = g_hook.exchange(nullptr);
  if (hook != nullptr) UnhookWindowsHookEx(hook);
}

}  // namespace vnx::engine
