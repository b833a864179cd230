#include "window/saver_covers.h"

#include <windowsx.h>

#include "common/callback_guard.h"
#include "contract/mouse_exit.h"
#include "contract/private_messages.h"

namespace vnx {
namespace {

constexpr char kCoverClass[] = "VornexSaverCover";

using Shared = SaverCovers::Shared;

Shared* SharedOf(HWND cover) { return reinterpret_cast<Shared*>(GetWindowLongPtrA(cover, GWLP_USERDATA)); }

// The request the engine posts when the viewer ends the presentation; once.
void PostExit(Shared& shared) {
  if (shared.ExitPosted) return;
  shared.ExitPosted = true;
  PostMessageA(shared.RunnerWindow, WM_RUNNER_EXIT, 0, 0);
}

LRESULT OnNcCreate(HWND cover, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  SetWindowLongPtrA(cover, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  return DefWindowProcA(cover, message, wParam, lParam);
}

// Measured on the screen: the cursor may cross from one cover to the next.
void OnMouseMove(Shared& shared, HWND cover, LPARAM lParam) {
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(cover, &at);
  if (CoverMouseEnds(shared.Exits.ExitOnMouse, shared.Mouse, false, at.x, at.y, kMouseExitDistance)) PostExit(shared);
}

void OnMousePress(Shared& shared) {
  if (CoverMouseEnds(shared.Exits.ExitOnMouse, shared.Mouse, true, 0, 0, kMouseExitDistance)) PostExit(shared);
}

void OnKeyDown(Shared& shared, WPARAM virtualKey) {
  if (CoverKeyEnds(shared.Exits.ExitOnAnyKey, shared.Exits.ExitOnEsc, virtualKey == VK_ESCAPE)) PostExit(shared);
}

LRESULT CALLBACK CoverProc(HWND cover, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardCallback<LRESULT>(0, [&]() -> LRESULT {
    if (message == WM_NCCREATE) return OnNcCreate(cover, message, wParam, lParam);
    Shared* shared = SharedOf(cover);
    if (!shared) return DefWindowProcA(cover, message, wParam, lParam);
    switch (message) {
      case WM_MOUSEACTIVATE: return MA_NOACTIVATE;  // the presentation keeps the activation
      case WM_MOUSEMOVE: OnMouseMove(*shared, cover, lParam); return 0;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_XBUTTONDOWN:
      case WM_MOUSEWHEEL: OnMousePress(*shared); return 0;
      case WM_KEYDOWN: OnKeyDown(*shared, wParam); return 0;
      case WM_SYSKEYDOWN: OnKeyDown(*shared, wParam); break;  // Alt+F4 and the like still reach the default
      case WM_CLOSE: return 0;                                // a cover goes with the presentation, never alone
      default: break;
    }
    return DefWindowProcA(cover, message, wParam, lParam);
  });
}

bool RegisterCoverClass() {
  WNDCLASSA coverClass{};
  coverClass.lpfnWndProc = CoverProc;
  coverClass.hInstance = GetModuleHandleA(nullptr);
  coverClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  coverClass.lpszClassName = kCoverClass;
  return RegisterClassA(&coverClass) != 0;
}

HWND CreateCover(const ScreenRect& rect, Shared& shared) {
  static const bool registered = RegisterCoverClass();
  if (!registered) return nullptr;
  const HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, "", WS_POPUP,
                                     rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), &shared);
  if (cover) ShowWindow(cover, SW_SHOWNOACTIVATE);
  return cover;
}

ScreenRect WindowArea(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  return GuardCallback<BOOL>(FALSE, [&] {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(
        {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
  });
}

}  // namespace

SaverCovers::SaverCovers(HWND runnerWindow, const std::vector<MonitorArea>& monitors, const CoverExits& exits)
    : shared_(std::make_unique<Shared>(Shared{runnerWindow, exits, {}, false})) {
  for (const ScreenRect& rect : PlanSaverCovers(monitors, WindowArea(runnerWindow)).Covers) {
    UniqueWindow cover(CreateCover(rect, *shared_));
    if (cover) windows_.push_back(std::move(cover));
  }
}

std::vector<MonitorArea> DisplayMonitors() {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

}  // namespace vnx
