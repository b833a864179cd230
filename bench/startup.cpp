// One start of a packed presentation as a viewer starts it, timed, and the
// floor that any runner must pay for the same files, measured beside it:
//
//   startup_bench SHOW.exe PROJECTOR_NAME SCRATCH_DIR
//
// Prints "name milliseconds" lines:
//   shown             process creation to the projector's window visible in
//                     the runner's frame
//   clean             WM_CLOSE to the runner until it has exited, its working
//                     directory gone or queued for deletion at the next start
//   phase:<name>      the runner's own timestamps (VNX_STARTUP_TRACE), from
//                     process creation
//   floor-extract     the same session extracted by the runner's reader into
//                     a fresh directory
//   floor-projector   the same projector started directly until its window
//                     is there
//   floor-window      a program of one window started until it has made it:
//                     the process start and the display connection that any
//                     windowed runner pays itself
// bench/run_startup.sh runs it many times and reports medians and spreads.

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "common/callback_guard.h"
#include "common/handle.h"
#include "contract/projector.h"
#include "contract/shared_names.h"
#include "session/win32_file_seam.h"
#include "session/zef_exe_appender.h"

namespace {

double Now() {
  LARGE_INTEGER counter{}, frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Search {
  DWORD processId;
  HWND runner = nullptr, projector = nullptr;
};

BOOL CALLBACK FindShockwaveChild(HWND window, LPARAM lParam) {
  return vnx::GuardCallback<BOOL>(FALSE, [&]() -> BOOL {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, vnx::kProjectorWindowClass) != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = window;
    return FALSE;
  });
}

BOOL CALLBACK FindShownRunner(HWND window, LPARAM lParam) {
  return vnx::GuardCallback<BOOL>(FALSE, [&]() -> BOOL {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner != search.processId || lstrcmpA(name, vnx::kMainWindowClass) != 0 || !IsWindowVisible(window))
      return TRUE;
    HWND child = nullptr;
    EnumChildWindows(window, FindShockwaveChild, reinterpret_cast<LPARAM>(&child));
    if (!child) return TRUE;
    search.runner = window;
    search.projector = child;
    return FALSE;
  });
}

BOOL CALLBACK FindThreadProjector(HWND window, LPARAM lParam) {
  return vnx::GuardCallback<BOOL>(FALSE, [&]() -> BOOL {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, vnx::kProjectorWindowClass) != 0) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = window;
    return FALSE;
  });
}

// Waits for a process while this thread's messages keep flowing.
bool WaitPumping(HANDLE process, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    if (MsgWaitForMultipleObjects(1, &process, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0) return true;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  return false;
}

std::string DirectoryOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

void Report(const char* name, double milliseconds) { std::printf("%s %.1f\n", name, milliseconds); }

// The presentation as a viewer has it: started, shown, closed, cleaned up.
bool RunPresentation(const std::string& show, const std::string& trace) {
  DeleteFileA(trace.c_str());
  SetEnvironmentVariableA(vnx::kStartupTraceVariable, trace.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + show + "\"";
  const double created = Now();
  if (!CreateProcessA(show.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, DirectoryOf(show).c_str(),
                      &startup, &info))
    return false;
  SetEnvironmentVariableA(vnx::kStartupTraceVariable, nullptr);
  const vnx::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  Search search{info.dwProcessId};
  while (!search.projector && Now() - created < 60000) {
    EnumWindows(FindShownRunner, reinterpret_cast<LPARAM>(&search));
    if (!search.projector) Sleep(1);
  }
  if (!search.projector) return false;
  Report("shown", Now() - created);

  Sleep(1000);  // the presentation settles, the music starts
  const double closing = Now();
  PostMessageA(search.runner, WM_CLOSE, 0, 0);
  if (!WaitPumping(process.get(), 60000)) return false;
  Report("clean", Now() - closing);

  std::ifstream lines(trace);
  std::string phase;
  double at = 0;
  while (lines >> phase >> at) Report(("phase:" + phase).c_str(), at - created);
  return true;
}

// What any runner pays: the same session extracted, the same projector
// started and waited for.
bool RunFloor(const std::string& show, const std::string& projectorName, const std::string& scratch) {
  const std::string target = scratch + "\\floor";
  CreateDirectoryA(target.c_str(), nullptr);
  vnx::TZefExeAppender reader(vnx::Win32Files(), vnx::ExecutableAt(vnx::Win32Files(), [&show] { return show; }));
  reader.UseOwnExe = true;
  reader.TargetDir = target + "\\";
  double started = Now();
  reader.Extract("Session1");
  Report("floor-extract", Now() - started);

  const std::string projector = target + "\\" + projectorName;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  started = Now();
  if (!CreateProcessA(projector.c_str(), nullptr, nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, target.c_str(),
                      &startup, &info))
    return false;
  const vnx::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  ResumeThread(info.hThread);
  WaitForInputIdle(info.hProcess, 11111);
  HWND window = nullptr;
  while (!window && Now() - started < 11000) {
    EnumThreadWindows(info.dwThreadId, FindThreadProjector, reinterpret_cast<LPARAM>(&window));
    if (!window) Sleep(1);
  }
  if (!window) return false;
  Report("floor-projector", Now() - started);
  PostMessageA(window, WM_CLOSE, 0, 0);
  WaitPumping(process.get(), 10000);
  const std::string files = target + "\\*";
  WIN32_FIND_DATAA entry{};
  if (const vnx::UniqueFindHandle search{FindFirstFileA(files.c_str(), &entry)}) {
    do DeleteFileA((target + "\\" + entry.cFileName).c_str());
    while (FindNextFileA(search.get(), &entry));
  }
  RemoveDirectoryA(target.c_str());
  return true;
}

// This program again, as the smallest windowed program there is.
bool RunFirstWindow() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string commandLine = std::string("\"") + self + "\" --first-window";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const double started = Now();
  if (!CreateProcessA(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  const vnx::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
  if (!WaitPumping(process.get(), 30000)) return false;
  Report("floor-window", Now() - started);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--first-window") {
    const HWND window = CreateWindowExA(0, "STATIC", "first", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN) / 4,
                                        GetSystemMetrics(SM_CYSCREEN) / 4, nullptr, nullptr, nullptr, nullptr);
    return window ? 0 : 1;
  }
  if (argc != 4) {
    std::fprintf(stderr, "usage: startup_bench SHOW.exe PROJECTOR_NAME SCRATCH_DIR\n");
    return 2;
  }
  const std::string show = argv[1], projector = argv[2], scratch = argv[3];
  CreateDirectoryA(scratch.c_str(), nullptr);
  // A viewer double-clicks on a desktop that is there. Wine starts its
  // desktop process with the first window after a restart (about 200 ms
  // here), so this bench makes that window before the timed start.
  DestroyWindow(CreateWindowExA(0, "STATIC", "desktop", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  const bool ok =
      RunPresentation(show, scratch + "\\trace.txt") && RunFloor(show, projector, scratch) && RunFirstWindow();
  std::fflush(stdout);
  return ok ? 0 : 1;
}
