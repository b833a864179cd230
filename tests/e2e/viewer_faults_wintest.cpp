// What a viewer's machine throws at a presentation, one case a row: a full
// or unwritable disk, a damaged download, the executable renamed while it
// runs (Windows refuses to delete a running program), a projector that fails, hangs or never shows itself, an engine
// that is missing or no library, a registry that refuses the viewer's choices. Every case ends with what the viewer is
// told (or nothing) and leaves nothing behind: no file once the prefix restarts, no projector, no start-up atom, no
// mapping, the sound as it was.
//
// The disks come from scripts/wine-exec-viewer-disks.sh, which runs these
// cases as one ctest test; run elsewhere, they skip themselves.

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/handle.h"
#include "common/system_text.h"
#include "contract/control_block.h"
#include "contract/shared_names.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

std::string Variable(const char* name) {
  char value[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

bool ProcessRunning(DWORD processId) {
  const UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

bool MappingExists() {
  const UniqueKernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, MappingNameFor(0).c_str()));
  return static_cast<bool>(mapping);
}

// The executable's bytes, changed in place.
void ChangeShow(const PresentationRun& run, const std::function<void(std::string&)>& change) {
  std::string bytes = ReadFileText(run.ShowPath()).value_or("");
  ASSERT_FALSE(bytes.empty());
  change(bytes);
  WriteFileText(run.ShowPath(), bytes);
}

std::size_t RunnerSize() { return ReadFileText(BuiltProgram("runner.exe")).value_or("").size(); }

constexpr wchar_t kRegistryRoot[] = L"Software\\Orrindale";

// Removes a key with every key below it.
void DeleteKeyTree(HKEY parent, const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    wchar_t child[256];
    for (DWORD length = 256; RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         length = 256)
      DeleteKeyTree(key, child);
    RegCloseKey(key);
  }
  RegDeleteKeyW(parent, name.c_str());
}

// Makes the runners' registry key volatile: the non-volatile section the
// runner creates for the viewer's choices cannot be created below it.
void BreakRegistry(const PresentationRun& run) {
  run.Registry().Remove();
  DeleteKeyTree(HKEY_CURRENT_USER, kRegistryRoot);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRegistryRoot, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

// The next runner makes the key anew, as it always does when it is missing.
void RepairRegistry() { DeleteKeyTree(HKEY_CURRENT_USER, kRegistryRoot); }

// The viewer closes the presentation's window.
void CloseAsTheViewer(PresentationRun& run) { PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0); }

struct FaultCase {
  const char* Name;
  std::function<void(PresentationSpec&)> Prepare;      // the presentation as packed
  std::function<void(PresentationRun&)> Damage;        // what happens to it before the viewer starts it
  std::function<void(PresentationRun&)> WhileRunning;  // what happens once it is started
  const char* Arguments;
  std::vector<std::string> Told;           // the start of each message box the viewer sees, in order
  std::function<void()> Repair = nullptr;  // undoes what the case did to the machine
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.Name; }

class ViewerFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(ViewerFaults, EndCleanly) {
  const FaultCase& c = GetParam();
  if (Variable("VNX_FULL_DISK").empty()) GTEST_SKIP() << "runs under scripts/wine-exec-viewer-disks.sh";
  PresentationSpec presentation;
  presentation.Settings = "Pellam Screen Name=Faulty\r\n";
  if (c.Prepare) c.Prepare(presentation);
  PresentationRun run(presentation);
  if (c.Damage) c.Damage(run);
  DWORD volumeBefore = 0;
  const MMRESULT volumeRead = waveOutGetVolume(nullptr, &volumeBefore);

  run.Start(c.Arguments);
  if (c.WhileRunning) c.WhileRunning(run);
  std::vector<std::string> told;
  for (const DWORD start = GetTickCount(); run.RunnerRunning() && GetTickCount() - start < 40000; Sleep(50)) {
    const auto box = MessageBoxOf(run.RunnerProcessId());
    if (!box || box->Caption == "Faulty - Setup") continue;
    told.push_back(box->Text);
    PressOk(run.RunnerProcessId());
    // Until this box has gone, a look would find it again.
    for (const DWORD pressed = GetTickCount(); MessageBoxOf(run.RunnerProcessId()) && GetTickCount() - pressed < 5000;)
      Sleep(20);
  }
  EXPECT_TRUE(run.WaitForEnd(1000)) << "the runner still runs";
  if (c.Repair) c.Repair();
  std::string all;
  for (const std::string& text : told) all += "\n  told: " + text;
  ASSERT_EQ(told.size(), c.Told.size()) << all;
  for (std::size_t i = 0; i < told.size(); ++i) EXPECT_EQ(told[i].rfind(c.Told[i], 0), 0u) << "told: " << told[i];

