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

}  // namespace
}  // namespace vnx::test
