#include "tests/support/projector_process.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/callback_guard.h"
#include "common/handle.h"
#include "common/system_text.h"
#include "common/text.h"
#include "contract/projector.h"

namespace vnx::test {

ScopedVariable::ScopedVariable(const char* name, const char* value) : name_(name) {
  char buffer[4096];
  SetLastError(ERROR_SUCCESS);
  const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  if (length > 0 && length < sizeof buffer)
    previous_ = std::string(buffer, length);
  else if (length == 0 && GetLastError() != ERROR_ENVVAR_NOT_FOUND)
    previous_ = std::string();
  SetEnvironmentVariableA(name, value);
}

ScopedVariable::~ScopedVariable() { SetEnvironmentVariableA(name_.c_str(), previous_ ? previous_->c_str() : nullptr); }

LaunchedProgram::LaunchedProgram(const std::string& path, const std::string& currentDirectory, Start start,
                                 const std::string& arguments) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USEPOSITION | STARTF_FORCEOFFFEEDBACK;
  startup.wShowWindow = SW_SHOWNORMAL;
  startup.dwX = 5000;
  startup.dwY = static_cast<DWORD>(-5000);
  std::wstring commandLine = WideFromUtf8("\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments));
  if (!CreateProcessW(WideFromUtf8(path).c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, WideFromUtf8(currentDirectory).c_str(), &startup, &info_)) {
    ADD_FAILURE() << "CreateProcess " << path << " failed: " << GetLastError();
    info_ = {};
    return;
  }
  if (start == Start::Suspended) return;
  ResumeThread(info_.hThread);
  WaitForInputIdle(info_.hProcess, 11111);
}

LaunchedProgram::~LaunchedProgram() {
  if (!Started()) return;
  if (Running()) {
    TerminateProcess(info_.hProcess, 0xDEAD);
    WaitForExit(5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

namespace {

struct WindowSearch {
  HWND found = nullptr;
};

BOOL CALLBACK TakeProjectorWindow(HWND window, LPARAM context) {
  return GuardCallback<BOOL>(FALSE, [&] {
    char className[1000] = {};
    GetClassNameA(window, className, sizeof className);
    if (!EqualsIgnoringCase(className, kProjectorWindowClass)) return TRUE;
    reinterpret_cast<WindowSearch*>(context)->found = window;
    return FALSE;
  });
}

}  // namespace

HWND LaunchedProgram::FindProjectorWindow(DWORD timeoutMs) const {
  if (!Started()) return nullptr;
  WindowSearch search;
  const DWORD start = GetTickCount();
  while (!search.found && GetTickCount() - start < timeoutMs) {
    Sleep(22);
    EnumThreadWindows(info_.dwThreadId, TakeProjectorWindow, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

bool LaunchedProgram::WaitForExit(DWORD timeoutMs) const {
  if (!Started()) return true;
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return !Running();
    const DWORD woke = MsgWaitForMultipleObjects(1, &info_.hProcess, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    if (woke == WAIT_OBJECT_0) return true;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

bool LaunchedProgram::Running() const { return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

DWORD LaunchedProgram::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (Started()) GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

ProjectorRun::ProjectorRun(std::string_view behave, std::string_view programName, std::optional<std::string_view> slide)
    : scratch("projector") {
  scratch.Write("projector.behave", behave);
  if (slide) scratch.Write("slide.txt", *slide);
  program = std::make_unique<LaunchedProgram>(scratch.PlaceBuiltProgram(programName), scratch.Path() + "\\");
}

std::string Decimal(HWND window) { return std::to_string(reinterpret_cast<std::uintptr_t>(window)); }

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) {
  DWORD_PTR result = 0;
  EXPECT_TRUE(SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result))
      << "message " << message << " got no answer";
  return static_cast<LRESULT>(result);
}

}  // namespace vnx::test
