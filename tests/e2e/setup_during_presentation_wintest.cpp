// The Setup dialog opened from the runner's popup menu while a presentation
// runs, under Wine, driven as a viewer drives it: a right click into the
// presentation, the menu's Setup item clicked, a check box
// ticked, the dialog closed with its close box. A changed choice starts the
// presentation again with it; an unchanged one leaves it running.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/presentation_run.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

constexpr char kTitle[] = "Menu show";
constexpr int kKeysBox = 12;

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

// Setup is the menu's only item: the mouse works in the presentation and
// the right button opens the runner's menu; the keys are the viewer's choice.
PresentationSpec MenuShow() {
  PresentationSpec presentation;
  presentation.Settings = std::string("Pellam Screen Name=") + kTitle +
                          "\r\nSetupMenu=1\r\nCloseMenu=0\r\nInteraction=1\r\nRightClickMenu=0\r\nKeyInteraction=2\r\n";
  return presentation;
}

HWND OpenSetupFromTheMenu(const PresentationRun& run) {
  EXPECT_TRUE(WaitUntil([&] { return run.ReadControlBlock().PresentationShown == 1; }));
  RECT projector{};
  GetWindowRect(run.ProjectorWindow(), &projector);
  ClickAt({(projector.left + projector.right) / 2, (projector.top + projector.bottom) / 2}, true);
  const HWND menu = WaitForWindow(run.RunnerProcessId(), "#32768", nullptr, 10000);
  EXPECT_TRUE(menu) << "no popup menu";
  ClickWindow(menu);  // its only item
  const HWND dialog = WaitForDialog(run.RunnerProcessId(), std::string(kTitle) + " - Setup");
  EXPECT_TRUE(dialog) << "no Setup dialog";
  return dialog;
}

struct MenuCase {
  const char* Name;
  int Clicks;  // on the keyboard box
  bool Restarts;
};

class SetupDuringPresentation : public testing::TestWithParam<MenuCase> {};

TEST_P(SetupDuringPresentation, RestartsOnlyWhenAChoiceChanged) {
  const MenuCase& c = GetParam();
  PresentationRun run(MenuShow());
  ASSERT_TRUE(run.StartAndWaitForPresentation());
  const DWORD firstProjector = ProcessOf(run.ProjectorWindow());
  EXPECT_EQ(run.ReadControlBlock().ExitOnAnyKey, 0);  // keys work: nothing stored yet

  const HWND dialog = OpenSetupFromTheMenu(run);
  ASSERT_TRUE(dialog);
  for (int i = 0; i < c.Clicks; ++i) ToggleBox(GetDlgItem(dialog, kKeysBox));
  ClickCloseBox(dialog);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

  if (c.Restarts) {
    // The old projector goes, a new lifecycle brings up a new one.
    ASSERT_TRUE(WaitUntil(
        [&] { return run.WaitForPresentation(500) && ProcessOf(run.ProjectorWindow()) != firstProjector; }, 20000));
    EXPECT_EQ(run.ReadControlBlock().ExitOnAnyKey, 1);  // now any key ends it
    EXPECT_EQ(run.Registry().GetString("AnyKeyExit"), "1");
  } else {
    // Given time in which a restart would have closed the projector.
    Sleep(2000);
    EXPECT_TRUE(IsWindow(run.ProjectorWindow()));
    EXPECT_EQ(ProcessOf(run.ProjectorWindow()), firstProjector);
    EXPECT_EQ(run.ReadControlBlock().ExitOnAnyKey, 0);
    EXPECT_EQ(run.Registry().GetString("AnyKeyExit"), "0");
  }
  PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Choices, SetupDuringPresentation,
                         testing::Values(MenuCase{"Changed", 1, true}, MenuCase{"ToggledAndBack", 2, false}),
                         CaseName<MenuCase>);

}  // namespace
}  // namespace vnx::test
