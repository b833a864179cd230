#pragma once
// Fixtures for tests that start programs the way the runner starts its
// projector: a scratch directory of their own, the programs built next to the
// test executable, environment variables set for the child and restored, and
// a started program that is ended by its process id if it outlives the test.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "projector/log_format.h"
#include "tests/support/scratch_directory.h"

namespace vnx::test {

// Sets an environment variable of this process (and so of the programs it
// starts) and restores the previous state when the object goes.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value);
  ~ScopedVariable();
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

// A program started like the runner starts its projector: CreateProcess
// suspended with dwFlags 0x85 (show window, position, no start feedback),
// SW_SHOWNORMAL and the first window at (5000, -5000); then resumed, and
// WaitForInputIdle for at most 11111 ms.
class LaunchedProgram {
 public:
  // Started suspended, the program waits for Resume; otherwise it is resumed
  // at once and given up to 11 seconds to become idle.
  enum class Start { Running, Suspended };
  // arguments follow the quoted program path on its command line. Paths in
  // UTF-8, so that a folder of any script can be named.
  LaunchedProgram(const std::string& path, const std::string& currentDirectory, Start start = Start::Running,
                  const std::string& arguments = {});
  ~LaunchedProgram();  // ends the process by its id when it still runs
  LaunchedProgram(const LaunchedProgram&) = delete;
  LaunchedProgram& operator=(const LaunchedProgram&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  void Resume() const { ResumeThread(info_.hThread); }
  DWORD ProcessId() const { return info_.dwProcessId; }
  DWORD ThreadId() const { return info_.dwThreadId; }

  // Looks every 22 ms among the main thread's windows for the first one whose
  // lower-cased class name is "shockwaveflash"; 0 when none came in time.
  HWND FindProjectorWindow(DWORD timeoutMs) const;
  // Waits for the end of the process while handling this thread's messages
  // (a re-parented window's exit needs them); true when it ended in time.
  bool WaitForExit(DWORD timeoutMs) const;
  bool Running() const;
  DWORD ExitCode() const;

 private:
  PROCESS_INFORMATION info_{};
};

// A copy of the stand-in projector in a scratch directory of its own, with
// the given projector.behave and, when given, slide.txt, started like the
// runner starts it with the scratch directory as its current directory.
class ProjectorRun {
 public:
  explicit ProjectorRun(std::string_view behave, std::string_view program = "projector5.exe",
                        std::optional<std::string_view> slide = std::nullopt);

  // The projector window, looked for as the runner does, for up to 5 s.
  HWND Window() const { return program->FindProjectorWindow(5000); }
  // The events in projector.log next to the projector.
  std::vector<LogEntry> Log() const { return ParseLog(scratch.Read("projector.log").value_or("")); }

  ScratchDirectory scratch;                  // outlives the program ...
  std::unique_ptr<LaunchedProgram> program;  // ... which is ended first
};

// The decimal text of a window handle, as the projector's log writes it.
std::string Decimal(HWND window);

// A message sent to another process's window, without hanging the test
// when that process does not answer.
LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs = 5000);

}  // namespace vnx::test
