// The settings of a packed presentation reach the main window; a runner
// without a presentation ends with the last-chance report.

#include <windows.h>

#include <gtest/gtest.h>

#include "runner/create_main_window.h"
#include "runner/lifecycle.h"
#include "tests/support/show_fixture.h"

namespace vnx::test {
namespace {

class SettingsWindowTest : public ShowFixture {};

TEST_F(SettingsWindowTest, AFixedCaptionedWindowFromTheSettingsFile) {
  UseShow("vnxfixed", {{"show.ini",
                        "[Settings]\r\nPellam Screen Name=Fixed Show\r\nFullScreen=0\r\nAllowResize=0\r\n"
                        "Left=30\r\nTop=40\r\nWidth=640\r\nHeight=480\r\nCloseMenu=1\r\nMinimizeMenu=1\r\n",
                        ""}});
  auto form = BuildForm(Seams().ReadSettings);
  const HWND window = form->MainWindow;
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~WS_CLIPSIBLINGS, 0x80CB0000u | WS_CLIPCHILDREN);
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 30);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right - rect.left, 640);
  EXPECT_EQ(rect.bottom - rect.top, 480);
  char title[64] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "Fixed Show");
  EXPECT_EQ(GetMenuItemCount(form->PopupMenu), 2);
  EXPECT_EQ(form->MidiLoopTimes, 0x7FFFFFFF);
  EXPECT_EQ(LeftInTemp(), std::vector<std::string>{});  // the settings file is read and gone
}

TEST_F(SettingsWindowTest, ARunnerWithoutPresentationReportsAndEnds) {
  showPath = scratch.PlaceBuiltProgram("runner.exe", "bare.exe");
  Seams().ProgramPath = [this] { return showPath; };
  Seams().ReadSettings = DefaultRunnerSeams().ReadSettings;
  int sessions = 0;
  Seams().StartSession = [&sessions](TfrmMain&) { ++sessions; };
  EXPECT_EQ(RunRunnerProcess(), 1);
  ASSERT_EQ(lastChanceReports.size(), 1u);
  EXPECT_EQ(lastChanceReports[0], "Session not found on extract from " + showPath);
  EXPECT_EQ(sessions, 0);
}

}  // namespace
}  // namespace vnx::test
