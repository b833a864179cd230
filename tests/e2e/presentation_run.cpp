#include "tests/e2e/presentation_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "common/handle.h"
#include "common/system_text.h"
#include "common/text.h"
#include "contract/projector.h"
#include "contract/shared_names.h"
#include "session/password_hash.h"

namespace vnx::test {
namespace {

BOOL CALLBACK FindProjectorChildProc(HWND window, LPARAM lParam) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (EqualsIgnoringCase(className, kProjectorWindowClass)) {
    *reinterpret_cast<HWND*>(lParam) = window;
    return FALSE;
  }
  return TRUE;
}

struct ProcessWindowSearch {
  DWORD processId;
  const char* wantedClass;
  HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<ProcessWindowSearch*>(lParam);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || std::string(className) != search.wantedClass) return TRUE;
  search.found = window;
  return FALSE;
}

HWND FindProcessWindow(DWORD processId, const char* wantedClass) {
  ProcessWindowSearch search{processId, wantedClass, nullptr};
  EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The last non-empty text of a static control of the window.
// The text as the box holds it, whole, in UTF-8.
BOOL CALLBACK TakeStaticText(HWND child, LPARAM lParam) {
  char className[32] = {};
  wchar_t text[2048] = {};
  GetClassNameA(child, className, sizeof className);
  GetWindowTextW(child, text, 2048);
  if (LowerAscii(className) == "static" && text[0]) *reinterpret_cast<std::string*>(lParam) = Utf8FromWide(text);
  return TRUE;
}

// The path's short form in the code page (the path itself when there is none).
std::string ShortFormOf(const std::string& wholePath) {
  const std::wstring path = WideFromUtf8(wholePath);
  wchar_t shortPath[MAX_PATH] = {};
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
  return CodePageRendering(length > 0 && length < MAX_PATH ? std::wstring(shortPath, length) : path);
}

// An environment variable of this process set whole for a while; an empty
// value leaves it alone.
class ScopedWholeVariable {
 public:
  ScopedWholeVariable(const wchar_t* name, const std::string& value) : name_(name) {
    if (value.empty()) return;
    wchar_t previous[4096] = {};
    const DWORD length = GetEnvironmentVariableW(name, previous, 4096);
    if (length > 0 && length < 4096) previous_ = previous;
    SetEnvironmentVariableW(name, WideFromUtf8(value).c_str());
    set_ = true;
  }
  ~ScopedWholeVariable() {
    if (set_) SetEnvironmentVariableW(name_, previous_ ? previous_->c_str() : nullptr);
  }
  ScopedWholeVariable(const ScopedWholeVariable&) = delete;
  ScopedWholeVariable& operator=(const ScopedWholeVariable&) = delete;

 private:
  const wchar_t* name_;
  std::optional<std::wstring> previous_;
  bool set_ = false;
};

}  // namespace

