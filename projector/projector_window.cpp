#include "projector/projector_window.h"

#include <algorithm>
#include <string>

#include "common/callback_guard.h"
#include "common/errors.h"
#include "contract/projector.h"
#include "projector/display_mode.h"
#include "projector/projector_menu.h"
#include "projector/slide_painter.h"

namespace vnx {
namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT_PTR kHangTimer = 2;
constexpr UINT kFrameMilliseconds = 50;

std::string Decimal(HWND window) { return std::to_string(reinterpret_cast<std::uintptr_t>(window)); }

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

// Writes parent and client size when either changed since the last time.
void RecordPlacementIfChanged(ProjectorApp& app) {
  if (!app.Window) return;
  const HWND parent = IsTopLevel(app.Window) ? nullptr : GetAncestor(app.Window, GA_PARENT);
  const SIZE client = ClientSize(app.Window);
  if (app.PlacementLogged && parent == app.LoggedParent && client.cx == app.LoggedClient.cx &&
      client.cy == app.LoggedClient.cy)
    return;
  app.PlacementLogged = true;
  app.LoggedParent = parent;
  app.LoggedClient = client;
  app.Log.Write("parent", Decimal(parent));
  app.Log.Write("client-size", std::to_string(client.cx) + "x" + std::to_string(client.cy));
}

void OnPaint(ProjectorApp& app, HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  const SIZE client = ClientSize(window);
  if (dc) PaintSlide(dc, client, app.Shown, GlideAt(app.AnimationMs, client.cx, client.cy));
  EndPaint(window, &paint);
}

void OnTimer(ProjectorApp& app, HWND window) {
  const DWORD now = GetTickCount();
  if (!app.Paused) {
    app.AnimationMs += now - app.LastTick;
    InvalidateRect(window, nullptr, FALSE);
  }
  app.LastTick = now;
  // Re-parenting by another process need not send this window any message.
  RecordPlacementIfChanged(app);
}

void TogglePause(ProjectorApp& app) {
  app.Paused = !app.Paused;
  CheckMenuItem(app.MenuBar, kProjectorPauseCommand, MF_BYCOMMAND | (app.Paused ? MF_CHECKED : MF_UNCHECKED));
}

// True when the command was one of the projector's own.
bool OnCommand(ProjectorApp& app, HWND window, WPARAM wParam, LPARAM lParam) {
  const unsigned id = LOWORD(wParam);
  if (lParam == 0 && id == app.Behaviour.FullScreenCommand) {
    ToggleFullScreen(app);
  } else if (lParam == 0 && id == kProjectorPauseCommand) {
    TogglePause(app);
  } else if (lParam == 0 && id == kProjectorExitCommand) {
    PostMessageA(window, WM_CLOSE, 0, 0);
  } else {
    app.Log.Write("command-ignored", std::to_string(wParam));
    return false;
  }
  return true;
}

// The stage decides the client size, also below the size Windows gives a
// captioned window at least and beyond the screen.
void OnGetMinMaxInfo(MINMAXINFO& limits) {
  limits.ptMinTrackSize = POINT{1, 1};
  limits.ptMaxTrackSize.x = std::max<LONG>(limits.ptMaxTrackSize.x, 2 * kMaxStageSide);
  limits.ptMaxTrackSize.y = std::max<LONG>(limits.ptMaxTrackSize.y, 2 * kMaxStageSide);
}

void OnClose(ProjectorApp& app, HWND window) {
  RecordPlacementIfChanged(app);
  app.Log.Write("close", "WM_CLOSE");
  app.CloseRequested = true;
  DestroyWindow(window);
}

// Told to hang: the thread never comes back to its messages.
[[noreturn]] void Hang(ProjectorApp& app) {
  app.Log.Write("hang", "now");
  for (;;) Sleep(INFINITE);
}

void OnDestroy(HWND window) {
  KillTimer(window, kAnimationTimer);
  PostQuitMessage(0);
}

// The power commands that reach the window: tests see which ones the engine
// lets through. The window then does what any window does with them.
void RecordPowerCommand(ProjectorApp& app, WPARAM command) {
  const WPARAM base = command & 0xFFF0;
  if (base == SC_MONITORPOWER) app.Log.Write("system-command", "monitor-power");
  if (base == SC_SCREENSAVE) app.Log.Write("system-command", "screen-save");
}

LRESULT Route(ProjectorApp& app, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(app, window); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_TIMER:
      if (wParam == kAnimationTimer) OnTimer(app, window);
      if (wParam == kHangTimer) Hang(app);
      return 0;
    case WM_COMMAND:
      if (OnCommand(app, window, wParam, lParam)) return 0;
      break;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_WINDOWPOSCHANGED: RecordPlacementIfChanged(app); break;
    case WM_SYSCOMMAND: RecordPowerCommand(app, wParam); break;
    case WM_CLOSE: OnClose(app, window); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_NCDESTROY: app.Window = nullptr; break;
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ProjectorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardCallback<LRESULT>(0, [&] {
    if (!theProjector) return DefWindowProcA(window, message, wParam, lParam);
    return Route(*theProjector, window, message, wParam, lParam);
  });
}

void RegisterProjectorClass(HINSTANCE module) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = ProjectorWindowProc;
  windowClass.hInstance = module;
  windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kProjectorWindowClass;
  if (!RegisterClassA(&windowClass)) throw ERunnerError("Cannot register the projector's window class");
}

