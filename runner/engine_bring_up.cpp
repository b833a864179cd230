#include "runner/engine_bring_up.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "common/system_text.h"
#include "contract/control_block.h"
#include "contract/library_exports.h"
#include "contract/private_messages.h"
#include "runner/frm_main.h"
#include "runner/pump.h"
#include "runner/runner_seams.h"
#include "runner/session_holders.h"
#include "window/browser_association_win.h"

namespace vnx {
namespace {

constexpr int kCbtUnhookAttempts = 20;
constexpr DWORD kCbtUnhookPause = 55;

struct EngineExports {
  HOOKPROC Mouse, Keyboard, Cbt, GetMessage;
};

// The system's text for the error, in UTF-8 for the report.
std::string SystemMessage(DWORD error) {
  wchar_t text[512] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, 512, nullptr);
  return Utf8FromWide(text);
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MapControlBlock(TfrmMain& runner, SessionHolders& holders) {
  holders.Mapping.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kControlBlockMappingSize,
                                           MappingNameFor(runner.InstanceSlot).c_str()));
  if (!holders.Mapping) return false;
  holders.ControlBlockView.reset(
      MapViewOfFile(holders.Mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, kControlBlockViewSize));
  runner.ControlBlock = static_cast<ControlBlock*>(holders.ControlBlockView.get());
  return runner.ControlBlock != nullptr;
}

bool LoadEngine(TfrmMain& runner, SessionHolders& holders) {
  runner.EngineFile = runner.WorkDir + runner.EngineFile;
  holders.Engine.reset(LoadLibraryA(runner.EngineFile.c_str()));
  if (holders.Engine) return true;
  const DWORD error = GetLastError();
  Seams().ShowMessageBox(runner.MainWindow, EngineLoadFailureText(FileExists(runner.EngineFile), SystemMessage(error)),
                         Seams().ProgramPath());
  return false;
}

// All seven must exist; WProc, FProc and SProc are never installed.
bool FindExports(HMODULE engine, EngineExports& exports) {
  const auto hook = [engine](const char* name) {
    return reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(engine, name)));
  };
  exports = {hook(kMouseHookExport), hook(kKeyboardHookExport), hook(kCbtHookExport), hook(kGetMessageHookExport)};
  return exports.Mouse && exports.Keyboard && exports.Cbt && exports.GetMessage &&
         std::ranges::all_of(kUninstalledEngineExports,
                             [engine](const char* name) { return GetProcAddress(engine, name) != nullptr; });
}

HHOOK InstallHook(int type, HOOKPROC procedure, HMODULE engine) {
  return SetWindowsHookExA(type, procedure, engine, 0);
}