std::string MessageBoxText(HWND box) {
  std::string text;
  EnumChildWindows(box, TakeStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

std::optional<MessageBoxSeen> MessageBoxOf(DWORD processId) {
  const HWND box = FindProcessWindow(processId, "#32770");
  if (!box) return std::nullopt;
  MessageBoxSeen seen;
  char text[1024] = {};
  GetWindowTextA(box, text, sizeof text);
  seen.Caption = text;
  seen.Text = MessageBoxText(box);
  // The box may be found while it is still being built.
  if (seen.Caption.empty() || seen.Text.empty()) return std::nullopt;
  return seen;
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    if (auto seen = MessageBoxOf(processId)) return seen;
    Sleep(50);
  }
  return std::nullopt;
}

void PressOk(DWORD processId) {
  if (const HWND box = FindProcessWindow(processId, "#32770")) PostMessageA(box, WM_COMMAND, IDOK, 0);
}

HWND FindRunnerWindow(DWORD processId) { return FindProcessWindow(processId, kMainWindowClass); }

HWND ShownProjectorChild(HWND runnerWindow) {
  HWND child = nullptr;
  if (runnerWindow) EnumChildWindows(runnerWindow, FindProjectorChildProc, reinterpret_cast<LPARAM>(&child));
  return child && IsWindowVisible(child) && IsWindowVisible(runnerWindow) ? child : nullptr;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT ClientOnScreen(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

RECT ScreenRect() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void ExpectSameRect(const RECT& actual, const RECT& expected) {
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  EXPECT_EQ(actual.right, expected.right);
  EXPECT_EQ(actual.bottom, expected.bottom);
}

void ExpectProjectorFillsClientArea(const PresentationRun& run) {
  EXPECT_EQ(GetAncestor(run.ProjectorWindow(), GA_PARENT), run.RunnerWindow());
  ExpectSameRect(WindowRect(run.ProjectorWindow()), ClientOnScreen(run.RunnerWindow()));
}

PresentationRun::PresentationRun(const PresentationSpec& presentation) {
  static int counter = 0;
  const std::string madeUp = "vnxe2e" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
  stem_ = presentation.Name.empty() ? madeUp : presentation.Name;
  showFolder_ = presentation.Folder.empty() ? scratch_.Path() : scratch_.File(presentation.Folder);
  showPath_ = showFolder_ + "\\" + stem_ + ".exe";
  logPath_ = scratch_.File("projector.log");
  const bool absolute = presentation.TempFolder.size() > 1 && presentation.TempFolder[1] == ':';
  tempFolder_ = presentation.TempFolder.empty() ? std::string()
                : absolute                      ? presentation.TempFolder
                                                : scratch_.File(presentation.TempFolder);
  CreateDirectoryW(WideFromUtf8(tempFolder_.empty() ? scratch_.File("temp") : tempFolder_).c_str(), nullptr);
  tempBase_ = tempFolder_.empty() ? scratch_.File("temp") : ShortFormOf(tempFolder_);
  std::string behave = "log " + logPath_ + "\r\nenv " + ExeFileName() + "\r\n";
  for (const std::string& line : presentation.Behave) behave += line + "\r\n";
  const std::string lock = presentation.Password
                               ? "Password=1\r\nAlignmentX=" +
                                     std::to_string(static_cast<std::int32_t>(PasswordHash(*presentation.Password))) +
                                     "\r\n"
                               : "Password=0\r\n";
  std::vector<ShowFile> files{{"show.ini", "[Settings]\r\n" + lock + presentation.Settings, ""},
                              {"projector.exe", BuiltProgramBytes(presentation.Projector), ""},
                              {"projector.behave", behave, ""},
                              {"slide.txt", presentation.Slide, ""}};
  if (presentation.EngineBytes || !presentation.Engine.empty())
    files.push_back({"engine.dll", presentation.EngineBytes.value_or(BuiltProgramBytes(presentation.Engine)), ""});
  files.insert(files.end(), presentation.Extra.begin(), presentation.Extra.end());
  // Packed under a name of the code page, then moved to its whole name.
  const std::string packed = scratch_.File(madeUp + ".packed");
  const bool runnerIsPath = presentation.Runner.find('\\') != std::string::npos;
  PackShow(runnerIsPath ? presentation.Runner : BuiltProgram(presentation.Runner), packed, files);
  CreateDirectoryW(WideFromUtf8(showFolder_).c_str(), nullptr);
  EXPECT_TRUE(MoveFileW(WideFromCodePage(packed).c_str(), WideFromUtf8(showPath_).c_str())) << showPath_;
  if (presentation.ProjectorBesideRunner)
    for (const ShowFile& file : files)
      if (file.Name == "projector.exe" || file.Name == "projector.behave" || file.Name == "slide.txt")
        scratch_.Write(file.Name, file.Content);
  registry_ = std::make_unique<ShowRegistrySection>(stem_, tempFolder_.empty() ? TempBase() : std::string());
}

PresentationRun::~PresentationRun() {
  if (runnerWindow_ && IsWindow(runnerWindow_)) PostMessageA(runnerWindow_, WM_CLOSE, 0, 0);
  if (runner_) runner_->WaitForExit(15000);
  runner_.reset();  // ends it by its id if it still runs
  // A projector the runner gave up on keeps running; end it by its id.
  if (const auto projector = LastLog("process")) {
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, std::stoul(*projector));
    if (process) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
}

void PresentationRun::Start(const std::string& arguments) {
  const ScopedWholeVariable tmp(L"TMP", tempFolder_), temp(L"TEMP", tempFolder_);
  runner_ =
      std::make_unique<LaunchedProgram>(showPath_, showFolder_ + "\\", LaunchedProgram::Start::Running, arguments);
}

bool PresentationRun::StartAndWaitForPresentation(DWORD timeoutMs) {
  Start();
  return WaitForPresentation(timeoutMs);
}

bool PresentationRun::WaitForPresentation(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    runnerWindow_ = FindRunnerWindow(RunnerProcessId());
    if (const HWND child = ShownProjectorChild(runnerWindow_)) {
      projectorWindow_ = child;
      Sleep(300);  // the run loop settles the z-order once the engine reports the show
      return true;
    }
    if (!runner_->Running()) return false;
    Sleep(50);
  }
  return false;
}

ControlBlock PresentationRun::ReadControlBlock() const {
  for (const auto& [instance, block] : ControlBlocksBelow(TempBase()))
    if (block.RunnerProcessId == RunnerProcessId()) return block;
  ADD_FAILURE() << "no control block";
  return ControlBlock{};
}

std::map<std::int32_t, ControlBlock> ControlBlocksBelow(const std::string& tempBase) {
  std::map<std::int32_t, ControlBlock> blocks;
  WIN32_FIND_DATAA entry{};
  const UniqueFindHandle search(
      FindFirstFileA((tempBase + "\\" + std::string(kWorkDirBaseName) + "*").c_str(), &entry));
  if (!search) return blocks;
  do {
    const auto instance = InstanceFromWorkDirName(entry.cFileName);
    if (!instance) continue;
    const UniqueKernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, MappingNameFor(*instance).c_str()));
    if (!mapping) continue;
    const UniqueMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(ControlBlock)));
    if (view) std::memcpy(&blocks[*instance], view.get(), sizeof(ControlBlock));
  } while (FindNextFileA(search.get(), &entry));
  return blocks;
}

std::vector<LogEntry> PresentationRun::ProjectorLog() const {
  return ParseLog(ReadFileText(logPath_).value_or(std::string()));
}

bool PresentationRun::WaitForEnd(DWORD timeoutMs) const { return runner_ && runner_->WaitForExit(timeoutMs); }

std::vector<std::string> PresentationRun::LeftBehind() const { return LeftBehindIn(TempBase()); }

std::vector<std::string> LeftBehindIn(const std::string& tempBase) {
  const std::string pending = PendingDeletions();
  std::vector<std::string> left;
  for (const std::string& entry : TreeEntries(tempBase)) {
    const std::string path = LowerAscii(tempBase + "\\" + entry);
    const bool engineOrItsDirectory = entry.find(".dll") != std::string::npos || entry.find('\\') == std::string::npos;
    if (engineOrItsDirectory && pending.find(path) != std::string::npos) continue;
    left.push_back(entry);
  }
  return left;
}

}  // namespace vnx::test
