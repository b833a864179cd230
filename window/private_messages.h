#pragma once
// The runner's private window messages. The runner posts WM_RUNNER_START and
// WM_RUNNER_PLAY_MUSIC itself; the engine library posts the others.

#include <windows.h>

namespace vnx {

inline constexpr UINT WM_RUNNER_START = WM_USER + 1;
inline constexpr UINT WM_RUNNER_RAISE = WM_USER + 3;
inline constexpr UINT WM_RUNNER_SHOWN = WM_USER + 4;
inline constexpr UINT WM_RUNNER_PLAY_MUSIC = WM_USER + 6;
inline constexpr UINT WM_RUNNER_ACTIVATED = WM_USER + 7;
inline constexpr UINT WM_RUNNER_FOCUS_PROJECTOR = WM_USER + 8;
inline constexpr UINT WM_RUNNER_POPUP_MENU = WM_USER + 9;
inline constexpr UINT WM_RUNNER_DRAG_CANCEL = WM_USER + 10;
inline constexpr UINT WM_RUNNER_MOUSE_DOWN = WM_USER + 11;
inline constexpr UINT WM_RUNNER_EXIT = WM_USER + 12;
inline constexpr UINT WM_RUNNER_DRAG_END = WM_USER + 14;

// WM_USER+1 to WM_USER+50 all belong to the runner and are answered with 0.
inline constexpr UINT kFirstPrivateMessage = WM_USER + 1;
inline constexpr UINT kLastPrivateMessage = WM_USER + 50;

}  // namespace vnx
