// What the projector's log records of its start: the runner's environment
// variables as the projector sees them, its current directory, extra
// variables on request; and where the log goes.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/projector_process.h"

namespace vnx::test {
namespace {

void CloseAndWait(const ProjectorRun& run) {
  const HWND window = run.Window();
  ASSERT_TRUE(window);
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(run.program->WaitForExit(5000));
}

TEST(ProjectorLog, RecordsTheEnvironmentAndDirectoryItWasGiven) {
  ScratchDirectory scratch("projector-env");
  const std::string initialDir = scratch.File("initial");
  ASSERT_TRUE(CreateDirectoryA(initialDir.c_str(), nullptr));
  const std::string projector = scratch.PlaceBuiltProgram("projector6.exe", "project.exe");
  scratch.Write("projector.behave", "log\nenv show.exe\nenv VnxTestNeverSet\n");
  const struct {
    const char* name;
    std::string value;
  } variables[] = {
      {"VornexLocalDir_Engine", "C:\\shows\\show.exe"},
      {"VornexEngine_ID", "4242"},
      {"VornexEngine_WH", "65636"},
      {"show.exe", "65636"},
      {"VornexLocalDir_Projector", projector},
      {"VornexLocalDir_RootDir", scratch.Path() + "\\"},
      {"VornexLocalDir_InitialDir", initialDir},
  };
  std::vector<std::unique_ptr<ScopedVariable>> set;
  for (const auto& v : variables) set.push_back(std::make_unique<ScopedVariable>(v.name, v.value.c_str()));
  SetEnvironmentVariableA("VnxTestNeverSet", nullptr);
  {
    LaunchedProgram program(projector, initialDir);
    const HWND window = program.FindProjectorWindow(5000);
    ASSERT_TRUE(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(5000));
  }
  const auto log = ParseLog(scratch.Read("projector.log").value_or(""));
  for (const auto& v : variables) EXPECT_EQ(LastLogValue(log, std::string("env:") + v.name), v.value) << v.name;
  EXPECT_EQ(LogValues(log, "env-unset"), std::vector<std::string>{"VnxTestNeverSet"});
  EXPECT_EQ(LastLogValue(log, "current-dir"), initialDir);
}

TEST(ProjectorLog, UnsetRunnerVariablesAreNamed) {
  ProjectorRun run("log\n");
  CloseAndWait(run);
  const auto unset = LogValues(run.Log(), "env-unset");
  for (const char* name : {"VornexLocalDir_Engine", "VornexEngine_ID", "VornexEngine_WH", "VornexLocalDir_Projector",
                           "VornexLocalDir_RootDir", "VornexLocalDir_InitialDir"})
    EXPECT_NE(std::find(unset.begin(), unset.end(), name), unset.end()) << name;
}

TEST(ProjectorLog, GoesWhereTheBehaveFileSaysOrNowhere) {
  ScratchDirectory elsewhere("projector-logs");
  struct Case {
    std::string behave;
    const ScratchDirectory* logDirectory;  // null: the projector's own
    const char* logName;
  } const cases[] = {
      {"log " + elsewhere.File("events.log") + "\n", &elsewhere, "events.log"},
      {"log run.txt\n", nullptr, "run.txt"},
      {"log\n", nullptr, "projector.log"},
      {"\n", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.behave);
    ProjectorRun run(c.behave);
    CloseAndWait(run);
    const ScratchDirectory& directory = c.logDirectory ? *c.logDirectory : run.scratch;
    if (c.logName) {
      const auto log = ParseLog(directory.Read(c.logName).value_or(""));
      EXPECT_EQ(LastLogValue(log, "process"), std::to_string(run.program->ProcessId()));
      EXPECT_EQ(LastLogValue(log, "exit"), "0");
    }
    // Nothing anywhere else.
    EXPECT_EQ(run.scratch.Read("projector.log").has_value(), c.logName && std::string(c.logName) == "projector.log");
  }
}

}  // namespace
}  // namespace vnx::test
