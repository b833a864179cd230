// The screen saver settings' small preview ("/p HWND"), with a host window
// of the test's own in the settings' place: the runner draws the
// presentation's own icon (the author's, here) centred on black in a child
// window of the host, unpacks and writes nothing, and ends with the host.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/author_branding.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/screen_pixels.h"

namespace vnx::test {
namespace {

constexpr COLORREF kAuthorColour = RGB(0xC8, 0x21, 0x96);  // no runner draws it by itself
constexpr int kHostWidth = 152, kHostHeight = 112;         // the settings' little monitor

// The host's thread keeps answering while the runner works with its window.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
  for (const DWORD start = GetTickCount(); !done(); Sleep(20)) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    if (GetTickCount() - start >= timeoutMs) return false;
  }
  return true;
}

HWND CreateHost() {
  return CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 200, 150, kHostWidth, kHostHeight, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

std::string Argument(HWND window) { return std::to_string(reinterpret_cast<std::uintptr_t>(window)); }

// A presentation behind a runner branded with a one-colour 32-pixel icon.
PresentationSpec BrandedPresentation(const ScratchDirectory& scratch) {
  scratch.Write("author.ico", IconFile({{32, kAuthorColour}}));
  scratch.Write("empty.txt", "");
  EXPECT_EQ(Vnxpack({"build", "-o", scratch / "runner.exe", "--stub", BuiltProgram("runner.exe"), "--icon",
                     scratch / "author.ico", scratch / "empty.txt"})
                .Code,
            0);
  PresentationSpec presentation;
  presentation.Runner = scratch / "runner.exe";
  return presentation;
}

// Black everywhere, the author's colour exactly on the centred icon square.
int WrongPixels(const ScreenPixels& seen, const RECT& icon) {
  int wrong = 0;
  for (int y = 0; y < seen.Height; ++y) {
    for (int x = 0; x < seen.Width; ++x) {
      const bool onIcon = x >= icon.left && x < icon.right && y >= icon.top && y < icon.bottom;
      wrong += seen.At(x, y) != (onIcon ? kAuthorColour : RGB(0, 0, 0));
    }
  }
  return wrong;
}

TEST(ScreenSaverPreview, TheIconOnBlackInsideTheHostUntilTheHostGoes) {
  ScratchDirectory scratch("preview");
  PresentationRun run(BrandedPresentation(scratch));
  run.Registry().Remove();
  const HWND host = CreateHost();
  ASSERT_TRUE(host);
  run.Start("/p " + Argument(host));

  HWND preview = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    preview = GetWindow(host, GW_CHILD);
    return preview != nullptr && IsWindowVisible(preview);
  }));
  DWORD owner = 0;
  GetWindowThreadProcessId(preview, &owner);
  EXPECT_EQ(owner, run.RunnerProcessId());
  const RECT area = ClientOnScreen(preview);
  EXPECT_EQ(area.right - area.left, kHostWidth);
  EXPECT_EQ(area.bottom - area.top, kHostHeight);
  const int side = GetSystemMetrics(SM_CXICON);
  const RECT icon{(kHostWidth - side) / 2, (kHostHeight - side) / 2, (kHostWidth + side) / 2, (kHostHeight + side) / 2};
  int wrong = -1;
  PumpUntil([&] {  // the preview may not have painted yet
    wrong = WrongPixels(CaptureScreenArea(area.left, area.top, kHostWidth, kHostHeight), icon);
    return wrong == 0;
  });
  EXPECT_EQ(wrong, 0);

  EXPECT_TRUE(run.RunnerRunning());
  DestroyWindow(host);
  ASSERT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.RunnerExitCode(), 0u);
  // Nothing unpacked, nothing written.
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
  EXPECT_FALSE(run.Registry().Exists());
}

// A handle that names no window (any more) ends the runner at once.
TEST(ScreenSaverPreview, AHostThatIsNoWindowEndsAtOnce) {
  PresentationRun run(PresentationSpec{});
  run.Registry().Remove();
  const HWND gone = CreateHost();
  ASSERT_TRUE(gone);
  DestroyWindow(gone);
  run.Start("/p " + Argument(gone));
  ASSERT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.RunnerExitCode(), 0u);
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
  EXPECT_FALSE(run.Registry().Exists());
}

}  // namespace
}  // namespace vnx::test
