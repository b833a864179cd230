#include "projector/display_mode.h"

namespace vnx {
namespace {

constexpr LONG kFrameStyles = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr UINT kKeepZOrderAndFocus = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

RECT MonitorRect(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return info.rcMonitor;
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// Recomputes the frame after a style change; the position stays.
void RefreshFrame(HWND window) {
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | kKeepZOrderAndFocus);
}

void EnterFullScreen(ProjectorApp& app, HWND window) {
  app.Windowed.Style = GetWindowLongA(window, GWL_STYLE);
  GetWindowRect(window, &app.Windowed.Rect);
  app.Windowed.TopLevel = IsTopLevel(window);

  app.DetachedMenu.reset(GetMenu(window));
  SetMenu(window, nullptr);
  SetWindowLongA(window, GWL_STYLE, app.Windowed.Style & ~kFrameStyles);
  if (app.Windowed.TopLevel) {
    const RECT screen = MonitorRect(window);
    SetWindowPos(window, nullptr, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                 kKeepZOrderAndFocus);
  } else {
    // A host window decides the size; only the frame goes.
    RefreshFrame(window);
  }
  app.FullScreen = true;
}

void LeaveFullScreen(ProjectorApp& app, HWND window) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  SetWindowLongA(window, GWL_STYLE, (style & ~kFrameStyles) | (app.Windowed.Style & kFrameStyles));
  if (SetMenu(window, app.DetachedMenu.get())) app.DetachedMenu.release();
  // The saved rectangle is in screen coordinates: it only fits a window
  // that was and still is on its own.
  if (app.Windowed.TopLevel && IsTopLevel(window)) {
    const RECT& r = app.Windowed.Rect;
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, kKeepZOrderAndFocus);
  } else {
    RefreshFrame(window);
  }
  app.FullScreen = false;
}

}  // namespace

bool IsTopLevel(HWND window) { return GetAncestor(window, GA_PARENT) == GetDesktopWindow(); }

void ToggleFullScreen(ProjectorApp& app) {
  if (!app.Window) return;
  if (app.FullScreen)
    LeaveFullScreen(app, app.Window);
  else
    EnterFullScreen(app, app.Window);
  app.Log.Write("full-screen", app.FullScreen ? "on" : "off");
}

}  // namespace vnx
