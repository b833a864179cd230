// A BeforeShow program for the end-to-end tests: records the command line it
// was started with and its process id (so a test can wait for its end before
// the runner deletes it), into the file named by its first argument.

#include <windows.h>

#include <string>

#include "tests/e2e/before_show/record_file.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  const std::string recordPath = vnx::test::FirstWord(arguments);
  if (recordPath.empty()) return 2;
  vnx::test::AppendRecord(recordPath, "command-line", GetCommandLineA());
  vnx::test::AppendRecord(recordPath, "process", std::to_string(GetCurrentProcessId()));
  return 0;
}
