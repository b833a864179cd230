#include "tests/support/projector_process.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/callback_guard.h"
#include "common/handle.h"
#include "common/text.h"

namespace vnx::test {
namespace {

std::string TempDirectory() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof buffer, buffer);
  return std::string(buffer, length);
}

bool DeleteTreeOnce(const std::string& directory) {
  WIN32_FIND_DATAA found;
  UniqueFindHandle search(FindFirstFileA((directory + "*").c_str(), &found));
  if (search) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = directory + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTreeOnce(path + "\\");
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search.get(), &found));
  }
  search.reset();
  RemoveDirectoryA(directory.c_str());
  return GetFileAttributesA(directory.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::string BuiltProgram(std::string_view fileName) {
  char self[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.find_last_of('\\') + 1) + std::string(fileName);
}

bool RemoveTree(const std::string& directory) {
  for (int attempt = 0; attempt < 40; ++attempt) {
    if (DeleteTreeOnce(directory)) return true;
    Sleep(50);
  }
  return false;
}

ScratchDirectory::ScratchDirectory(std::string_view tag) {
  static int counter = 0;
  path_ = TempDirectory() + "vnx-" + std::string(tag) + "-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++counter) + "\\";
  RemoveTree(path_);
  EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_;
}

ScratchDirectory::~ScratchDirectory() { EXPECT_TRUE(RemoveTree(path_)) << path_; }

void ScratchDirectory::Write(std::string_view name, std::string_view text) const {
  UniqueFileHandle file(CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
  ASSERT_TRUE(file) << File(name);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
}

std::optional<std::string> ScratchDirectory::Read(std::string_view name) const {
  UniqueFileHandle file(CreateFileA(File(name).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string text(GetFileSize(file.get(), nullptr), '\0');
  DWORD read = 0;
  if (!text.empty() && !ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr))
    return std::nullopt;
  text.resize(read);
  return text;
}

std::string ScratchDirectory::PlaceBuiltProgram(std::string_view fileName, std::string_view asName) const {
  const std::string target = File(asName.empty() ? fileName : asName);
  EXPECT_TRUE(CopyFileA(BuiltProgram(fileName).c_str(), target.c_str(), FALSE)) << BuiltProgram(fileName);
  return target;
}

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

ScopedVariable::~ScopedVariable() {
  SetEnvironmentVariableA(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

LaunchedProgram::LaunchedProgram(const std::string& path, const std::string& currentDirectory) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USEPOSITION | STARTF_FORCEOFFFEEDBACK;
  startup.wShowWindow = SW_SHOWNORMAL;
  startup.dwX = 5000;
  startup.dwY = static_cast<DWORD>(-5000);
  if (!CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                      currentDirectory.c_str(), &startup, &info_)) {
    ADD_FAILURE() << "CreateProcess " << path << " failed: " << GetLastError();
    info_ = {};
    return;
  }
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
    if (LowerAscii(className) != "shockwaveflash") return TRUE;
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

bool LaunchedProgram::Running() const {
  return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD LaunchedProgram::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (Started()) GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

ProjectorRun::ProjectorRun(std::string_view behave, std::string_view programName,
                           std::optional<std::string_view> slide)
    : scratch("projector") {
  scratch.Write("projector.behave", behave);
  if (slide) scratch.Write("slide.txt", *slide);
  program = std::make_unique<LaunchedProgram>(scratch.PlaceBuiltProgram(programName), scratch.Path());
}

std::string Decimal(HWND window) { return std::to_string(reinterpret_cast<std::uintptr_t>(window)); }

LRESULT SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) {
  DWORD_PTR result = 0;
  EXPECT_TRUE(SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result))
      << "message " << message << " got no answer";
  return static_cast<LRESULT>(result);
}

}  // namespace vnx::test
