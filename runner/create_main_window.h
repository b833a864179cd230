#pragma once
// Builds the runner's identity, reads the settings and creates the hidden
// main window with its popup menu; ends by posting WM_RUNNER_START.

#include <windows.h>

#include <vector>

#include "runner/window_layout.h"

namespace vnx {

class TfrmMain;

void CreateMainWindow(TfrmMain& form);

using AppendMenuFunction = BOOL(WINAPI*)(HMENU, UINT, UINT_PTR, LPCSTR);
// The right-click menu for the given items, or null when there are none or an
// append failed (a menu with a missing item is worse than no menu).
HMENU BuildPopupMenu(const std::vector<PopupMenuItem>& items, AppendMenuFunction append = AppendMenuA);

}  // namespace vnx
