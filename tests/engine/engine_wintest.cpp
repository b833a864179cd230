// The engine library at work under real input: hooks installed for every
// thread as the runner installs them, a stand-in projector in its own
// process, SendInput for the viewer's mouse and keyboard, and the runner's
// window replaced by a recorder of the engine's messages.
//
// The stand-in reports each input message its window procedure receives to
// the same recorder. The engine's hook runs in the stand-in's thread before
// that window procedure, so whatever the engine posts for an input is queued
// ahead of the stand-in's report of it: once the report is in, the engine's
// answer (or its silence) is final. Swallowed input is followed by a harmless
// input whose report plays that part.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "contract/private_messages.h"
#include "tests/engine/engine_session.h"
#include "tests/engine/stand_in_reports.h"

namespace vnx::test {
namespace {

using Entry = Recorder::Entry;

POINT Offset(POINT p, LONG dx, LONG dy) { return POINT{p.x + dx, p.y + dy}; }

// Waits for one more entry matching than there were before the input.
bool OneMore(Recorder& reports, const std::function<bool(const Entry&)>& match, const std::function<void()>& input) {
  const int before = reports.Count(match);
  input();
  return PumpUntil([&] { return reports.Count(match) > before; }, 3000);
}

bool MoveTo(Recorder& reports, HWND window, POINT screen) {
  POINT now{};
  GetCursorPos(&now);
  // A move to where the cursor already is brings no message.
  if (now.x == screen.x && now.y == screen.y && !MoveTo(reports, window, Offset(screen, 1, 1))) return false;
  POINT client = screen;
  ScreenToClient(window, &client);
  const LPARAM at = MAKELPARAM(client.x, client.y);
  return OneMore(
      reports, [&](const Entry& e) { return e.message == kStandInInput && e.wParam == WM_MOUSEMOVE && e.lParam == at; },
      [&] { MoveCursorTo(screen); });
}

bool Click(Recorder& reports) {
  return OneMore(
      reports, [](const Entry& e) { return e.message == kStandInInput && e.wParam == WM_LBUTTONUP; },
      [] { PressButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); });
}

bool Type(Recorder& reports, WORD key) {
  return OneMore(
      reports,
      [&](const Entry& e) {
        return e.message == kStandInInput && e.wParam == WM_KEYUP && e.lParam == static_cast<LPARAM>(key);
      },
      [&] { PressKey(key); });
}

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  return PumpUntil([&] { return GetForegroundWindow() == window; }, 3000);
}

TEST(EngineShown, ArrivesOnceWithoutAnyInput) {
  EngineSession session(EngineSettings{});
  ASSERT_TRUE(session.Ready());
  // The projector's window is visible, but the runner has not let it run yet.
  session.Block().ProjectorWindow = BlockValue(session.Projector().Window());
  PumpFor(300);
  EXPECT_EQ(session.Runner().Count(WM_RUNNER_SHOWN), 0);

  ASSERT_TRUE(session.ShowPresentation());
  PumpFor(600);
  EXPECT_EQ(session.Runner().Count(WM_RUNNER_SHOWN), 1);
  EXPECT_EQ(session.Runner().Count(WM_RUNNER_SHOWN, 0), 1);
}

