#pragma once
// The window messages between the runner and the other processes: the
// runner's private messages (it posts WM_RUNNER_START and
// WM_RUNNER_PLAY_MUSIC itself; the engine library posts the others) and the
// names under which the registered messages are known. Numbers are spelled
// out so that portable code and the engine library share them without
// <windows.h>; the runner checks them against it when it is built.

#include <cstdint>

namespace vnx {

// WM_USER: the first message number a window class may define.
inline constexpr std::uint32_t kWindowsUserMessage = 0x0400;

inline constexpr std::uint32_t WM_RUNNER_START = kWindowsUserMessage + 1;
inline constexpr std::uint32_t WM_RUNNER_RAISE = kWindowsUserMessage + 3;
inline constexpr std::uint32_t WM_RUNNER_SHOWN = kWindowsUserMessage + 4;
inline constexpr std::uint32_t WM_RUNNER_PLAY_MUSIC = kWindowsUserMessage + 6;
inline constexpr std::uint32_t WM_RUNNER_ACTIVATED = kWindowsUserMessage + 7;
inline constexpr std::uint32_t WM_RUNNER_FOCUS_PROJECTOR = kWindowsUserMessage + 8;
inline constexpr std::uint32_t WM_RUNNER_POPUP_MENU = kWindowsUserMessage + 9;
inline constexpr std::uint32_t WM_RUNNER_DRAG_CANCEL = kWindowsUserMessage + 10;
inline constexpr std::uint32_t WM_RUNNER_MOUSE_DOWN = kWindowsUserMessage + 11;
inline constexpr std::uint32_t WM_RUNNER_EXIT = kWindowsUserMessage + 12;
inline constexpr std::uint32_t WM_RUNNER_DRAG_END = kWindowsUserMessage + 14;

// WM_USER+1 to WM_USER+50 all belong to the runner and are answered with 0.
inline constexpr std::uint32_t kFirstPrivateMessage = kWindowsUserMessage + 1;
inline constexpr std::uint32_t kLastPrivateMessage = kWindowsUserMessage + 50;

// The close message of one runner: this name followed by its instance suffix.
inline constexpr char kRunnerMessageBaseName[] = "OrrindaleRunnerMessage";
// The position query that every runner answers.
inline constexpr char kRunnerServerMessageName[] = "OrrindaleRunnerSvrMessage";
// The close broadcast: WParam 0 closes the runners of the executable named
// by the atom in LParam; a runner whose session ends sends its own window.
inline constexpr char kGlobalCloseMessageName[] = "PGlobalCloseMessage_s-z";

// The answer to the position query's WParam 0: "VNXE", first letter in the
// lowest byte.
inline constexpr std::int32_t kRunnerTag = 0x45584E56;

}  // namespace vnx
