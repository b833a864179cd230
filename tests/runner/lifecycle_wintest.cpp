// The lifecycle loop: restarts, the main loop's error report, the last-chance
// report and shutdown, driven through RunRunnerProcess in this process.

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "runner/lifecycle.h"
#include "runner/process_state.h"
#include "runner/pump.h"
#include "tests/support/runner_fixture.h"

namespace vnx::test {
namespace {

class LifecycleTest : public RunnerFixture {};

TEST_F(LifecycleTest, SessionEndEndsTheProcessAndDestroysTheWindow) {
  HWND window = nullptr;
  int sessions = 0;
  Seams().StartSession = [&](TfrmMain& form) {
    ++sessions;
    window = form.MainWindow;
    EXPECT_EQ(frmMain, &form);
  };
  EXPECT_EQ(RunRunnerProcess(), 0);
  EXPECT_EQ(sessions, 1);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(frmMain, nullptr);
  EXPECT_TRUE(messageBoxes.empty());
}

TEST_F(LifecycleTest, RestartRunsASecondLifecycleWithAFreshMainObject) {
  std::vector<HWND> windows;
  Seams().StartSession = [&](TfrmMain& form) {
    EXPECT_TRUE(form.WorkDir.empty());  // nothing carried over from the first life
    windows.push_back(form.MainWindow);
    form.WorkDir = "C:\\used\\";
    if (windows.size() == 1) {
      RestartRequested = true;
    } else {
      EXPECT_FALSE(IsWindow(windows[0]));
    }
  };
  EXPECT_EQ(RunRunnerProcess(), 0);
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_NE(windows[0], windows[1]);
  EXPECT_FALSE(RestartRequested);
}

TEST_F(LifecycleTest, SetupModeRunsTheSetupDialogInsteadOfTheSession) {
  int setups = 0, sessions = 0;
  Seams().CommandLine = [] { return std::string("show.exe /c"); };
  Seams().RunSetupDialog = [&](TfrmMain&) {
    ++setups;
    return false;
  };
  Seams().StartSession = [&](TfrmMain&) { ++sessions; };
  EXPECT_EQ(RunRunnerProcess(), 0);
  EXPECT_EQ(setups, 1);
  EXPECT_EQ(sessions, 0);
}

TEST_F(LifecycleTest, AHandlerExceptionIsReportedAndTheLoopGoesOn) {
  const HWND thrower = CreateThrowingWindow();
  PostMessageA(thrower, kThrowMessage, 0, 0);  // queued ahead of WM_RUNNER_START
  HWND mainWindow = nullptr;
  bool sessionRan = false;
  Seams().StartSession = [&](TfrmMain& form) {
    sessionRan = true;
    mainWindow = form.MainWindow;
  };
  EXPECT_EQ(RunRunnerProcess(), 0);
  EXPECT_TRUE(sessionRan);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].owner, mainWindow);
  EXPECT_EQ(messageBoxes[0].text, "Exception occured: boom");
  EXPECT_EQ(messageBoxes[0].caption, "Error");
  DestroyWindow(thrower);
}

TEST_F(LifecycleTest, AnExceptionEndingTheSessionIsReportedAndTheRunnerEnds) {
  const HWND thrower = CreateThrowingWindow();
  bool cleanedUp = false;
  Seams().StartSession = [&](TfrmMain&) {
    // A handler fails while the session waits: the exception comes out of
    // the session's own pumping, passes its cleanup and reaches the report.
    PostMessageA(thrower, kThrowMessage, 0, 0);
    try {
      PumpPending();
    } catch (...) {
      cleanedUp = true;
      throw;
    }
    ADD_FAILURE() << "the parked exception did not reach the session's pump";
  };
  EXPECT_EQ(RunRunnerProcess(), 0);
  EXPECT_TRUE(cleanedUp);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].text, "Exception occured: boom");
  EXPECT_TRUE(QuitRequested);
  DestroyWindow(thrower);
}

// Only this test program's windows count: test programs that run at the
// same time have runner windows of their own.
bool OwnWindowOfClass(const char* className) {
  for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window;
       window = FindWindowExA(nullptr, window, className, nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return true;
  }
  return false;
}

TEST_F(LifecycleTest, ASettingsFailureGivesTheLastChanceReportAndNoFurtherLifecycle) {
  int sessions = 0;
  Seams().ReadSettings = [](TfrmMain&) {
    RestartRequested = true;  // even a pending restart does not run another lifecycle
    throw std::runtime_error("Session not found on extract from C:\\x.exe");
  };
  Seams().StartSession = [&](TfrmMain&) { ++sessions; };
  EXPECT_EQ(RunRunnerProcess(), 1);
  ASSERT_EQ(lastChanceReports.size(), 1u);
  EXPECT_EQ(lastChanceReports[0], "Session not found on extract from C:\\x.exe");
  EXPECT_EQ(sessions, 0);
  EXPECT_EQ(frmMain, nullptr);
  EXPECT_FALSE(OwnWindowOfClass("GaGaVornexWindow"));
}

TEST_F(LifecycleTest, WmQuitEndsTheLoopWithoutDispatch) {
  bool sessionRan = false;
  // Posted in order, unlike PostQuitMessage, so it comes ahead of WM_RUNNER_START.
  Seams().ReadSettings = [](TfrmMain&) { PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0); };
  Seams().StartSession = [&](TfrmMain&) { sessionRan = true; };
  EXPECT_EQ(RunRunnerProcess(), 0);
  EXPECT_FALSE(sessionRan);
}

}  // namespace
}  // namespace vnx::test
