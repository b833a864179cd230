// The engine's bring-up as the engine sees it: the control block, read
// through its name while the presentation runs, holds what the settings ask
// for; the optional hooks come and go with their settings; a library that
// lacks an export or does not load ends the session.

#include <windows.h>

#include <gtest/gtest.h>

#include "contract/control_block.h"
#include "tests/e2e/presentation_run.h"

namespace vnx::test {
namespace {

std::uint32_t Handle(HWND window) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)); }

bool MappingExists() {
  const HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, MappingNameFor(0).c_str());
  if (mapping) CloseHandle(mapping);
  return mapping != nullptr;
}

TEST(EngineBringUp, EveryFieldForHookCombinations) {
  struct Case {
    const char* settings;
    bool getMessageHook, mouseHook;
    std::uint8_t exitOnMouse, noRightClickMenu, draggable, exitOnAnyKey;
  } const cases[] = {
      // Defaults: Windows keys blocked; the viewer's mouse ends the show and
      // the right-click menu is off, so the mouse hook is there.
      {"", true, true, 1, 1, 0, 0},
      {"DisableW95Key=0\r\nInteraction=1\r\nRightClickMenu=1\r\nDraggable=0\r\n", false, false, 0, 0, 0, 0},
      {"DisableW95Key=0\r\nInteraction=1\r\nRightClickMenu=1\r\nDraggable=1\r\nKeyInteraction=0\r\n", false, true, 0, 0,
       1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    PresentationSpec presentation;
    presentation.Settings = std::string(c.settings) +
                            "CloseMenu=0\r\nSetupMenu=1\r\nMinimizeMenu=1\r\nExitOnESC=0\r\nHideCursor=1\r\n"
                            "DisableScreenSaver=0\r\n[ProjectorVersion]\r\nMajor=327680\r\n"
                            "[RightMenuDeleteItems]\r\nCount=2\r\n0=102\r\n1=104\r\n";
    PresentationRun run(presentation);
    ASSERT_TRUE(run.StartAndWaitForPresentation());
    const ControlBlock block = run.ReadControlBlock();
    DWORD runnerProcess = 0;
    const DWORD runnerThread = GetWindowThreadProcessId(run.RunnerWindow(), &runnerProcess);
    EXPECT_EQ(block.Initialised, 1u);
    EXPECT_NE(block.KeyboardHook, 0u);
    EXPECT_NE(block.CbtHook, 0u);
    EXPECT_EQ(block.GetMessageHook != 0, c.getMessageHook);
    EXPECT_EQ(block.BlockSystemKeys != 0, c.getMessageHook);
    EXPECT_EQ(block.MouseHook != 0, c.mouseHook);
    EXPECT_EQ(block.ReservedHooks[0] | block.ReservedHooks[1] | block.Reserved28, 0u);
    EXPECT_EQ(block.ExitOnMouse, c.exitOnMouse);
    EXPECT_EQ(block.NoRightClickMenu, c.noRightClickMenu);
    EXPECT_EQ(block.Draggable, c.draggable);
    EXPECT_EQ(block.ExitOnAnyKey, c.exitOnAnyKey);  // rewritten in every pass of the run loop
    EXPECT_EQ(block.ExitOnEsc, 0);
    EXPECT_EQ(block.CloseMenu, 0);
    EXPECT_EQ(block.SetupMenu, 1);
    EXPECT_EQ(block.MinimizeMenu, 1);
    EXPECT_EQ(block.HideCursor, 1);
    EXPECT_EQ(block.DisableScreenSaver, 0);
    EXPECT_EQ(block.EngineFlagA, 1);
    EXPECT_EQ(block.EngineFlagB | block.EngineFlagC | block.EngineFlagD | block.EngineFlagE | block.Reserved60, 0);
    EXPECT_EQ(block.RunnerWindow, Handle(run.RunnerWindow()));
    EXPECT_EQ(block.RunnerWindow2, Handle(run.RunnerWindow()));
    EXPECT_EQ(block.RunnerProcessId, runnerProcess);
    EXPECT_EQ(block.RunnerThreadId, runnerThread);
    EXPECT_EQ(block.ProjectorWindow, Handle(run.ProjectorWindow()));
    EXPECT_EQ(std::to_string(block.ProjectorProcessId), run.LastLog("process").value_or("?"));
    EXPECT_EQ(block.ProjectorThreadId, GetWindowThreadProcessId(run.ProjectorWindow(), nullptr));
    EXPECT_EQ(block.PresentationRunning, 1u);
    EXPECT_EQ(block.PresentationShown, 1);  // the engine reported the show
    EXPECT_EQ(block.FittingInProgress, 0);
    EXPECT_EQ(block.ProjectorV6, 0);
    EXPECT_EQ(block.ProjectorMajor, 327680);
    EXPECT_EQ(block.MenuDeleteItems[0], 102);
    EXPECT_EQ(block.MenuDeleteItems[1], 104);
    EXPECT_EQ(block.MenuDeleteItems[2] | block.MenuDeleteItems[49], 0);
    // No file has a placement: the projector starts in the runner's directory.
    EXPECT_EQ(ReadShortString(block.InitialDir), run.ShowPath().substr(0, run.ShowPath().rfind('\\')));
    EXPECT_FALSE(ReadShortString(block.HtmlOpenCommand).empty());  // Wine registers a browser for .html

    PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_FALSE(MappingExists());
    EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
  }
}

TEST(EngineBringUp, ALibraryWithoutSProcEndsTheSessionQuietly) {
  PresentationSpec presentation;
  presentation.Engine = "six_exports_engine.dll";
  PresentationRun run(presentation);
  run.Start();
  EXPECT_TRUE(run.WaitForEnd());         // a message box would have kept it waiting
  EXPECT_FALSE(run.LastLog("process"));  // the projector never started
  EXPECT_FALSE(MappingExists());
  // No hook ever ran: no other process holds the library, everything is gone.
  EXPECT_EQ(TreeEntries(run.TempBase()), std::vector<std::string>{});
}

TEST(EngineBringUp, ALibraryThatDoesNotLoadIsReportedAsPellamrunDll) {
  PresentationSpec presentation;
  presentation.EngineBytes = std::string("MZ this is no library");
  PresentationRun run(presentation);
  run.Start();
  const auto box = WaitForMessageBox(run.RunnerProcessId(), 15000);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->Caption, run.ShowPath());
  EXPECT_EQ(box->Text.rfind("pellamrun.dll exists but have not loaded: ", 0), 0u) << box->Text;
  PressOk(run.RunnerProcessId());
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_EQ(TreeEntries(run.TempBase()), std::vector<std::string>{});
}

}  // namespace
}  // namespace vnx::test
