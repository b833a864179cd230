// A BeforeShow library for the end-to-end tests: its export "BeforeShow"
// (stdcall, undecorated) records the argument text, whether two NULs end it,
// and the window it was given, into the file named by the text's first word.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "tests/e2e/before_show/record_file.h"

extern "C" __declspec(dllexport) void WINAPI BeforeShow(char* buffer, HWND window, const char* arguments) {
  std::memset(buffer, 0, 256);  // the runner hands over 256 writable bytes
  const std::string text = arguments;
  const std::string recordPath = vnx::test::FirstWord(text);
  if (recordPath.empty()) return;
  vnx::test::AppendRecord(recordPath, "arguments", text);
  vnx::test::AppendRecord(recordPath, "two-nuls", arguments[text.size() + 1] == '\0' ? "yes" : "no");
  vnx::test::AppendRecord(recordPath, "window", std::to_string(reinterpret_cast<std::uintptr_t>(window)));
}
