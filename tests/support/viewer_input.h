#pragma once
// The viewer's mouse and keyboard for tests that drive a program from
// outside: real input through SendInput, and the windows a viewer looks for.

#include <windows.h>

#include <functional>
#include <string>

namespace vnx::test {

void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
void PressKey(WORD virtualKey);
// Each character as the keys that type it (with Shift where needed).
void TypeText(const std::string& text);

void MoveCursorTo(POINT screen);
void MouseDown(DWORD downFlag);  // MOUSEEVENTF_LEFTDOWN, ...
void MouseUp(DWORD upFlag);
void PressButton(DWORD downFlag, DWORD upFlag);
// Moves the pointer, waits until it is there, and clicks.
void ClickAt(POINT screen, bool right = false);
// A left click in the middle of a window (a button, a check box, an edit)
// once it is visible.
void ClickWindow(HWND window);
// Clicks a check box and waits until it has flipped: the button lets go of
// the mouse only when it handles the release, and a next click sent before
// then would go to it instead of to the next control.
void ToggleBox(HWND box);
// A left click on the close box of a captioned window.
void ClickCloseBox(HWND window);

// The first visible top-level window of the process with this class (and
// caption, when one is given); 0 when none came within the time.
HWND WaitForWindow(DWORD processId, const char* className, const std::string* caption, DWORD timeoutMs);
// Looks until the condition holds; false when the time is up first.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// A visible dialog of the process with this caption.
HWND WaitForDialog(DWORD processId, const std::string& caption, DWORD timeoutMs = 15000);

}  // namespace vnx::test
