#include "window/projector_fitting.h"

#include <vector>

#include "common/callback_guard.h"
#include "common/text.h"
#include "contract/control_block.h"
#include "contract/projector.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/pump.h"
#include "runner/startup_trace.h"
#include "window/alignment.h"
#include "window/menu_search.h"
#include "window/screen_scaling.h"

namespace vnx {
namespace {

constexpr int kParked = -15000;
constexpr DWORD kSettleDelay = 55;

TfrmMain& RunnerOf(LPARAM lParam) { return *reinterpret_cast<TfrmMain*>(lParam); }

bool OnWindows9x() { return OsWin95 || OsWin98 || OsWinMe; }

// Neither full screen nor a custom size: the frame takes the stage's size.
void TakeStageSize(TfrmMain& runner, HWND projector) {
  RECT stage{};
  GetClientRect(projector, &stage);
  AdjustWindowRectEx(&stage, static_cast<DWORD>(GetWindowLongA(runner.MainWindow, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(runner.MainWindow, GWL_EXSTYLE)));
  runner.WindowWidth = stage.right - stage.left;
  runner.WindowHeight = stage.bottom - stage.top;
  MoveWindow(runner.MainWindow, 0, 0, runner.WindowWidth, runner.WindowHeight, FALSE);
  runner.ReferenceWidth = runner.WindowWidth;
  runner.ReferenceHeight = runner.WindowHeight;
}

std::vector<MenuEntry> ReadMenuEntries(HMENU menu, UINT mask) {
  std::vector<MenuEntry> entries;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    char text[101] = {};
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = mask;
    item.dwTypeData = text;
    item.cch = 100;
    MenuEntry entry;
    if (GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item) && item.fType == MFT_STRING) {
      entry.IsString = true;
      entry.Text = text;
      entry.Id = item.wID;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

void SetFitting(TfrmMain& runner, bool on) {
  if (runner.ControlBlock) runner.ControlBlock->FittingInProgress = on;
}

// On the 9x family and for version-6 projectors the frame is parked off the
// screen and flashed once at real-time priority while the projector becomes
// its child, so the switch is not seen.
void ReparentUnseen(TfrmMain& runner, HWND projector, bool v6) {
  const HWND main = runner.MainWindow;
  const std::int32_t left = runner.WindowLeft, top = runner.WindowTop;
  SetWindowPos(main, HWND_NOTOPMOST, kParked, kParked, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
  runner.WindowLeft = left;  // the WM_MOVE of the parking overwrote them
  runner.WindowTop = top;
  SendMessageA(main, WM_SETREDRAW, FALSE, 0);
  SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  if (v6) SetParent(projector, main);
  ShowWindow(main, SW_SHOW);
  ShowWindow(main, SW_HIDE);
  SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}

void SwitchToFullScreen(TfrmMain& runner, HWND projector, LONG style) {
  const bool v6 = runner.ControlBlock && runner.ControlBlock->ProjectorV6;
  SetFitting(runner, true);
  if (OnWindows9x()) SetWindowLongA(projector, GWL_STYLE, style | WS_VISIBLE);
  if (OnWindows9x() || v6) ReparentUnseen(runner, projector, v6);
  SendMessageA(projector, WM_COMMAND, static_cast<WPARAM>(runner.FullScreenCommand), 0);
  ShowWindow(projector, SW_SHOW);
  ShowWindow(projector, SW_HIDE);
  if (v6) SetWindowPos(projector, nullptr, 0, 0, ClientWidth, ClientHeight, SWP_NOACTIVATE | SWP_NOZORDER);
  if (OnWindows9x() || v6) SendMessageA(runner.MainWindow, WM_SETREDRAW, TRUE, 0);
}

// A projector that declares nothing about scaling gets its size through the
// system's rounding to its own pixels and back; a size that differs only by
// that is no refusal: the frame then shrinks by the difference, so that the
// client area is what the projector has.
void MatchFrameToProjector(TfrmMain& runner, HWND projector) {
  RECT client{}, accepted{}, frame{};
  GetClientRect(runner.MainWindow, &client);
  GetWindowRect(projector, &accepted);
  GetWindowRect(runner.MainWindow, &frame);
  ClientWidth = accepted.right - accepted.left;
  ClientHeight = accepted.bottom - accepted.top;
  const std::int32_t clientWidth = client.right - client.left, clientHeight = client.bottom - client.top;
  if (ClientWidth == clientWidth && ClientHeight == clientHeight) return;
  const bool rounding = DiffersOnlyByScaling(clientWidth, ClientWidth, ScreenDpi) &&
                        DiffersOnlyByScaling(clientHeight, ClientHeight, ScreenDpi);
  if (rounding)
    SetWindowPos(runner.MainWindow, nullptr, 0, 0, frame.right - frame.left - (clientWidth - ClientWidth),
                 frame.bottom - frame.top - (clientHeight - ClientHeight), SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
  else
    SetWindowPos(runner.MainWindow, nullptr, 0, 0, ClientWidth, ClientHeight,
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

void Align(TfrmMain& runner) {
  if (runner.FullScreen.Value) return;
  const RECT& screen = runner.FullScreenRect;
  const WindowOrigin origin =
      AlignWindow({false, runner.AlignmentH, runner.AlignmentV, screen.left, screen.top, screen.right, screen.bottom,
                   runner.WindowLeft, runner.WindowTop, runner.WindowWidth, runner.WindowHeight});
  runner.WindowLeft = origin.Left;
  runner.WindowTop = origin.Top;
}

void PlaceFrame(TfrmMain& runner, UINT showFlag) {
  const bool keepRect = runner.CustomSize.Value && runner.FullScreen.Value;
  if (keepRect)
    SetWindowPos(runner.MainWindow, HWND_NOTOPMOST, 0, 0, 0, 0,
                 (showFlag ? showFlag : SWP_NOACTIVATE) | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
  else
    SetWindowPos(runner.MainWindow, HWND_NOTOPMOST, runner.WindowLeft, runner.WindowTop, runner.WindowWidth,
                 runner.WindowHeight, (showFlag ? showFlag : SWP_NOACTIVATE) | SWP_NOZORDER);
}

}  // namespace

BOOL CALLBACK FindProjectorWindow(HWND window, LPARAM lParam) {
  return GuardCallback<BOOL>(FALSE, [&]() -> BOOL {
    char className[1001] = {};
    GetClassNameA(window, className, 1000);
    if (!EqualsIgnoringCase(className, kProjectorWindowClass)) return TRUE;
    TfrmMain& runner = RunnerOf(lParam);
    runner.ProjectorWindow = window;
    if (!runner.FullScreen.Value && !runner.CustomSize.Value) TakeStageSize(runner, window);
    return FALSE;
  });
}

UINT FullScreenCommandOf(HWND projector) {
  const HMENU menuBar = GetMenu(projector);
  const std::vector<MenuEntry> entries = ReadMenuEntries(menuBar, MIIM_ID | MIIM_SUBMENU | MIIM_TYPE);
  const std::uint32_t command = FindFullScreenCommand(entries, [menuBar](std::size_t position) {
    return ReadMenuEntries(GetSubMenu(menuBar, static_cast<int>(position)), MIIM_ID | MIIM_TYPE);
  });
  return command ? command : kProjectorFullScreenCommand;
}

void FitProjectorWindow(TfrmMain& runner) {
  const HWND projector = runner.ProjectorWindow;
  if (!projector) return;
  SetWindowPos(projector, HWND_NOTOPMOST, kParked, kParked, ClientWidth, ClientHeight, SWP_NOACTIVATE | SWP_NOZORDER);
  MatchFrameToProjector(runner, projector);
  Align(runner);
  const LONG style = GetWindowLongA(projector, GWL_STYLE);
  const bool sizable = (style & WS_THICKFRAME) != 0;
  if (!sizable) SetParent(projector, runner.MainWindow);
  Sleep(kSettleDelay);
  PumpPending();
  if (sizable) {
    runner.FullScreenCommand = static_cast<std::int32_t>(FullScreenCommandOf(projector));
    try {
      if (IsWindow(projector)) SwitchToFullScreen(runner, projector, style);
    } catch (...) {
      SetParent(projector, runner.MainWindow);
      throw;
    }
    SetParent(projector, runner.MainWindow);
  }
  TraceStartup("full-screen-switched");
  Sleep(kSettleDelay);
  SetWindowPos(runner.MainWindow, HWND_NOTOPMOST, runner.WindowLeft, runner.WindowTop, 0, 0,
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
  PlaceFrame(runner, 0);
  SetFitting(runner, false);
  SetWindowPos(projector, HWND_NOTOPMOST, 0, 0, ClientWidth, ClientHeight, SWP_NOACTIVATE | SWP_NOZORDER);
  SetWindowPos(projector, HWND_NOTOPMOST, 0, 0, ClientWidth, ClientHeight, SWP_SHOWWINDOW);
  PlaceFrame(runner, SWP_SHOWWINDOW);
  SetFitting(runner, false);
}

void KeepProjectorInFront(TfrmMain& runner) {
  SetWindowPos(runner.MainWindow, runner.ProjectorWindow, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  if (GetActiveWindow() == runner.MainWindow) SetActiveWindow(runner.ProjectorWindow);
  if (GetWindowLongA(runner.MainWindow, GWL_EXSTYLE) & WS_EX_TOPMOST)
    EnumWindows(RaiseProjectorPopups, reinterpret_cast<LPARAM>(&runner));
}

BOOL CALLBACK RaiseProjectorPopups(HWND window, LPARAM lParam) {
  return GuardCallback<BOOL>(TRUE, [&]() -> BOOL {
    const TfrmMain& runner = RunnerOf(lParam);
    if (runner.ProjectorWindow && GetWindow(window, GW_OWNER) == runner.ProjectorWindow &&
        !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD) && !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST))
      SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
  });
}

}  // namespace vnx