std::uint32_t HandleValue(const void* handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

// A frameless frame is told to the engine in byte 81 just before CloseMenu
// takes that byte over; no other byte ever carries it.
void WriteMenuAndExitFields(const TfrmMain& runner, ControlBlock& block) {
  block.NoRightClickMenu = !runner.RightClickMenu.Value;
  const bool frameless =
      runner.NoTitle.Value || runner.NoBorder.Value || (runner.FullScreen.Value && runner.CustomSize.Value);
  *static_cast<volatile std::uint8_t*>(&block.CloseMenu) = frameless;
  block.CloseMenu = runner.CloseMenu.Value;
  block.SetupMenu = runner.SetupMenu.Value;
  block.MinimizeMenu = runner.MinimizeMenu.Value;
  block.ExitOnMouse = !runner.Interaction.Value;
  block.Draggable = runner.Draggable.Value;
}

void WriteRemainingFields(const TfrmMain& runner, const SessionHolders& holders, ControlBlock& block) {
  block.ProjectorMajor = runner.ProjectorVersionMajor;
  std::copy(runner.RightMenuDeleteItems.begin(), runner.RightMenuDeleteItems.end(), std::begin(block.MenuDeleteItems));
  block.HideCursor = runner.HideCursor;
  block.RunnerWindow2 = HandleValue(runner.MainWindow);
  block.RunnerWindow = HandleValue(runner.MainWindow);
  block.ProjectorProcessId = 0;
  block.MouseHook = HandleValue(holders.MouseHook);
  block.KeyboardHook = HandleValue(holders.KeyboardHook);
  block.CbtHook = HandleValue(holders.CbtHook);
  block.GetMessageHook = HandleValue(holders.GetMessageHook);
  std::memset(block.ReservedHooks, 0, sizeof block.ReservedHooks);
  block.Reserved28 = 0;
  block.EngineFlagB = block.EngineFlagC = block.EngineFlagD = block.EngineFlagE = 0;
  block.EngineFlagA = 1;
  block.ExitOnEsc = runner.ExitOnESC.Value;
  block.Reserved60 = 0;
  block.RunnerThreadId = GetCurrentThreadId();
  block.RunnerProcessId = GetCurrentProcessId();
}

bool InstallHooks(TfrmMain& runner, SessionHolders& holders, const EngineExports& exports) {
  ControlBlock& block = *runner.ControlBlock;
  const HMODULE engine = holders.Engine.get();
  holders.KeyboardHook = InstallHook(WH_KEYBOARD, exports.Keyboard, engine);
  if (!holders.KeyboardHook) return false;
  block.FittingInProgress = 1;
  block.DisableScreenSaver = runner.DisableScreenSaver.Value;
  block.RunningAsScreenSaver = runner.ScreenSaverMode;
  if (runner.DisableW95Key.Value) {
    block.BlockSystemKeys = 1;
    holders.GetMessageHook = InstallHook(WH_GETMESSAGE, exports.GetMessage, engine);
    if (!holders.GetMessageHook) return false;
  }
  holders.CbtHook = InstallHook(WH_CBT, exports.Cbt, engine);
  if (!holders.CbtHook) return false;
  WriteMenuAndExitFields(runner, block);
  if (block.NoRightClickMenu || block.ExitOnMouse || block.Draggable) {
    holders.MouseHook = InstallHook(WH_MOUSE, exports.Mouse, engine);
    if (!holders.MouseHook) return false;
  }
  return true;
}

bool RegisterRunnerMessages(TfrmMain& runner) {
  runner.RunnerMessage = RegisterWindowMessageA((kRunnerMessageBaseName + runner.InstanceSuffix).c_str());
  if (runner.RunnerMessage == 0) return false;
  runner.RunnerServerMessage = static_cast<std::int32_t>(RegisterWindowMessageA(kRunnerServerMessageName));
  return runner.RunnerServerMessage != 0;
}

void Unhook(HHOOK& hook) {
  if (hook) UnhookWindowsHookEx(hook);
  hook = nullptr;
}

// Some systems refuse to remove a CBT hook while it runs somewhere; the
// removal is retried with a beep, but not for ever.
void UnhookCbt(HHOOK& hook) {
  if (!hook) return;
  for (int attempt = 1; attempt <= kCbtUnhookAttempts; ++attempt) {
    const bool removed = UnhookWindowsHookEx(hook);
    if (!removed) MessageBeep(0);
    PumpPending();
    if (removed) break;
    Sleep(kCbtUnhookPause);
  }
  hook = nullptr;
}

}  // namespace

std::string EngineLoadFailureText(bool fileExists, const std::string& systemMessage) {
  return std::string("pellamrun.dll") + (fileExists ? " exists but have" : "") + " not loaded: " + systemMessage;
}

bool BringUpEngine(TfrmMain& runner, SessionHolders& holders) {
  if (!MapControlBlock(runner, holders) || !LoadEngine(runner, holders)) return false;
  EngineExports exports{};
  if (!FindExports(holders.Engine.get(), exports)) return false;
  ControlBlock& block = *runner.ControlBlock;
  std::memset(&block, 0, sizeof block);
  block.Initialised = 1;
  LookUpBrowserAssociation(block);
  if (!InstallHooks(runner, holders, exports)) return false;
  WriteRemainingFields(runner, holders, block);
  return RegisterRunnerMessages(runner);
}

void TearDownEngine(TfrmMain& runner, SessionHolders& holders) {
  Unhook(holders.KeyboardHook);
  Unhook(holders.MouseHook);
  UnhookCbt(holders.CbtHook);
  Unhook(holders.GetMessageHook);
  holders.Engine.reset();
  if (ControlBlock* block = runner.ControlBlock) {
    block->ProjectorProcessId = 0;
    block->Reserved28 = 0;
    block->ProjectorWindow = block->RunnerWindow = block->RunnerWindow2 = 0;
    block->Reserved60 = 0;
    block->ExitOnAnyKey = 0;
    Sleep(111);
    runner.ControlBlock = nullptr;
    holders.ControlBlockView.reset();
  }
  holders.Mapping.reset();
}

}  // namespace vnx