// The first window goes where the starting program asked (STARTF_USEPOSITION),
// otherwise where Windows puts new windows.
POINT FirstPosition() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  if (!(startup.dwFlags & STARTF_USEPOSITION)) return POINT{CW_USEDEFAULT, CW_USEDEFAULT};
  return POINT{static_cast<LONG>(startup.dwX), static_cast<LONG>(startup.dwY)};
}

// The menu bar may wrap, so the frame computed beforehand can be off: match
// the client area to the stage exactly.
void FitClientToStage(HWND window, const Slide& slide) {
  const SIZE client = ClientSize(window);
  if (client.cx == slide.StageWidth && client.cy == slide.StageHeight) return;
  RECT outer{};
  GetWindowRect(window, &outer);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + slide.StageWidth - client.cx,
               outer.bottom - outer.top + slide.StageHeight - client.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RecordWindow(ProjectorApp& app) {
  char className[64] = {};
  GetClassNameA(app.Window, className, sizeof className);
  RECT outer{};
  GetWindowRect(app.Window, &outer);
  app.Log.Write("window", Decimal(app.Window));
  app.Log.Write("window-class", className);
  app.Log.Write("window-position", std::to_string(outer.left) + "," + std::to_string(outer.top));
  app.Log.Write("sizable", (GetWindowLongA(app.Window, GWL_STYLE) & WS_THICKFRAME) ? "yes" : "no");
  app.Log.Write("full-screen-command", std::to_string(app.Behaviour.FullScreenCommand));
  for (const std::string& item : DescribeMenuBar(GetMenu(app.Window))) app.Log.Write("menu-item", item);
  RecordPlacementIfChanged(app);
}

}  // namespace

void OpenProjectorWindow(ProjectorApp& app, int showCommand) {
  const HINSTANCE module = GetModuleHandleA(nullptr);
  RegisterProjectorClass(module);
  const DWORD style =
      app.Behaviour.SizingFrame ? WS_OVERLAPPEDWINDOW : (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  UniqueMenu menu = BuildMenuBar(app.Behaviour.Language, app.Behaviour.FullScreenCommand);
  app.Accelerators = BuildAccelerators(app.Behaviour.FullScreenCommand);

  RECT frame{0, 0, app.Shown.StageWidth, app.Shown.StageHeight};
  AdjustWindowRectEx(&frame, style, TRUE, 0);
  const POINT at = FirstPosition();
  const HWND window =
      CreateWindowExA(0, kProjectorWindowClass, app.Shown.Title.c_str(), style, at.x, at.y, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, menu.get(), module, nullptr);
  if (!window) throw ERunnerError("Cannot open the projector's window");
  app.MenuBar = menu.release();  // the window destroys its menu bar with itself
  FitClientToStage(window, app.Shown);
  app.Window = window;
  RecordWindow(app);

  app.LastTick = GetTickCount();
  SetTimer(window, kAnimationTimer, kFrameMilliseconds, nullptr);
  if (app.Behaviour.HangAfter) SetTimer(window, kHangTimer, *app.Behaviour.HangAfter, nullptr);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
}

}  // namespace vnx
