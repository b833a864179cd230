// The command lines with which Windows starts a screen saver, each given to
// a real runner under Wine: "/c" in its forms opens the Setup dialog (owned
// by the window it names), "/p" without a window and "/a" end at once
// without touching anything (screen_saver_preview_wintest.cpp: "/p" with
// one), and everything else runs the presentation.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/presentation_run.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

constexpr char kTitle[] = "Saver show";

enum class Expect { Presentation, Setup, Nothing };

struct ArgumentCase {
  const char* Name;
  const char* Arguments;  // "%host%" stands for the host's window handle
  Expect What;
  bool OwnedByHost;
};

// A window of this process that stands for the Display settings' dialog.
class HostWindow {
 public:
  HostWindow()
      : window_(CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500, 200, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~HostWindow() { DestroyWindow(window_); }
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

std::string WithHost(std::string arguments, HWND host) {
  const std::string handle = std::to_string(reinterpret_cast<std::uintptr_t>(host));
  const auto at = arguments.find("%host%");
  if (at != std::string::npos) arguments.replace(at, 6, handle);
  return arguments;
}

class ScreenSaverArguments : public testing::TestWithParam<ArgumentCase> {};

TEST_P(ScreenSaverArguments, DoWhatTheHostAsks) {
  const ArgumentCase& c = GetParam();
  const HostWindow host;
  PresentationSpec presentation;
  presentation.Settings = std::string("Pellam Screen Name=") + kTitle + "\r\nSound=2\r\n";
  PresentationRun run(presentation);
  if (c.What == Expect::Nothing) run.Registry().Remove();
  run.Start(WithHost(c.Arguments, host.Get()));

  switch (c.What) {
    case Expect::Presentation:
      ASSERT_TRUE(run.WaitForPresentation());
      PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
      break;
    case Expect::Setup: {
      const HWND dialog = WaitForDialog(run.RunnerProcessId(), std::string(kTitle) + " - Setup");
      ASSERT_TRUE(dialog);
      const HWND owner = GetWindow(dialog, GW_OWNER);
      if (c.OwnedByHost) {
        EXPECT_EQ(owner, host.Get());
      } else {
        EXPECT_NE(owner, host.Get());
      }
      ClickCloseBox(dialog);
      break;
    }
    case Expect::Nothing: break;
  }
  ASSERT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.RunnerExitCode(), 0u);
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
  // Asked for a preview or a password, the runner writes nothing at all.
  if (c.What == Expect::Nothing) {
    EXPECT_FALSE(run.Registry().Exists());
  }
}

INSTANTIATE_TEST_SUITE_P(CommandLines, ScreenSaverArguments,
                         testing::Values(ArgumentCase{"None", "", Expect::Presentation, false},
                                         ArgumentCase{"Run", "/s", Expect::Presentation, false},
                                         ArgumentCase{"RunWithDash", "-S", Expect::Presentation, false},
                                         ArgumentCase{"Unknown", "/x", Expect::Presentation, false},
                                         ArgumentCase{"SetupUpperCase", "/C", Expect::Setup, false},
                                         ArgumentCase{"SetupWithDash", "-c", Expect::Setup, false},
                                         ArgumentCase{"SetupOwnedWithColon", "/c:%host%", Expect::Setup, true},
                                         ArgumentCase{"SetupOwnedAfterBlank", "/c %host%", Expect::Setup, true},
                                         ArgumentCase{"SetupNotAWindow", "/c 4242", Expect::Setup, false},
                                         ArgumentCase{"PreviewWithoutWindow", "/p", Expect::Nothing, false},
                                         ArgumentCase{"ChangePassword", "/a %host%", Expect::Nothing, false}),
                         CaseName<ArgumentCase>);

}  // namespace
}  // namespace vnx::test
