// An engine library that lacks "SProc": the runner must load it, find the
// export missing, and end the session without a hook and without a message.

#include <windows.h>

extern "C" {
LRESULT CALLBACK MProc(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(nullptr, code, wParam, lParam); }
LRESULT CALLBACK KProc(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(nullptr, code, wParam, lParam); }
LRESULT CALLBACK CProc(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(nullptr, code, wParam, lParam); }
LRESULT CALLBACK GProc(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(nullptr, code, wParam, lParam); }
LRESULT CALLBACK WProc(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(nullptr, code, wParam, lParam); }
LRESULT CALLBACK FProc(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(nullptr, code, wParam, lParam); }
}
