// How the stand-in projector ends: WM_CLOSE to its window (also in full
// screen), its Exit item, WM_QUIT to its main thread with or without a
// window; a projector told never to open its window keeps running; a
// projector.behave it does not understand stops it at once.

#include <windows.h>

#include <gtest/gtest.h>

#include "common/callback_guard.h"
#include "projector/menu_texts.h"
#include "tests/support/projector_process.h"

namespace vnx::test {
namespace {

enum class Ending { Close, CloseInFullScreen, ExitItem, QuitThread };

TEST(ProjectorLifetime, EndsOnCloseOrQuit) {
  struct Case {
    const char* name;
    const char* behave;
    bool opensWindow;
    Ending ending;
    DWORD exitCode;
    bool closeLogged;
  } const cases[] = {
      {"WM_CLOSE", "log\n", true, Ending::Close, 0, true},
      {"WM_CLOSE in full screen", "log\n", true, Ending::CloseInFullScreen, 0, true},
      {"Exit item", "log\n", true, Ending::ExitItem, 0, true},
      {"WM_QUIT 1 to the main thread", "log\n", true, Ending::QuitThread, 1, false},
      {"WM_QUIT 1 without a window", "log\nno-window\n", false, Ending::QuitThread, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProjectorRun run(c.behave);
    const HWND window = c.opensWindow ? run.Window() : nullptr;
    if (c.opensWindow) {
      ASSERT_TRUE(window);
    }
    switch (c.ending) {
      case Ending::CloseInFullScreen:
        SendWithin(window, WM_COMMAND, kProjectorFullScreenCommand, 0);
        ASSERT_EQ(GetMenu(window), nullptr);
        [[fallthrough]];
      case Ending::Close: PostMessageA(window, WM_CLOSE, 0, 0); break;
      case Ending::ExitItem: PostMessageA(window, WM_COMMAND, kProjectorExitCommand, 0); break;
      case Ending::QuitThread: EXPECT_TRUE(PostThreadMessageA(run.program->ThreadId(), WM_QUIT, 1, 0)); break;
    }
    ASSERT_TRUE(run.program->WaitForExit(5000));
    EXPECT_EQ(run.program->ExitCode(), c.exitCode);
    const auto log = run.Log();
    EXPECT_EQ(LastLogValue(log, "close").has_value(), c.closeLogged);
    EXPECT_EQ(LastLogValue(log, "quit").has_value(), !c.closeLogged);
    EXPECT_EQ(LastLogValue(log, "exit"), std::to_string(c.exitCode));
    EXPECT_FALSE(LastLogValue(log, "error").has_value());
  }
}

BOOL CALLBACK CountWindow(HWND, LPARAM context) {
  return GuardCallback<BOOL>(FALSE, [&] {
    ++*reinterpret_cast<int*>(context);
    return TRUE;
  });
}

int CountThreadWindows(DWORD threadId) {
  int count = 0;
  EnumThreadWindows(threadId, CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(ProjectorLifetime, NeverOpensItsWindowWhenToldAndKeepsRunning) {
  ProjectorRun run("log\nno-window\n");
  EXPECT_EQ(run.program->FindProjectorWindow(1500), nullptr);
  EXPECT_EQ(CountThreadWindows(run.program->ThreadId()), 0);
  EXPECT_TRUE(run.program->Running());
  EXPECT_EQ(LastLogValue(run.Log(), "window"), "none");
  EXPECT_FALSE(LastLogValue(run.Log(), "exit").has_value());
  // The fixture ends it by its id.
}

TEST(ProjectorLifetime, ABehaveFileItDoesNotUnderstandStopsItAtOnce) {
  ProjectorRun run("log\nfull-screen\n");
  ASSERT_TRUE(run.program->WaitForExit(5000));
  EXPECT_EQ(run.program->ExitCode(), 2u);
  EXPECT_EQ(CountThreadWindows(run.program->ThreadId()), 0);
  const auto log = run.Log();
  EXPECT_EQ(LastLogValue(log, "error"), "projector.behave line 2: unknown keyword \"full-screen\"");
  EXPECT_EQ(LastLogValue(log, "exit"), "2");
}

}  // namespace
}  // namespace vnx::test
