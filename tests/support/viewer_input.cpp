#include "tests/support/viewer_input.h"

#include <gtest/gtest.h>

#include "common/callback_guard.h"

namespace vnx::test {
namespace {

void SendKey(WORD virtualKey, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, 0));
  input.ki.dwFlags = flags;
  if (virtualKey == VK_LWIN || virtualKey == VK_RWIN || virtualKey == VK_APPS)
    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  EXPECT_EQ(SendInput(1, &input, sizeof input), 1u);
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  EXPECT_EQ(SendInput(1, &input, sizeof input), 1u);
}

struct WindowSearch {
  DWORD processId;
  const char* className;
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  return GuardCallback<BOOL>(FALSE, [&]() -> BOOL {
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {}, text[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, text, sizeof text);
    if (owner != search.processId || !IsWindowVisible(window) || lstrcmpiA(className, search.className) != 0)
      return TRUE;
    if (search.caption && *search.caption != text) return TRUE;
    search.found = window;
    return FALSE;
  });
}

}  // namespace

void KeyDown(WORD virtualKey) { SendKey(virtualKey, 0); }
void KeyUp(WORD virtualKey) { SendKey(virtualKey, KEYEVENTF_KEYUP); }

void PressKey(WORD virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void TypeText(const std::string& text) {
  for (const char c : text) {
    const SHORT scan = VkKeyScanA(c);
    const bool shift = (scan & 0x100) != 0;
    if (shift) KeyDown(VK_SHIFT);
    PressKey(static_cast<WORD>(scan & 0xFF));
    if (shift) KeyUp(VK_SHIFT);
  }
}

// Absolute coordinates run from 0 to 65535 over the screen's width.
void MoveCursorTo(POINT screen) {
  const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (screen.x * 65536 + width - 1) / width,
            (screen.y * 65536 + height - 1) / height);
}

void MouseDown(DWORD downFlag) { SendMouse(downFlag); }
void MouseUp(DWORD upFlag) { SendMouse(upFlag); }

void PressButton(DWORD downFlag, DWORD upFlag) {
  MouseDown(downFlag);
  MouseUp(upFlag);
}

void ClickAt(POINT screen, bool right) {
  MoveCursorTo(screen);
  // The press must find the pointer where it was sent, as a hand's would.
  EXPECT_TRUE(WaitUntil([screen] {
    POINT cursor{};
    GetCursorPos(&cursor);
    return cursor.x == screen.x && cursor.y == screen.y;
  })) << "the pointer did not arrive";
  if (right)
    PressButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  else
    PressButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void ClickWindow(HWND window) {
  // A viewer clicks what is there to see.
  EXPECT_TRUE(WaitUntil([window] { return IsWindowVisible(window) != FALSE; })) << "nothing to click";
  RECT rect{};
  GetWindowRect(window, &rect);
  ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void ToggleBox(HWND box) {
  const LRESULT before = SendMessageA(box, BM_GETCHECK, 0, 0);
  ClickWindow(box);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) != before; })) << "the box did not flip";
}

void ClickCloseBox(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  // The close box is the last caption button, inside the frame's border.
  const int border = GetSystemMetrics(SM_CXFIXEDFRAME), button = GetSystemMetrics(SM_CXSIZE);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  ClickAt({rect.right - border - button / 2 - 1, rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + caption / 2});
}

HWND WaitForWindow(DWORD processId, const char* className, const std::string* caption, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    WindowSearch search{processId, className, caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

HWND WaitForDialog(DWORD processId, const std::string& caption, DWORD timeoutMs) {
  return WaitForWindow(processId, "#32770", &caption, timeoutMs);
}

}  // namespace vnx::test
