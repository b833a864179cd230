#pragma once
// What the stand-in projector of the engine's tests reports, and how. Its
// window has the projector's class (contract/projector.h).

#include <windows.h>

#include "contract/projector.h"

namespace vnx::test {

// Posted to the report window: an input message reached the window
// procedure; wParam is the message, lParam its position (mouse) or key.
inline constexpr UINT kStandInInput = WM_APP + 1;
// Posted once the context menu is open: wParam holds a bit per item still
// in it (bit 0 for kFirstStandInMenuItem).
inline constexpr UINT kStandInMenu = WM_APP + 2;

inline constexpr UINT kFirstStandInMenuItem = 101;
inline constexpr UINT kLastStandInMenuItem = 104;

}  // namespace vnx::test
