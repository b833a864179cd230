// The stand-in projector's window as the runner meets it: class, first
// position, stage size, frame and menu bar, and the full-screen command both
// on its own and inside a host window of another process.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/projector_process.h"

namespace vnx::test {
namespace {

LONG Style(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

std::string ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return std::to_string(r.right) + "x" + std::to_string(r.bottom);
}

std::string Position(const RECT& r) { return std::to_string(r.left) + "," + std::to_string(r.top); }

constexpr LONG kFrame = WS_THICKFRAME | WS_CAPTION;

TEST(ProjectorWindow, OpensAsTheRunnerExpects) {
  ProjectorRun run("log\n");
  const HWND window = run.Window();
  ASSERT_TRUE(window);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STREQ(className, "ShockwaveFlash");  // the runner's comparison ignores case
  EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), run.program->ThreadId());
  EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(Position(WindowRect(window)), "5000,-5000");
  EXPECT_EQ(ClientSize(window), "640x480");
  EXPECT_EQ(Style(window) & kFrame, kFrame);
  EXPECT_NE(GetMenu(window), nullptr);
  EXPECT_TRUE(IsWindowVisible(window));

  const auto log = run.Log();
  EXPECT_EQ(LastLogValue(log, "startup-flags"), "0x00000085");
  EXPECT_EQ(LastLogValue(log, "startup-position"), "5000,-5000");
  EXPECT_EQ(LastLogValue(log, "startup-show"), "1");
  EXPECT_EQ(LastLogValue(log, "process"), std::to_string(run.program->ProcessId()));
  EXPECT_EQ(LastLogValue(log, "window"), Decimal(window));
  EXPECT_EQ(LastLogValue(log, "window-class"), "ShockwaveFlash");
  EXPECT_EQ(LastLogValue(log, "window-position"), "5000,-5000");
  EXPECT_EQ(LastLogValue(log, "sizable"), "yes");
  EXPECT_EQ(LastLogValue(log, "full-screen-command"), "20048");
  EXPECT_EQ(LastLogValue(log, "parent"), "0");
  EXPECT_EQ(LastLogValue(log, "client-size"), "640x480");
}

TEST(ProjectorWindow, StageSizeAndSlideComeFromSlideTxt) {
  struct Case {
    const char* slide;
    const char* clientSize;
    const char* title;
    const char* colour;
    std::size_t warnings;
  } const cases[] = {
      {"title=Quarterly results\ncolour=#FFEEDD\nstage=800x600\n", "800x600", "Quarterly results", "#FFEEDD", 0},
      {"stage=1024x768\n", "1024x768", "Presentation", "#1F3B5C", 0},
      // Narrower than the menu bar and than a captioned window likes to be.
      {"stage=64x64\n", "64x64", "Presentation", "#1F3B5C", 0},
      {"stage=huge\ncolour=blue\n", "640x480", "Presentation", "#1F3B5C", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slide);
    ProjectorRun run("log\n", "projector5.exe", c.slide);
    const HWND window = run.Window();
    ASSERT_TRUE(window);
    EXPECT_EQ(ClientSize(window), c.clientSize);
    EXPECT_EQ(GetWindowTextLengthA(window), static_cast<int>(std::string(c.title).size()));
    const auto log = run.Log();
    EXPECT_EQ(LastLogValue(log, "stage"), c.clientSize);
    EXPECT_EQ(LastLogValue(log, "client-size"), c.clientSize);
    EXPECT_EQ(LastLogValue(log, "slide-title"), c.title);
    EXPECT_EQ(LastLogValue(log, "slide-colour"), c.colour);
    EXPECT_EQ(LogValues(log, "slide-warning").size(), c.warnings);
  }
}

