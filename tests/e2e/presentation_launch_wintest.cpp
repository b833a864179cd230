// Whole presentations under Wine: how the runner starts its projector — the
// environment the projector sees, the BeforeShow command, and a projector
// that never opens its window.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/handle.h"
#include "tests/e2e/presentation_run.h"

namespace vnx::test {
namespace {

std::string WithoutTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

void WaitForProcessEnd(DWORD processId) {
  const UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (process) {
    EXPECT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
  }
}

struct EnvironmentCase {
  const char* Name;
  const char* Settings;
  bool ProjectorBesideRunner;
  bool StartsInWorkDir;  // else in the runner's own directory
};

class PresentationEnvironment : public testing::TestWithParam<EnvironmentCase> {};

TEST_P(PresentationEnvironment, AsTheProjectorSeesIt) {
  const EnvironmentCase& c = GetParam();
  PresentationSpec presentation;
  presentation.Settings = c.Settings;
  presentation.ProjectorBesideRunner = c.ProjectorBesideRunner;
  PresentationRun run(presentation);
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  const std::string window = Decimal(run.RunnerWindow());
  const std::string initialDir = c.StartsInWorkDir ? WithoutTrailingBackslash(run.WorkDir()) : run.ShowDirectory();
  const std::string projector =
      (c.ProjectorBesideRunner ? run.ShowDirectory() + "\\" : run.WorkDir()) + "projector.exe";

  EXPECT_EQ(run.LastLog("env:VornexLocalDir_Engine"), run.ShowPath());
  EXPECT_EQ(run.LastLog("env:VornexEngine_ID"), std::to_string(run.RunnerProcessId()));
  EXPECT_EQ(run.LastLog("env:VornexEngine_WH"), window);
  EXPECT_EQ(run.LastLog("env:" + run.ExeFileName()), window);
  EXPECT_EQ(run.LastLog("env:VornexLocalDir_Projector"), projector);
  EXPECT_EQ(run.LastLog("env:VornexLocalDir_RootDir"), run.WorkDir());
  EXPECT_EQ(run.LastLog("env:VornexLocalDir_InitialDir"), initialDir);
  EXPECT_EQ(run.LastLog("current-dir"), initialDir);
  EXPECT_EQ(ReadShortString(run.ReadControlBlock().InitialDir), initialDir);
  EXPECT_EQ(run.LastLog("startup-flags"), "0x00000085");
  EXPECT_EQ(run.LastLog("startup-position"), "5000,-5000");

  PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});  // the working directory's copy too
}

INSTANTIATE_TEST_SUITE_P(Directories, PresentationEnvironment,
                         testing::Values(EnvironmentCase{"InTheWorkingDirectory", "CurrentDir=1\r\n", false, true},
                                         EnvironmentCase{"InTheRunnersDirectory", "CurrentDir=2\r\n", false, false},
                                         // The copy next to the runner is the one started.
                                         EnvironmentCase{"IdenticalCopyBesideTheRunner", "CurrentDir=2\r\n", true,
                                                         false}),
                         CaseName<EnvironmentCase>);

// The BeforeShow test programs record into a file named by the first word of
// their argument text.
struct BeforeShowCase {
  const char* Name;
  const char* File;  // packed into the working directory; nullptr: none
  const char* Command;
  // The records expected, given the record file's path and the running presentation.
  std::vector<LogEntry> (*Expected)(const std::string& record, const PresentationRun& run);
};

class PresentationBeforeShow : public testing::TestWithParam<BeforeShowCase> {};

TEST_P(PresentationBeforeShow, RunsOnceBeforeTheShow) {
  const BeforeShowCase& c = GetParam();
  ScratchDirectory records("before-show");
  const std::string record = records.File("record.txt");
  PresentationSpec presentation;
  presentation.Settings = std::string("[EngineCommands]\r\nBeforeShow=") + c.Command + " " + record + " and more\r\n";
  if (c.File) presentation.Extra.push_back({c.File, BuiltProgramBytes(c.File), "."});
  PresentationRun run(presentation);
  ASSERT_TRUE(run.StartAndWaitForPresentation());

  const std::vector<LogEntry> expected = c.Expected(record, run);
  const DWORD start = GetTickCount();
  while (ParseLog(ReadFileText(record).value_or("")).size() < expected.size() && GetTickCount() - start < 10000)
    Sleep(50);
  const std::vector<LogEntry> recorded = ParseLog(ReadFileText(record).value_or(""));
  ASSERT_EQ(recorded.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(recorded[i].Key, expected[i].Key);
    if (!expected[i].Value.empty()) {
      EXPECT_EQ(recorded[i].Value, expected[i].Value) << expected[i].Key;
    }
  }
  // A program that still runs could not be deleted with the working directory.
  if (const auto process = LastLogValue(recorded, "process")) WaitForProcessEnd(std::stoul(*process));

  PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Commands, PresentationBeforeShow,
    testing::Values(BeforeShowCase{"Program", "before_show_program.exe", "before_show_program.exe",
                                   [](const std::string& record, const PresentationRun& run) {
                                     return std::vector<LogEntry>{
                                         {"command-line",
                                          run.WorkDir() + "before_show_program.exe " + record + " and more"},
                                         {"process", ""}};
                                   }},
                    BeforeShowCase{"Library", "before_show_library.dll", "BEFORE_SHOW_LIBRARY.DLL",
                                   [](const std::string& record, const PresentationRun& run) {
                                     return std::vector<LogEntry>{{"arguments", record + " and more"},
                                                                  {"two-nuls", "yes"},
                                                                  {"window", Decimal(run.RunnerWindow())}};
                                   }},
                    // Nothing to run: the presentation goes on.
                    BeforeShowCase{"MissingLibrary", nullptr, "absent.dll",
                                   [](const std::string&, const PresentationRun&) { return std::vector<LogEntry>{}; }}),
    CaseName<BeforeShowCase>);

// The whole search runs before the projector is given up (and ended: the
// viewer-fault cases check what is left).
TEST(PresentationLaunch, AProjectorWithoutWindowIsGivenUpAfterTheWholeSearch) {
  PresentationSpec presentation;
  presentation.Behave = {"no-window"};
  PresentationRun run(presentation);
  const DWORD start = GetTickCount();
  run.Start();
  ASSERT_TRUE(run.WaitForEnd(40000));
  EXPECT_GE(GetTickCount() - start, 11000u);
  EXPECT_EQ(run.LastLog("window"), "none");
}

}  // namespace
}  // namespace vnx::test
