// The Setup dialog opened in this process over a runner whose presentation
// is under way: its settings read refreshes what the lock and the engine
// need, but leaves the session's state where the running presentation
// needs it.

#include "dialogs/frm_setup.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/show_fixture.h"

namespace vnx::test {
namespace {

class SetupDialogInProcess : public ShowFixture {};

// Closes the Setup dialog as soon as it is up.
void CALLBACK CloseSetupDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!SetupDialog || !IsWindow(SetupDialog->DialogWindow)) return;
  KillTimer(nullptr, timer);
  PostMessageA(SetupDialog->DialogWindow, WM_CLOSE, 0, 0);
}

TEST_F(SetupDialogInProcess, TheRunningSessionKeepsItsCountdownAndItsReader) {
  UseShow("vnxsetupread", {{"show.ini",
                            "[Settings]\r\nPassword=0\r\nMidiLoop=1\r\nMidiLoopTimes=3\r\nSound=2\r\n"
                            "PWrong=Not that.\r\n",
                            ""}});
  auto form = BuildForm(Seams().ReadSettings);
  DrainQueue();  // no session: the dialog alone
  // As a presentation has them: two plays to go, the reader on its
  // working directory.
  form->MidiLoopTimes = 2;
  form->SessionReader->TargetDir = TempBase() + "\\Vnx_Rt\\";
  form->PWrong.clear();

  SetTimer(nullptr, 0, 50, CloseSetupDialog);
  EXPECT_FALSE(RunSetupDialog(*form));
  EXPECT_EQ(SetupDialog, nullptr);
  EXPECT_EQ(form->MidiLoopTimes, 2);
  EXPECT_EQ(form->SessionReader->TargetDir, TempBase() + "\\Vnx_Rt\\");
  EXPECT_EQ(form->PWrong, "Not that.");  // what the lock needs is read again
  EXPECT_EQ(LeftInTemp(), std::vector<std::string>{});
  EXPECT_EQ(registry->GetString("Mute"), "0");
}

// What the runner's window is sent once the Setup dialog is up.
UINT gMessage = 0;
WPARAM gWParam = 0;

void CALLBACK SendToRunner(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!SetupDialog || !IsWindow(SetupDialog->DialogWindow)) return;
  KillTimer(nullptr, timer);
  PostMessageA(frmMain->MainWindow, gMessage, gWParam, 0);
}

// The popup menu's Close and the end of the Windows session close an open
// Setup dialog, not the presentation behind it.
TEST_F(SetupDialogInProcess, CloseAndTheEndOfTheSessionCloseTheDialogFirst) {
  UseShow("vnxsetupclose", {{"show.ini", "[Settings]\r\nPassword=0\r\nSound=2\r\n", ""}});
  struct Case {
    UINT message;
    WPARAM wParam;
  } const cases[] = {{WM_COMMAND, 129}, {WM_QUERYENDSESSION, 0}, {WM_ENDSESSION, TRUE}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    auto form = BuildForm(Seams().ReadSettings);
    DrainQueue();
    const HWND projector = CreateWindowExA(0, "STATIC", "projector", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                           GetModuleHandleA(nullptr), nullptr);
    form->ProjectorWindow = projector;
    gMessage = c.message;
    gWParam = c.wParam;
    SetTimer(nullptr, 0, 50, SendToRunner);
    EXPECT_FALSE(RunSetupDialog(*form));
    MSG message;
    while (PeekMessageA(&message, projector, 0, 0, PM_REMOVE)) EXPECT_NE(message.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_TRUE(IsWindow(projector));
    DestroyWindow(projector);
    form->ProjectorWindow = nullptr;
    DrainQueue();
  }
}

}  // namespace
}  // namespace vnx::test