  if (const auto projector = run.LastLog("process")) {
    EXPECT_FALSE(ProcessRunning(std::stoul(*projector))) << "the projector still runs";
  }
  EXPECT_EQ(GlobalFindAtomW(WideFromUtf8(kStartupAtomPrefix + run.ExeFileName()).c_str()), 0);
  EXPECT_FALSE(MappingExists());
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
  DWORD volumeAfter = 0;
  EXPECT_EQ(waveOutGetVolume(nullptr, &volumeAfter), volumeRead);
  EXPECT_EQ(volumeAfter, volumeBefore);
}

// The stand-in projector tells what it does through these lines.
std::function<void(PresentationSpec&)> Behaving(const std::string& line) {
  return [line](PresentationSpec& p) { p.Behave.push_back(line); };
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ViewerFaults,
    testing::Values(
        FaultCase{"DiskFullWhileUnpacking",
                  [](PresentationSpec& p) { p.TempFolder = Variable("VNX_FULL_DISK"); },
                  nullptr,
                  nullptr,
                  "",
                  {"Exception occured: Cannot write file " + Variable("VNX_FULL_DISK")}},
        FaultCase{"TemporaryDirectoryNotWritable",
                  [](PresentationSpec& p) { p.TempFolder = Variable("VNX_READ_ONLY_DISK"); },
                  nullptr,
                  nullptr,
                  "",
                  {"Cannot create file " + Variable("VNX_READ_ONLY_DISK")}},
        FaultCase{"ByteFlippedInAStoredFile",
                  nullptr,
                  [](PresentationRun& run) {
                    ChangeShow(run, [](std::string& b) { b[RunnerSize() + (b.size() - RunnerSize()) / 2] ^= 0x55; });
                  },
                  nullptr,
                  "",
                  {"Exception occured: error"}},
        FaultCase{"CutShortInsideTheSession",
                  nullptr,
                  [](PresentationRun& run) {
                    ChangeShow(run, [](std::string& b) { b.resize(RunnerSize() + (b.size() - RunnerSize()) / 2); });
                  },
                  nullptr,
                  "",
                  {"Session not found on extract from "}},
        FaultCase{"TrailerDamaged",
                  nullptr,
                  [](PresentationRun& run) { ChangeShow(run, [](std::string& b) { b[b.size() - 12] ^= 0x55; }); },
                  nullptr,
                  "",
                  {"Session not found on extract from "}},
        FaultCase{"ExecutableRenamedWhileItRuns",
                  nullptr,
                  nullptr,
                  [](PresentationRun& run) {
                    ASSERT_TRUE(run.WaitForPresentation());
                    EXPECT_TRUE(MoveFileW(WideFromUtf8(run.ShowPath()).c_str(),
                                          WideFromUtf8(run.ShowPath() + ".renamed").c_str()));
                    CloseAsTheViewer(run);
                  },
                  "",
                  {}},
        FaultCase{"ProjectorEndsAtOnceWithAnError", Behaving("exit-at-once 3"), nullptr, nullptr, "", {}},
        FaultCase{"ProjectorNeverShowsAWindow", Behaving("no-window"), nullptr, nullptr, "", {}},
        FaultCase{"ProjectorHangsAndTheViewerCloses",
                  Behaving("hang-after 3000"),
                  nullptr,
                  [](PresentationRun& run) {
                    ASSERT_TRUE(run.WaitForPresentation());
                    for (const DWORD start = GetTickCount(); !run.LastLog("hang") && GetTickCount() - start < 10000;)
                      Sleep(50);
                    ASSERT_TRUE(run.LastLog("hang"));
                    CloseAsTheViewer(run);
                  },
                  "",
                  {}},
        FaultCase{"EngineMissingFromTheSession", [](PresentationSpec& p) { p.Engine = ""; }, nullptr, nullptr, "", {}},
        FaultCase{"EngineIsNoLibrary",
                  [](PresentationSpec& p) { p.EngineBytes = std::string("MZ this is no library"); },
                  nullptr,
                  nullptr,
                  "",
                  {"pellamrun.dll exists but have not loaded: "}},
        FaultCase{"RegistryRefusesTheViewersChoices",
                  nullptr,
                  BreakRegistry,
                  [](PresentationRun& run) {
                    const HWND dialog = WaitForDialog(run.RunnerProcessId(), "Faulty - Setup");
                    ASSERT_TRUE(dialog);
                    PostMessageA(dialog, WM_CLOSE, 0, 0);
                  },
                  "/c",
                  {"Exception occured: Failed to create key "},
                  RepairRegistry}),
    CaseName<FaultCase>);

}  // namespace
}  // namespace vnx::test