TEST(ProjectorWindow, FullScreenOnItsOwnCoversTheMonitorAndComesBack) {
  ProjectorRun run("log\n");
  const HWND window = run.Window();
  ASSERT_TRUE(window);
  const RECT before = WindowRect(window);

  SendWithin(window, WM_COMMAND, 20048, 0);
  EXPECT_EQ(Style(window) & kFrame, 0);
  EXPECT_EQ(GetMenu(window), nullptr);
  // The monitor nearest to (5000, -5000) is the only one there is.
  const RECT full = WindowRect(window);
  EXPECT_EQ(Position(full), "0,0");
  EXPECT_EQ(full.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(full.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(ClientSize(window), std::to_string(full.right) + "x" + std::to_string(full.bottom));

  SendWithin(window, WM_COMMAND, 20048, 0);
  EXPECT_EQ(Style(window) & kFrame, kFrame);
  EXPECT_NE(GetMenu(window), nullptr);
  const RECT after = WindowRect(window);
  EXPECT_EQ(Position(after), Position(before));
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_EQ(ClientSize(window), "640x480");
  EXPECT_EQ(LogValues(run.Log(), "full-screen"), (std::vector<std::string>{"on", "off"}));
}

// A plain window of this process stands in for the runner's main window.
HWND CreateHostWindow() {
  static const ATOM registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VnxTestProjectorHost";
    return RegisterClassA(&windowClass);
  }();
  EXPECT_NE(registered, 0);
  return CreateWindowExA(0, "VnxTestProjectorHost", "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 800, 600,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST(ProjectorWindow, InsideAHostWindowAsTheRunnerDrivesIt) {
  ProjectorRun run("log\n");
  const HWND window = run.Window();
  ASSERT_TRUE(window);
  const HWND host = CreateHostWindow();
  ASSERT_TRUE(host);

  // Taken over: hidden, re-parented, switched to full screen, placed.
  ShowWindow(window, SW_HIDE);
  SetParent(window, host);
  SendWithin(window, WM_COMMAND, 20048, 0);
  EXPECT_EQ(Style(window) & kFrame, 0);
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_EQ(GetAncestor(window, GA_PARENT), host);
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 700, 500, SWP_SHOWWINDOW);
  EXPECT_EQ(ClientSize(window), "700x500");  // no frame left: the client is the whole window

  // The graceful close: the command again, hidden, then WM_CLOSE.
  SendWithin(window, WM_COMMAND, 20048, 0);
  EXPECT_EQ(Style(window) & kFrame, kFrame);
  EXPECT_NE(GetMenu(window), nullptr);
  EXPECT_EQ(GetAncestor(window, GA_PARENT), host);
  RECT inHost = WindowRect(window);
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&inHost), 2);
  EXPECT_EQ(Position(inHost), "0,0");  // a child keeps its place instead of jumping to a screen position
  ShowWindow(window, SW_HIDE);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.program->WaitForExit(5000));
  EXPECT_EQ(run.program->ExitCode(), 0u);
  DestroyWindow(host);

  const auto log = run.Log();
  EXPECT_EQ(LogValues(log, "full-screen"), (std::vector<std::string>{"on", "off"}));
  EXPECT_EQ(LogValues(log, "parent").front(), "0");
  EXPECT_EQ(LastLogValue(log, "parent"), Decimal(host));
  const auto sizes = LogValues(log, "client-size");
  EXPECT_NE(std::find(sizes.begin(), sizes.end(), "700x500"), sizes.end());
  EXPECT_EQ(LastLogValue(log, "close"), "WM_CLOSE");
}

TEST(ProjectorWindow, WithoutSizingFrameWhenTold) {
  ProjectorRun run("log\nno-sizing-frame\n");
  const HWND window = run.Window();
  ASSERT_TRUE(window);
  EXPECT_EQ(Style(window) & WS_THICKFRAME, 0);
  EXPECT_EQ(Style(window) & WS_CAPTION, WS_CAPTION);
  EXPECT_NE(GetMenu(window), nullptr);
  EXPECT_EQ(ClientSize(window), "640x480");
  EXPECT_EQ(LastLogValue(run.Log(), "sizable"), "no");
}

}  // namespace
}  // namespace vnx::test
