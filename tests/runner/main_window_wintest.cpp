// The main window as CreateMainWindow builds it, checked on real windows.

#include <windows.h>

#include <gtest/gtest.h>

#include "runner/create_main_window.h"
#include "runner/process_state.h"
#include "tests/support/runner_fixture.h"

namespace vnx::test {
namespace {

class MainWindowTest : public RunnerFixture {};

struct Frame {
  bool fs, cs, noBorder, noTitle, resize, onTop;
};

std::function<void(TfrmMain&)> Settings(Frame f, int left = 10, int top = 20, int width = 640, int height = 480) {
  return [=](TfrmMain& form) {
    form.FullScreen.Value = f.fs;
    form.CustomSize.Value = f.cs;
    form.NoBorder.Value = f.noBorder;
    form.NoTitle.Value = f.noTitle;
    form.AllowResize.Value = f.resize;
    form.AlwaysOnTop.Value = f.onTop;
    form.WindowLeft = left;
    form.WindowTop = top;
    form.WindowWidth = width;
    form.WindowHeight = height;
  };
}

// Windows adds WS_CLIPSIBLINGS to every top-level window and may add edge
// styles of its own; the runner decides the rest.
DWORD RunnerStyle(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~WS_CLIPSIBLINGS; }
bool Topmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST_F(MainWindowTest, EveryRowOfTheStyleTable) {
  OsWinNT5 = true;  // the bare full-screen window is topmost here
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  struct Row {
    const char* name;
    Frame frame;
    DWORD style;
    RECT rect;
  } const rows[] = {
      {"full screen", {true, false, false, false, true, false}, 0x80080000, {0, 0, sw, sh}},
      {"no border", {false, false, true, false, true, false}, 0x80080000, {10, 20, 650, 500}},
      {"caption, sizable", {false, false, false, false, true, false}, 0x80CF0000, {10, 20, 650, 500}},
      {"caption, fixed", {false, false, false, false, false, false}, 0x80CB0000, {10, 20, 650, 500}},
      {"no title, sizable", {false, false, false, true, true, false}, 0x800C0000, {10, 20, 650, 500}},
      {"no title, fixed", {false, false, false, true, false, false}, 0x80880000, {10, 20, 650, 500}},
      {"custom size, no border", {true, true, true, false, false, false}, 0x80080000, {0, 0, sw, sh}},
      {"custom size, no title", {true, true, false, true, true, false}, 0x800C0000, {0, 0, sw, sh}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto form = BuildForm(Settings(row.frame));
    const HWND window = form->MainWindow;
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(RunnerStyle(window), row.style | WS_CLIPCHILDREN);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(IsWindowVisible(window));
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, row.rect.left);
    EXPECT_EQ(rect.top, row.rect.top);
    EXPECT_EQ(rect.right, row.rect.right);
    EXPECT_EQ(rect.bottom, row.rect.bottom);
    EXPECT_EQ(form->ReferenceWidth, row.rect.right - row.rect.left);
    EXPECT_EQ(form->ReferenceHeight, row.rect.bottom - row.rect.top);
    EXPECT_EQ(form->WindowWidth, form->ReferenceWidth);
    DrainQueue();
  }
}

TEST_F(MainWindowTest, TopmostRule) {
  struct Case {
    const char* name;
    Frame frame;
    bool winNT5;
    bool topmost;
  } const cases[] = {
      {"bare full screen on NT 5", {true, false, false, false, false, false}, true, true},
      {"bare full screen on later NT", {true, false, false, false, false, true}, false, false},
      {"custom-size full screen", {true, true, true, false, false, false}, false, true},
      {"always on top", {false, false, false, false, false, true}, false, true},
      {"plain window", {false, false, false, false, false, false}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OsWinNT5 = c.winNT5;
    auto form = BuildForm(Settings(c.frame));
    EXPECT_EQ(Topmost(form->MainWindow), c.topmost);
    DrainQueue();
  }
}

TEST_F(MainWindowTest, CaptionedCustomSizeFullScreenIsMaximised) {
  auto maximised = BuildForm(Settings({true, true, false, false, true, false}));
  EXPECT_TRUE(IsZoomed(maximised->MainWindow));
  DrainQueue();
  auto frameless = BuildForm(Settings({true, true, false, true, true, false}));
  EXPECT_FALSE(IsZoomed(frameless->MainWindow));
  auto windowed = BuildForm(Settings({false, true, false, false, true, false}));
  EXPECT_FALSE(IsZoomed(windowed->MainWindow));
}

TEST_F(MainWindowTest, TitleClientSizeAndStartMessage) {
  auto form = BuildForm([](TfrmMain& f) {
    Settings({false, false, false, false, false, false}, 0, 0, 400, 300)(f);
    f.ScreenName = "My Show";
  });
  char title[64] = {};
  GetWindowTextA(form->MainWindow, title, sizeof title);
  EXPECT_STREQ(title, "My Show");
  RECT client{};
  GetClientRect(form->MainWindow, &client);
  EXPECT_EQ(ClientWidth, client.right);
  EXPECT_EQ(ClientHeight, client.bottom);
  EXPECT_LT(ClientWidth, 400);  // the frame takes its share
  MSG start{};
  ASSERT_TRUE(PeekMessageA(&start, form->MainWindow, 0, 0, PM_REMOVE));
  EXPECT_EQ(start.message, WM_USER + 1u);
  EXPECT_EQ(form->MidiLoopTimes, 0x7FFFFFFF);  // 0 loops without end
}

TEST_F(MainWindowTest, MenuItemsForEveryCombination) {
  for (int mask = 0; mask < 8; ++mask) {
    SCOPED_TRACE(mask);
    auto form = BuildForm([mask](TfrmMain& f) {
      f.CloseMenu.Value = mask & 1;
      f.SetupMenu.Value = mask & 2;
      f.MinimizeMenu.Value = mask & 4;
    });
    if (mask == 0) {
      EXPECT_EQ(form->PopupMenu, nullptr);
      continue;
    }
    ASSERT_TRUE(IsMenu(form->PopupMenu));
    std::vector<std::pair<UINT, std::string>> items;
    for (int i = 0; i < GetMenuItemCount(form->PopupMenu); ++i) {
      char text[32] = {};
      GetMenuStringA(form->PopupMenu, i, text, sizeof text, MF_BYPOSITION);
      items.emplace_back(GetMenuItemID(form->PopupMenu, i), text);
    }
    std::vector<std::pair<UINT, std::string>> expected;
    if (mask & 1) expected.emplace_back(129, "Close");
    if (mask & 2) expected.emplace_back(130, "Setup");
    if (mask & 4) expected.emplace_back(131, "Minimize");
    EXPECT_EQ(items, expected);
    DrainQueue();
  }
}

HMENU failedMenu = nullptr;
int appendCalls = 0;
BOOL WINAPI FailSecondAppend(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text) {
  failedMenu = menu;
  return ++appendCalls == 2 ? FALSE : AppendMenuA(menu, flags, id, text);
}

TEST_F(MainWindowTest, AFailedAppendLeavesNoMenuAtAll) {
  const HMENU menu = BuildPopupMenu(PopupMenuItems(true, true, true), FailSecondAppend);
  EXPECT_EQ(menu, nullptr);
  EXPECT_EQ(appendCalls, 2);  // nothing is appended once the menu is gone
  EXPECT_FALSE(IsMenu(failedMenu));
}

TEST_F(MainWindowTest, MenuIsDestroyedWithTheWindow) {
  auto form = BuildForm([](TfrmMain& f) { f.CloseMenu.Value = true; });
  const HMENU menu = form->PopupMenu;
  ASSERT_TRUE(IsMenu(menu));
  DestroyWindow(form->MainWindow);
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(form->PopupMenu, nullptr);
}

TEST_F(MainWindowTest, SetupModeReadsNoSettings) {
  int reads = 0;
  Seams().CommandLine = [] { return std::string("\"C:\\shows\\demo.exe\" /c"); };
  auto form = BuildForm([&reads](TfrmMain& f) {
    ++reads;
    f.CloseMenu.Value = true;
  });
  EXPECT_TRUE(form->SetupMode);
  EXPECT_EQ(reads, 0);
  EXPECT_EQ(RunnerStyle(form->MainWindow), 0x80CB0000u | WS_CLIPCHILDREN);
  RECT rect{};
  GetWindowRect(form->MainWindow, &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(GetWindowTextLengthA(form->MainWindow), 0);
  EXPECT_EQ(form->PopupMenu, nullptr);
  EXPECT_EQ(form->MidiLoopTimes, 0);  // untouched without a settings read
}

TEST_F(MainWindowTest, IdentityFromTheProgramPath) {
  struct Case {
    const char* path;
    const char* commandLine;
    const char* fileName;
    const char* stem;
    bool setup;
  } const cases[] = {
      {"C:\\shows\\Show.EXE", "Show.EXE", "Show.EXE", "Show", false},
      {"C:\\shows\\show.exe", "show.exe /C", "show.exe", "show", true},
      {"C:\\shows\\noext", "noext -c", "noext", "", true},  // the dash form of a screen saver
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    Seams().ProgramPath = [&c] { return std::string(c.path); };
    Seams().CommandLine = [&c] { return std::string(c.commandLine); };
    auto form = BuildForm();
    EXPECT_EQ(form->ExeFileName, c.fileName);
    EXPECT_EQ(form->ExeStem, c.stem);
    EXPECT_EQ(form->SetupMode, c.setup);
    EXPECT_EQ(form->GlobalCloseMessage, RegisterWindowMessageA("PGlobalCloseMessage_s-z"));
    DrainQueue();
  }
}

}  // namespace
}  // namespace vnx::test
