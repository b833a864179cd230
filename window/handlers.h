#pragma once
// The main window's message handlers. Each returns the result when the
// message is handled, or nothing when DefWindowProc must run afterwards.

#include <windows.h>

#include <optional>

namespace vnx {

class TfrmMain;
struct ControlBlock;

using Handled = std::optional<LRESULT>;
inline constexpr Handled kThenDefault = std::nullopt;

// Frame bookkeeping: window_frame_handlers.cpp
Handled OnMove(TfrmMain& runner);
Handled OnSize(TfrmMain& runner);
Handled OnEraseBackground(TfrmMain& runner, HDC dc);
Handled OnWindowPosChanging(TfrmMain& runner, WINDOWPOS& position);
Handled OnSizing(TfrmMain& runner, WPARAM edge, RECT& proposed);
Handled OnDestroy(TfrmMain& runner);
Handled OnEndSession(TfrmMain& runner);

// Caption drawn active while the projector has the focus: caption_activation.cpp
Handled OnActivateApp(TfrmMain& runner, WPARAM active, LPARAM threadId);
Handled OnNcHitTest(TfrmMain& runner, HWND window, WPARAM wParam, LPARAM lParam);
Handled OnNcPaint(TfrmMain& runner, HWND window, WPARAM wParam, LPARAM lParam);
Handled OnNcActivate(TfrmMain& runner, HWND window, WPARAM wParam, LPARAM lParam);

// Popup-menu and presentation commands: runner_commands.cpp
Handled OnCommand(TfrmMain& runner, WPARAM wParam, LPARAM lParam);
Handled OnChar(TfrmMain& runner, WPARAM character);

// WM_USER+1 ... WM_USER+50: private_message_handlers.cpp
void OnPrivateMessage(TfrmMain& runner, UINT message, WPARAM wParam);

// Dragging the window: drag_timer.cpp
bool StartDragTimer(TfrmMain& runner);
void StopDragTimer(TfrmMain& runner);
void StartDrag(TfrmMain& runner, WPARAM mouseMessage);
Handled OnTimer(TfrmMain& runner, WPARAM timerId);

// The presentation's text commands: set_text_handler.cpp
Handled HandleSetText(TfrmMain& runner, WPARAM channel, const char* text);

// Messages from other processes: other_process_messages.cpp
Handled OnGlobalCloseMessage(TfrmMain& runner, WPARAM wParam, LPARAM lParam);
LRESULT OnRunnerServerMessage(TfrmMain& runner, WPARAM wParam, LPARAM lParam);

// The projector's main thread as the control block knows it; 0 when the
// block is not mapped or the graceful close has cleared it.
DWORD ProjectorThreadIdOf(const TfrmMain& runner);

}  // namespace vnx
