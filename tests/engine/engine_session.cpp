#include "tests/engine/engine_session.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/callback_guard.h"
#include "contract/private_messages.h"
#include "tests/engine/stand_in_reports.h"

namespace vnx::test {
namespace {

template <class Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

BOOL CALLBACK FindStandInWindow(HWND window, LPARAM found) {
  return GuardCallback<BOOL>(FALSE, [&]() -> BOOL {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, kProjectorWindowClass) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  });
}

constexpr std::int32_t kFirstTestInstance = 900000000;

std::string TempDirectory() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

void RemoveTestWorkDirectory(const std::string& directory) {
  DeleteFileA((directory + "\\vnxengine.dll").c_str());
  RemoveDirectoryA(directory.c_str());
}

void RemoveStaleTestWorkDirectories() {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((TempDirectory() + "Vnx_Rt9*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::optional<std::int32_t> instance = InstanceFromWorkDirName(found.cFileName);
    if (instance && *instance >= kFirstTestInstance) RemoveTestWorkDirectory(TempDirectory() + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

}  // namespace

TestWorkDirectory::TestWorkDirectory() {
  static int made = 0;
  if (made == 0) RemoveStaleTestWorkDirectories();
  ++made;
  instance_ = kFirstTestInstance + static_cast<std::int32_t>(GetCurrentProcessId() % 10000) * 1000 + made;
  directory_ = TempDirectory() + "Vnx_Rt" + std::to_string(instance_);
  enginePath_ = directory_ + "\\vnxengine.dll";
  ready_ = CreateDirectoryA(directory_.c_str(), nullptr) &&
           CopyFileA((TestProgramDirectory() + "vnxengine.dll").c_str(), enginePath_.c_str(), FALSE);
  EXPECT_TRUE(ready_) << "cannot prepare " << enginePath_;
}

TestWorkDirectory::~TestWorkDirectory() { RemoveTestWorkDirectory(directory_); }

std::uint32_t BlockValue(const void* handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

std::string TestProgramDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path);
  return directory.substr(0, directory.find_last_of('\\') + 1);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

Recorder::Recorder(ControlBlock* block) : block_(block) {
  static const ATOM registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VnxEngineTestRecorder";
    return RegisterClassA(&windowClass);
  }();
  EXPECT_NE(registered, 0);
  window_ = CreateWindowExA(0, "VnxEngineTestRecorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Recorder::~Recorder() {
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK Recorder::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardCallback<LRESULT>(0, [&]() -> LRESULT {
    auto* self = reinterpret_cast<Recorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const bool engineMessage = message >= kFirstPrivateMessage && message <= kLastPrivateMessage;
    const bool standInReport = message == kStandInInput || message == kStandInMenu;
    if (self == nullptr || !(engineMessage || standInReport)) return DefWindowProcA(window, message, wParam, lParam);
    self->entries_.push_back({message, wParam, lParam});
    if (message == WM_RUNNER_SHOWN && self->block_ != nullptr) self->block_->PresentationShown = 1;
    return 0;
  });
}

int Recorder::Count(const std::function<bool(const Entry&)>& match) const {
  int count = 0;
  for (const Entry& entry : entries_) count += match(entry) ? 1 : 0;
  return count;
}

int Recorder::Count(UINT message) const {
  return Count([&](const Entry& entry) { return entry.message == message; });
}

int Recorder::Count(UINT message, WPARAM wParam) const {
  return Count([&](const Entry& entry) { return entry.message == message && entry.wParam == wParam; });
}

int Recorder::Inputs(UINT inputMessage) const { return Count(kStandInInput, inputMessage); }

int Recorder::Keys(UINT keyMessage, WPARAM virtualKey) const {
  return Count([&](const Entry& entry) {
    return entry.message == kStandInInput && entry.wParam == keyMessage &&
           entry.lParam == static_cast<LPARAM>(virtualKey);
  });
}

std::vector<Recorder::Entry> Recorder::PrivateMessages() const {
  std::vector<Entry> found;
  for (const Entry& entry : entries_) {
    if (entry.message >= kFirstPrivateMessage && entry.message <= kLastPrivateMessage) found.push_back(entry);
  }
  return found;
}

bool Recorder::WaitFor(UINT message, WPARAM wParam, DWORD timeoutMs) {
  return PumpUntil([&] { return Count(message, wParam) > 0; }, timeoutMs);
}

bool Recorder::WaitFor(const std::function<bool(const Entry&)>& match, DWORD timeoutMs) {
  return PumpUntil([&] { return Count(match) > 0; }, timeoutMs);
}

StandIn::StandIn(HWND report, RECT where, const std::function<void(const PROCESS_INFORMATION&)>& started) {
  const std::string program = TestProgramDirectory() + "stand_in_projector.exe";
  std::string commandLine = "\"" + program + "\" " + std::to_string(BlockValue(report));
  for (const LONG value : {where.left, where.top, where.right - where.left, where.bottom - where.top}) {
    commandLine += " " + std::to_string(value);
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                      &startup, &info_)) {
    ADD_FAILURE() << "cannot start " << program << ": " << GetLastError();
    return;
  }
  if (started) started(info_);
  ResumeThread(info_.hThread);
  WaitForInputIdle(info_.hProcess, 5000);
  HWND found = nullptr;
  PumpUntil(
      [&] {
        EnumThreadWindows(info_.dwThreadId, FindStandInWindow, reinterpret_cast<LPARAM>(&found));
        return found != nullptr && IsWindowVisible(found);
      },
      5000);
  EXPECT_NE(found, nullptr) << "the stand-in opened no window";
  window_ = found;
}

StandIn::~StandIn() {
  if (info_.hProcess == nullptr) return;
  // Closed as a viewer closes it, so its thread leaves through its message
  // loop and not from inside a call of one of the engine's hooks (see
  // EngineSession::Teardown); killed only if it does not end.
  const auto ended = [&] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; };
  if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
  if (!PumpUntil(ended, 3000)) {
    TerminateProcess(info_.hProcess, 0);
    PumpUntil(ended, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

POINT StandIn::Centre() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

EngineSession::EngineSession(const EngineSettings& settings) {
  if (!workDir_.Ready()) return;
  // The runner's bring-up, in its order.
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kControlBlockMappingSize,
                                workDir_.MappingName().c_str());
  if (mapping_ == nullptr) return;
  block_ = static_cast<ControlBlock*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, kControlBlockViewSize));
  if (block_ == nullptr) return;
  engine_ = LoadLibraryA(workDir_.EnginePath().c_str());
  if (engine_ == nullptr) {
    ADD_FAILURE() << "cannot load " << workDir_.EnginePath() << ": " << GetLastError();
    return;
  }
  std::memset(block_, 0, sizeof(ControlBlock));
  block_->Initialised = 1;
  runner_ = std::make_unique<Recorder>(block_);
  InstallHooks(settings);
  for (std::size_t i = 0; i < settings.menuDeleteItems.size() && i < 50; ++i) {
    block_->MenuDeleteItems[i] = settings.menuDeleteItems[i];
  }
  block_->HideCursor = settings.hideCursor;
  block_->RunnerWindow2 = block_->RunnerWindow = BlockValue(runner_->Window());
  block_->EngineFlagA = 1;
  block_->ExitOnEsc = settings.exitOnEsc;
  block_->RunnerThreadId = GetCurrentThreadId();
  block_->RunnerProcessId = GetCurrentProcessId();
  block_->ExitOnAnyKey = settings.exitOnAnyKey;  // the run loop's first pass

  const auto launched = [&](const PROCESS_INFORMATION& info) {
    block_->ProjectorProcessId = info.dwProcessId;
    block_->ProjectorThreadId = info.dwThreadId;
  };
  projector_ = std::make_unique<StandIn>(runner_->Window(), RECT{100, 100, 400, 300}, launched);
  ready_ = projector_->Running() && hooks_[1] != nullptr && hooks_[2] != nullptr;
}

void EngineSession::InstallHooks(const EngineSettings& settings) {
  const auto hook = [&](int type, const char* name) {
    const HHOOK installed = SetWindowsHookExA(type, Export<HOOKPROC>(engine_, name), engine_, 0);
    EXPECT_NE(installed, nullptr) << name;
    return installed;
  };
  hooks_[1] = hook(WH_KEYBOARD, "KProc");
  block_->KeyboardHook = BlockValue(hooks_[1]);
  block_->FittingInProgress = 1;
  block_->DisableScreenSaver = settings.disableScreenSaver;
  block_->RunningAsScreenSaver = settings.runningAsScreenSaver;
  if (settings.blockSystemKeys) {
    block_->BlockSystemKeys = 1;
    hooks_[3] = hook(WH_GETMESSAGE, "GProc");
    block_->GetMessageHook = BlockValue(hooks_[3]);
  }
  hooks_[2] = hook(WH_CBT, "CProc");
  block_->CbtHook = BlockValue(hooks_[2]);
  block_->NoRightClickMenu = settings.noRightClickMenu;
  block_->CloseMenu = settings.closeMenu;
  block_->ExitOnMouse = settings.exitOnMouse;
  block_->Draggable = settings.draggable;
  if (settings.noRightClickMenu || settings.exitOnMouse || settings.draggable) {
    hooks_[0] = hook(WH_MOUSE, "MProc");
    block_->MouseHook = BlockValue(hooks_[0]);
  }
}

bool EngineSession::ShowPresentation() {
  if (!ready_) return false;
  block_->ProjectorWindow = BlockValue(projector_->Window());
  block_->PresentationRunning = 1;
  return runner_->WaitFor(WM_RUNNER_SHOWN, 0, 3000);
}

EngineSession::~EngineSession() { Teardown(); }

void EngineSession::Teardown() {
  // The projector ends before the hooks go, as in the runner's cleanup.
  // Wine 10's wineserver miscounts a global hook removed while a thread that
  // then leaves is inside a call of it, and dies on its assertion.
  projector_.reset();
  for (const int i : {1, 0, 2, 3}) {  // keyboard, mouse, CBT, GetMessage
    if (hooks_[i] != nullptr) {
      EXPECT_TRUE(UnhookWindowsHookEx(hooks_[i]));
    }
  }
  if (block_ != nullptr) {
    block_->ProjectorProcessId = 0;
    block_->Reserved28 = 0;
    block_->ProjectorWindow = block_->RunnerWindow = block_->RunnerWindow2 = 0;
    block_->Reserved60 = block_->ExitOnAnyKey = 0;
  }
  if (engine_ != nullptr) FreeLibrary(engine_);
  if (block_ != nullptr) UnmapViewOfFile(block_);
  if (mapping_ != nullptr) CloseHandle(mapping_);
  runner_.reset();
  if (engine_ == nullptr) return;

  // The engine holds nothing of the session once it is over: its watcher has
  // let go of the library, and no view keeps the mapping alive.
  EXPECT_TRUE(PumpUntil([&] { return GetModuleHandleA(workDir_.EnginePath().c_str()) == nullptr; }, 3000))
      << "the engine library stays loaded";
  EXPECT_TRUE(PumpUntil([&] { return !MappingExists(workDir_.MappingName()); }, 3000))
      << "the mapping outlives the session";
}

bool MappingExists(const std::string& name) {
  const HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
  if (mapping != nullptr) CloseHandle(mapping);
  return mapping != nullptr;
}

}  // namespace vnx::test