TEST(EngineExit, EachTriggerEndsThePresentationExactlyWhenItsFlagIsSet) {
  enum class Act { Move, Click, KeyA, Escape };
  struct Case {
    const char* name;
    Act act;
    bool exitOnMouse, exitOnAnyKey, exitOnEsc;
    bool exits;
  } const cases[] = {
      {"movement, ExitOnMouse", Act::Move, true, false, false, true},
      {"movement, keys only", Act::Move, false, true, true, false},
      {"click, ExitOnMouse", Act::Click, true, false, false, true},
      {"click, no mouse exit", Act::Click, false, true, true, false},
      {"any key, ExitOnAnyKey", Act::KeyA, false, true, false, true},
      {"any key, Esc only", Act::KeyA, true, false, true, false},
      {"Esc, ExitOnEsc", Act::Escape, false, false, true, true},
      {"Esc, no key exit", Act::Escape, true, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineSettings settings;
    settings.exitOnMouse = c.exitOnMouse;
    settings.exitOnAnyKey = c.exitOnAnyKey;
    settings.exitOnEsc = c.exitOnEsc;
    settings.draggable = !c.exitOnMouse;  // keeps the mouse hook in place without a mouse exit
    EngineSession session(settings);
    ASSERT_TRUE(session.Ready());
    ASSERT_TRUE(session.ShowPresentation());
    Recorder& runner = session.Runner();
    const HWND projector = session.Projector().Window();
    const POINT centre = session.Projector().Centre();
    switch (c.act) {
      case Act::Move:
        ASSERT_TRUE(MoveTo(runner, projector, Offset(centre, -20, 0)));
        ASSERT_TRUE(MoveTo(runner, projector, Offset(centre, 20, 0)));
        break;
      case Act::Click:
        ASSERT_TRUE(BringToFront(projector));
        ASSERT_TRUE(Click(runner));
        break;
      case Act::KeyA:
        ASSERT_TRUE(BringToFront(projector));
        ASSERT_TRUE(Type(runner, 'A'));
        break;
      case Act::Escape:
        ASSERT_TRUE(BringToFront(projector));
        ASSERT_TRUE(Type(runner, VK_ESCAPE));
        break;
    }
    EXPECT_EQ(runner.Count(WM_RUNNER_EXIT, 0), c.exits ? 1 : 0);
    EXPECT_EQ(runner.Count(WM_RUNNER_EXIT), runner.Count(WM_RUNNER_EXIT, 0));
  }
}

TEST(EngineExit, SmallMovementsAndInputBeforeTheShowDoNotCount) {
  EngineSettings settings;
  settings.exitOnMouse = settings.exitOnAnyKey = true;
  EngineSession session(settings);
  ASSERT_TRUE(session.Ready());
  Recorder& runner = session.Runner();
  const HWND projector = session.Projector().Window();
  const POINT centre = session.Projector().Centre();
  // Captured, but not yet shown.
  session.Block().ProjectorWindow = BlockValue(projector);
  ASSERT_TRUE(BringToFront(projector));
  ASSERT_TRUE(Type(runner, 'A'));
  ASSERT_TRUE(MoveTo(runner, projector, Offset(centre, -50, 0)));
  ASSERT_TRUE(MoveTo(runner, projector, Offset(centre, 50, 0)));
  EXPECT_EQ(runner.Count(WM_RUNNER_EXIT), 0);

  ASSERT_TRUE(session.ShowPresentation());
  ASSERT_TRUE(MoveTo(runner, projector, Offset(centre, 0, 0)));
  ASSERT_TRUE(MoveTo(runner, projector, Offset(centre, 4, -4)));  // jitter
  EXPECT_EQ(runner.Count(WM_RUNNER_EXIT), 0);
  ASSERT_TRUE(Type(runner, 'B'));
  EXPECT_EQ(runner.Count(WM_RUNNER_EXIT, 0), 1);
}

TEST(EngineRightClick, TheProjectorsMenuOrTheRunnersMenu) {
  struct Case {
    const char* name;
    bool noRightClickMenu, closeMenu;
    std::vector<std::int32_t> deleteItems;
    int popups;
    bool ownMenu;
    WPARAM itemsLeft;  // bit 0 for item 101
  } const cases[] = {
      {"runner's menu instead", true, true, {}, 1, false, 0},
      {"no menu at all", true, false, {}, 0, false, 0},
      {"projector's own menu", false, true, {}, 0, true, 0xF},
      {"projector's menu without items 102 and 104", false, false, {102, 104}, 0, true, 0x5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineSettings settings;
    settings.noRightClickMenu = c.noRightClickMenu;
    settings.closeMenu = c.closeMenu;
    settings.draggable = true;  // the mouse hook, also where the own menu may open
    settings.menuDeleteItems = c.deleteItems;
    EngineSession session(settings);
    ASSERT_TRUE(session.Ready());
    ASSERT_TRUE(session.ShowPresentation());
    Recorder& runner = session.Runner();
    const HWND projector = session.Projector().Window();
    const POINT centre = session.Projector().Centre();
    ASSERT_TRUE(BringToFront(projector));
    ASSERT_TRUE(MoveTo(runner, projector, centre));
    PressButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    if (c.ownMenu) {
      ASSERT_TRUE(runner.WaitFor(kStandInMenu, c.itemsLeft));
    } else {
      ASSERT_TRUE(MoveTo(runner, projector, Offset(centre, 3, 3)));
      EXPECT_EQ(runner.Inputs(WM_RBUTTONDOWN) + runner.Inputs(WM_RBUTTONUP), 0);
    }
    EXPECT_EQ(runner.Inputs(WM_CONTEXTMENU), c.ownMenu ? 1 : 0);
    EXPECT_EQ(runner.Count(WM_RUNNER_POPUP_MENU), c.popups);
  }
}

TEST(EngineDrag, PressReleaseAndCancelAreReported) {
  EngineSettings settings;
  settings.draggable = true;
  EngineSession session(settings);
  ASSERT_TRUE(session.Ready());
  ASSERT_TRUE(session.ShowPresentation());
  Recorder& runner = session.Runner();
  const HWND projector = session.Projector().Window();
  const POINT centre = session.Projector().Centre();
  ASSERT_TRUE(BringToFront(projector));
  ASSERT_TRUE(MoveTo(runner, projector, centre));

  MouseDown(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(runner.WaitFor(WM_RUNNER_MOUSE_DOWN, WM_LBUTTONDOWN));
  MoveCursorTo(Offset(centre, 30, 10));
  MouseUp(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(runner.WaitFor(WM_RUNNER_DRAG_END, 0));
  EXPECT_EQ(runner.Count(WM_RUNNER_DRAG_CANCEL), 0);

  // Esc during the second drag cancels it; its release ends nothing more.
  MouseDown(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return runner.Count(WM_RUNNER_MOUSE_DOWN, WM_LBUTTONDOWN) == 2; }, 3000));
  ASSERT_TRUE(Type(runner, VK_ESCAPE));
  EXPECT_EQ(runner.Count(WM_RUNNER_DRAG_CANCEL, 0), 1);
  ASSERT_TRUE(OneMore(
      runner, [](const Entry& e) { return e.message == kStandInInput && e.wParam == WM_LBUTTONUP; },
      [] { MouseUp(MOUSEEVENTF_LEFTUP); }));
  EXPECT_EQ(runner.Count(WM_RUNNER_DRAG_END), 1);
  EXPECT_EQ(runner.Count(WM_RUNNER_EXIT), 0);
}

TEST(EngineActivation, AClickFromBehindRaisesTheRunnerAndReportsTheActivation) {
  EngineSettings settings;
  settings.draggable = true;
  EngineSession session(settings);
  ASSERT_TRUE(session.Ready());
  ASSERT_TRUE(session.ShowPresentation());
  Recorder& runner = session.Runner();
  Recorder otherReports;
  const StandIn other(otherReports.Window(), RECT{500, 100, 800, 300});
  ASSERT_TRUE(other.Running());
  ASSERT_TRUE(BringToFront(other.Window()));
  const HWND projector = session.Projector().Window();
  ASSERT_TRUE(MoveTo(runner, projector, session.Projector().Centre()));
  runner.Clear();

  ASSERT_TRUE(Click(runner));
  EXPECT_EQ(runner.Count(WM_RUNNER_RAISE), 1);
  EXPECT_EQ(runner.Count(WM_RUNNER_MOUSE_DOWN, WM_LBUTTONDOWN), 1);
  EXPECT_GE(runner.Count(WM_RUNNER_ACTIVATED, reinterpret_cast<WPARAM>(projector)), 1);
  // Now in front: the next click raises nothing.
  ASSERT_TRUE(Click(runner));
  EXPECT_EQ(runner.Count(WM_RUNNER_RAISE), 1);
}

TEST(EngineKeys, WindowsKeysAreSwallowedOnlyWhenBlocked) {
  for (const bool block : {true, false}) {
    SCOPED_TRACE(block ? "blocked" : "allowed");
    EngineSettings settings;
    settings.blockSystemKeys = block;
    EngineSession session(settings);
    ASSERT_TRUE(session.Ready());
    ASSERT_TRUE(session.ShowPresentation());
    Recorder& runner = session.Runner();
    ASSERT_TRUE(BringToFront(session.Projector().Window()));
    PressKey(VK_LWIN);
    ASSERT_TRUE(Type(runner, 'B'));
    EXPECT_EQ(runner.Keys(WM_KEYDOWN, VK_LWIN), block ? 0 : 1);
  }
}

TEST(EngineCursor, HiddenOverThePresentationOnlyWhenAsked) {
  for (const bool hide : {true, false}) {
    SCOPED_TRACE(hide ? "hidden" : "shown");
    EngineSettings settings;
    settings.hideCursor = hide;
    settings.draggable = true;
    EngineSession session(settings);
    ASSERT_TRUE(session.Ready());
    ASSERT_TRUE(session.ShowPresentation());
    Recorder& runner = session.Runner();
    const HWND projector = session.Projector().Window();
    const POINT centre = session.Projector().Centre();
    ASSERT_TRUE(BringToFront(projector));
    ASSERT_TRUE(MoveTo(runner, projector, Offset(centre, -10, 0)));
    ASSERT_TRUE(MoveTo(runner, projector, centre));
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    ASSERT_TRUE(GetCursorInfo(&cursor));
    EXPECT_EQ(cursor.hCursor == nullptr, hide);
  }
}

TEST(EngineSystemCommands, TheCbtHookRefusesScreenSaverAndStartMenu) {
  using HookProc = LRESULT(CALLBACK*)(int, WPARAM, LPARAM);
  struct Case {
    const char* name;
    bool disableScreenSaver, blockSystemKeys;
    WPARAM command;
    LRESULT refused;
  } const cases[] = {
      {"screen saver kept away", true, false, SC_SCREENSAVE, 1},
      {"monitor kept on", true, false, SC_MONITORPOWER, 1},
      {"screen saver allowed", false, true, SC_SCREENSAVE, 0},
      {"Start menu blocked", false, true, SC_TASKLIST, 1},
      {"Start menu allowed", true, false, SC_TASKLIST, 0},
      {"minimise always allowed", true, true, SC_MINIMIZE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineSettings settings;
    settings.disableScreenSaver = c.disableScreenSaver;
    settings.blockSystemKeys = c.blockSystemKeys;
    EngineSession session(settings);
    ASSERT_TRUE(session.Ready());
    // This process is the runner, one of the presentation's processes.
    const FARPROC found = GetProcAddress(session.Engine(), "CProc");
    const auto cbt = reinterpret_cast<HookProc>(reinterpret_cast<void (*)()>(found));
    ASSERT_NE(cbt, nullptr);
    EXPECT_EQ(cbt(HCBT_SYSCOMMAND, c.command, 0), c.refused);
  }
}

// Run as the system's screen saver, the engine lets the monitor sleep: the
// watcher asks for no execution state, and the monitor-power command reaches
// the projector's window procedure (posted: past the GetMessage hook; sent:
// past the CBT hook that DefWindowProc asks). As a presentation it keeps the
// display and the machine required and refuses the command. A screen saver
// is refused either way. Wine keeps one execution state for the whole process
// (its SetThreadExecutionState is a stub), so this thread, in the runner's
// place, reads what the watcher's thread asked for.
TEST(EngineScreenSaver, TheMonitorSleepsOnlyUnderAScreenSaver) {
  using HookProc = LRESULT(CALLBACK*)(int, WPARAM, LPARAM);
  struct Case {
    const char* name;
    bool runningAsScreenSaver;
    EXECUTION_STATE requested;
    bool monitorPowerPasses;
  } const cases[] = {
      {"presentation", false, ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED, false},
      {"screen saver", true, ES_CONTINUOUS, true},
  };
  constexpr LPARAM kMarker = MAKELPARAM(42, 42);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetThreadExecutionState(ES_CONTINUOUS);  // nothing required before the session
    EngineSettings settings;
    settings.disableScreenSaver = settings.blockSystemKeys = true;  // the defaults
    settings.runningAsScreenSaver = c.runningAsScreenSaver;
    EngineSession session(settings);
    ASSERT_TRUE(session.Ready());
    // The watcher settles the requirement at the latest in the poll that
    // reports the show.
    ASSERT_TRUE(session.ShowPresentation());
    EXPECT_EQ(SetThreadExecutionState(ES_CONTINUOUS), c.requested);

    const auto cbt =
        reinterpret_cast<HookProc>(reinterpret_cast<void (*)()>(GetProcAddress(session.Engine(), "CProc")));
    ASSERT_NE(cbt, nullptr);
    EXPECT_EQ(cbt(HCBT_SYSCOMMAND, SC_MONITORPOWER, 2), c.monitorPowerPasses ? 0 : 1);
    EXPECT_EQ(cbt(HCBT_SYSCOMMAND, SC_SCREENSAVE, 0), 1);

    Recorder& reports = session.Runner();
    const HWND projector = session.Projector().Window();
    PostMessageA(projector, WM_SYSCOMMAND, SC_MONITORPOWER, 2);  // power off
    PostMessageA(projector, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    PostMessageA(projector, WM_MOUSEMOVE, 0, kMarker);  // reported after whatever came through
    ASSERT_TRUE(reports.WaitFor(
        [&](const Entry& e) { return e.message == kStandInInput && e.wParam == WM_MOUSEMOVE && e.lParam == kMarker; }));
    const auto reached = [&](LPARAM command) {
      return reports.Count([&](const Entry& e) {
        return e.message == kStandInInput && e.wParam == WM_SYSCOMMAND && e.lParam == command;
      });
    };
    EXPECT_EQ(reached(SC_MONITORPOWER), c.monitorPowerPasses ? 1 : 0);
    EXPECT_EQ(reached(SC_SCREENSAVE), 0);
  }
}

TEST(EngineOutsiders, AProgramOutsideThePresentationIsLeftAlone) {
  EngineSettings settings;
  settings.exitOnMouse = settings.exitOnAnyKey = true;
  settings.noRightClickMenu = settings.closeMenu = true;
  settings.blockSystemKeys = settings.hideCursor = true;
  EngineSession session(settings);
  ASSERT_TRUE(session.Ready());
  ASSERT_TRUE(session.ShowPresentation());
  Recorder otherReports;
  const StandIn other(otherReports.Window(), RECT{500, 350, 800, 550});
  ASSERT_TRUE(other.Running());
  const HWND window = other.Window();
  const POINT centre = other.Centre();

  ASSERT_TRUE(BringToFront(window));
  ASSERT_TRUE(MoveTo(otherReports, window, Offset(centre, -30, 0)));
  ASSERT_TRUE(MoveTo(otherReports, window, Offset(centre, 30, 0)));
  CURSORINFO cursor{};
  cursor.cbSize = sizeof cursor;
  ASSERT_TRUE(GetCursorInfo(&cursor));
  EXPECT_NE(cursor.hCursor, nullptr);
  PressButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(otherReports.WaitFor(kStandInMenu, 0xF)) << "its own menu opens";
  ASSERT_TRUE(BringToFront(window));
  PressKey(VK_LWIN);
  ASSERT_TRUE(Type(otherReports, 'A'));
  EXPECT_EQ(otherReports.Keys(WM_KEYDOWN, VK_LWIN), 1);

  // The runner heard of the show, and perhaps of the projector losing the
  // activation (Wine reports that as the activation of no window), but of
  // nothing that happened to the other program.
  const std::vector<Entry> heard = session.Runner().PrivateMessages();
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard[0].message, WM_RUNNER_SHOWN);
  for (std::size_t i = 1; i < heard.size(); ++i) {
    EXPECT_EQ(heard[i].message, WM_RUNNER_ACTIVATED) << std::hex << heard[i].message;
    EXPECT_NE(heard[i].wParam, reinterpret_cast<WPARAM>(window));
  }
}

TEST(EngineFocus, TheRunnersFrameHandsTheKeyboardOnToTheProjector) {
  for (const bool keysEndTheShow : {false, true}) {
    SCOPED_TRACE(keysEndTheShow ? "keys end the show" : "keys belong to the presentation");
    EngineSettings settings;
    settings.exitOnAnyKey = keysEndTheShow;
    EngineSession session(settings);
    ASSERT_TRUE(session.Ready());
    ASSERT_TRUE(session.ShowPresentation());
    Recorder& runner = session.Runner();
    // The focus moves to the runner's window (here, in this process).
    SetFocus(runner.Window());
    PumpFor(200);
    EXPECT_EQ(runner.Count(WM_RUNNER_FOCUS_PROJECTOR), keysEndTheShow ? 0 : 1);
  }
}

// Whatever the block holds, the engine must not bring down the process it
// runs in: here every byte but the two process ids is 0xA5, so every flag is
// set and every handle, thread id and menu item is rubbish.
TEST(EngineRobustness, RubbishInTheBlockHarmsNoProcess) {
  EngineSession session(EngineSettings{});
  ASSERT_TRUE(session.Ready());
  ASSERT_TRUE(session.ShowPresentation());
  Recorder& runner = session.Runner();
  const HWND projector = session.Projector().Window();
  const POINT centre = session.Projector().Centre();
  ASSERT_TRUE(BringToFront(projector));
  ASSERT_TRUE(MoveTo(runner, projector, Offset(centre, -40, 0)));
  ControlBlock& block = session.Block();
  const std::uint32_t runnerId = block.RunnerProcessId, projectorId = block.ProjectorProcessId;
  std::memset(&block, 0xA5, sizeof block);
  block.RunnerProcessId = runnerId;
  block.ProjectorProcessId = projectorId;
  runner.Clear();

  ASSERT_TRUE(MoveTo(runner, projector, Offset(centre, 40, 0)));
  PressButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  PressButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  PressKey(VK_APPS);
  PressKey(VK_LWIN);
  ASSERT_TRUE(Type(runner, 'A'));
  EXPECT_TRUE(session.Projector().Alive());
  // Rubbish names no live runner window, so nothing was posted anywhere.
  EXPECT_TRUE(runner.PrivateMessages().empty());
}

// A start-up that fails after loading the library: the runner frees it and
// closes the mapping without ever writing its window. The watcher that the
// load started must still let go, or the working directory could not be
// removed.
TEST(EngineWatcher, LetsGoOfTheLibraryWhenTheStartUpFails) {
  const TestWorkDirectory workDir;
  ASSERT_TRUE(workDir.Ready());
  const std::string& engine = workDir.EnginePath();
  const HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kControlBlockMappingSize,
                                            workDir.MappingName().c_str());
  ASSERT_NE(mapping, nullptr);
  const HMODULE library = LoadLibraryA(engine.c_str());
  ASSERT_NE(library, nullptr);
  PumpFor(200);
  FreeLibrary(library);
  EXPECT_NE(GetModuleHandleA(engine.c_str()), nullptr) << "the watcher holds its own reference";
  CloseHandle(mapping);
  EXPECT_TRUE(PumpUntil([&] { return GetModuleHandleA(engine.c_str()) == nullptr; }, 3000));
  EXPECT_FALSE(MappingExists(workDir.MappingName()));
}

}  // namespace
}  // namespace vnx::test
