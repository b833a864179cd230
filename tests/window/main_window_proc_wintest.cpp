// The main window procedure on a real window: what it handles itself, what
// it leaves to DefWindowProc, and the guards of its handlers. A plain window
// of this thread stands in for the projector; what the runner posts to it
// is read back from the queue.

#include <windows.h>

#include <gtest/gtest.h>

#include "contract/control_block.h"
#include "contract/private_messages.h"
#include "runner/frm_main.h"
#include "runner/process_state.h"
#include "runner/pump.h"
#include "tests/support/runner_fixture.h"
#include "window/close_filter.h"
#include "window/server_query.h"

namespace vnx::test {
namespace {

class MainWindowProcTest : public RunnerFixture {
 protected:
  void SetUp() override {
    RunnerFixture::SetUp();
    form = BuildForm([](TfrmMain& f) {
      f.WindowLeft = 100;
      f.WindowTop = 50;
      f.WindowWidth = 640;
      f.WindowHeight = 480;
      f.CloseMenu.Value = true;
    });
    DrainQueue();
    window = form->MainWindow;
    projector = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(projector);
    form.reset();
    RunnerFixture::TearDown();
  }

  void AttachProjector() {
    form->ProjectorWindow = projector;
    form->ControlBlock = &block;
  }
  // True when the runner posted this message to the stand-in projector.
  bool ProjectorGot(UINT message) {
    MSG posted;
    return PeekMessageA(&posted, projector, message, message, PM_REMOVE) != 0;
  }
  std::string Caption() const {
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
  }

  std::unique_ptr<TfrmMain> form;
  ControlBlock block{};
  HWND window = nullptr, projector = nullptr;
};

TEST_F(MainWindowProcTest, WmCloseClosesOnlyTheProjector) {
  EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(IsWindow(window));  // DefWindowProc would have destroyed it
  AttachProjector();
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(ProjectorGot(WM_CLOSE));
}

TEST_F(MainWindowProcTest, TextCommandsAreTakenAndEverythingElseIsACaption) {
  struct Case {
    WPARAM channel;
    const char* text;
    LRESULT result;
    UINT posted;  // WM_COMMAND id posted to the runner, 0 for none
    const char* caption;
  } const cases[] = {
      {0, "pcommand:fullscreen", 1, 132, "before"}, {0, "PCOMMANDW:Setup", 1, 130, "before"},
      {0, "pcommand: setup", 1, 0, "before"},       {1, "pcommand:setup", TRUE, 0, "pcommand:setup"},
      {0, "a new title", TRUE, 0, "a new title"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    DefWindowProcA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("before"));
    EXPECT_EQ(SendMessageA(window, WM_SETTEXT, c.channel, reinterpret_cast<LPARAM>(c.text)), c.result);
    EXPECT_EQ(Caption(), c.caption);
    MSG posted{};
    const bool any = PeekMessageA(&posted, window, WM_COMMAND, WM_COMMAND, PM_REMOVE);
    EXPECT_EQ(any ? LOWORD(posted.wParam) : 0u, c.posted);
  }
}

TEST_F(MainWindowProcTest, FullScreenAndBackRestoreTheExactRectangleAndStyle) {
  AttachProjector();
  RECT before{};
  GetWindowRect(window, &before);
  const LONG styleBefore = GetWindowLongA(window, GWL_STYLE);

  EXPECT_EQ(SendMessageA(window, WM_COMMAND, 133, 0), 0);  // not in full screen: nothing
  SendMessageA(window, WM_COMMAND, 132, 0);
  EXPECT_TRUE(form->InFullScreen);
  RECT desktop{}, full{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(window, &full);
  EXPECT_EQ(full.right - full.left, desktop.right - desktop.left);
  EXPECT_EQ(full.bottom - full.top, desktop.bottom - desktop.top);
  SendMessageA(window, WM_COMMAND, 132, 0);  // twice: nothing more
  EXPECT_EQ(form->SavedRect.left, before.left);

  SendMessageA(window, WM_COMMAND, 133, 0);
  RECT after{};
  GetWindowRect(window, &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & ~WS_VISIBLE, styleBefore & ~WS_VISIBLE);
}

TEST_F(MainWindowProcTest, CommandsNeedTheProjectorAndNoSender) {
  SendMessageA(window, WM_COMMAND, 129, 0);  // no projector yet: nothing
  AttachProjector();
  SendMessageA(window, WM_COMMAND, 129, reinterpret_cast<LPARAM>(projector));  // from a control: nothing
  EXPECT_FALSE(ProjectorGot(WM_CLOSE));
  SendMessageA(window, WM_COMMAND, 129, 0);
  EXPECT_TRUE(ProjectorGot(WM_CLOSE));
}

TEST_F(MainWindowProcTest, RatioKeepingSizingOnlyWithMaintainRatio) {
  form->ReferenceWidth = 640;
  form->ReferenceHeight = 480;
  RECT proposed{0, 0, 800, 400};
  SendMessageA(window, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(proposed.bottom, 400);
  EXPECT_FALSE(form->UserResized);
  form->MaintainRatio.Value = true;
  SendMessageA(window, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
  EXPECT_EQ(proposed.bottom, 600);
  EXPECT_TRUE(form->UserResized);
}

TEST_F(MainWindowProcTest, EscClosesTheProjectorOnlyWhenTheBlockSaysSo) {
  SendMessageA(window, WM_CHAR, 27, 0);
  AttachProjector();
  SendMessageA(window, WM_CHAR, 27, 0);
  EXPECT_FALSE(ProjectorGot(WM_CLOSE));
  block.ExitOnEsc = 1;
  SendMessageA(window, WM_CHAR, 'a', 0);
  EXPECT_FALSE(ProjectorGot(WM_CLOSE));
  SendMessageA(window, WM_CHAR, 27, 0);
  EXPECT_TRUE(ProjectorGot(WM_CLOSE));
}

TEST_F(MainWindowProcTest, ZOrderRequestsAreTamedOnlyAfterTheShow) {
  form->DisableClickForeground.Value = true;
  WINDOWPOS position{window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE};
  CallWindowProcA(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), window, WM_WINDOWPOSCHANGING, 0,
                  reinterpret_cast<LPARAM>(&position));
  EXPECT_EQ(position.flags & (SWP_NOZORDER | SWP_NOACTIVATE), 0u);
  form->ShowFinished = true;
  CallWindowProcA(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), window, WM_WINDOWPOSCHANGING, 0,
                  reinterpret_cast<LPARAM>(&position));
  EXPECT_EQ(position.flags & (SWP_NOZORDER | SWP_NOACTIVATE), UINT{SWP_NOZORDER | SWP_NOACTIVATE});
}

TEST_F(MainWindowProcTest, EngineMessagesAndTheirGuards) {
  EXPECT_EQ(SendMessageA(window, WM_RUNNER_SHOWN, 0, 0), 0);
  EXPECT_TRUE(form->PresentationShown);
  AttachProjector();
  SendMessageA(window, WM_RUNNER_SHOWN, 0, 0);
  EXPECT_EQ(block.PresentationShown, 1);
  SendMessageA(window, WM_RUNNER_EXIT, 1, 0);  // only WParam 0 ends the show
  EXPECT_FALSE(ProjectorGot(WM_CLOSE));
  SendMessageA(window, WM_RUNNER_EXIT, 0, 0);
  EXPECT_TRUE(ProjectorGot(WM_CLOSE));
  block.PopupMenuOpen = 1;
  SendMessageA(window, WM_RUNNER_MOUSE_DOWN, WM_LBUTTONDOWN, 0);  // no drag while the menu is open
  EXPECT_FALSE(form->Dragging);
  block.PopupMenuOpen = 0;
  SendMessageA(window, WM_RUNNER_MOUSE_DOWN, WM_RBUTTONDOWN, 0);
  EXPECT_FALSE(form->Dragging);
  SendMessageA(window, WM_RUNNER_MOUSE_DOWN, WM_LBUTTONDOWN, 0);
  EXPECT_TRUE(form->Dragging);
  SendMessageA(window, WM_RUNNER_DRAG_END, 0, 0);
  EXPECT_FALSE(form->Dragging);
  for (UINT message = WM_USER + 2; message <= WM_USER + 50; ++message) {
    const bool movesWindows = message == WM_RUNNER_RAISE || message == WM_RUNNER_ACTIVATED ||
                              message == WM_RUNNER_POPUP_MENU || message == WM_RUNNER_FOCUS_PROJECTOR;
    if (!movesWindows) {
      EXPECT_EQ(SendMessageA(window, message, 0, 0), 0) << message;
    }
  }
}

TEST_F(MainWindowProcTest, PositionQueriesFromOtherProcesses) {
  form->RunnerServerMessage = static_cast<std::int32_t>(RegisterWindowMessageA("OrrindaleRunnerSvrMessage"));
  const UINT query = static_cast<UINT>(form->RunnerServerMessage);
  ClientWidth = 320;
  ClientHeight = 200;
  POINT origin{0, 0}, corner{320, 200};
  ClientToScreen(window, &origin);
  ClientToScreen(window, &corner);
  EXPECT_EQ(SendMessageA(window, query, 0, 0), kRunnerTag);
  EXPECT_EQ(SendMessageA(window, query, 1, 0), origin.x);
  EXPECT_EQ(SendMessageA(window, query, 1, 1), corner.x);
  EXPECT_EQ(SendMessageA(window, query, 1, 2), origin.y);
  EXPECT_EQ(SendMessageA(window, query, 1, 3), corner.y);
  EXPECT_EQ(SendMessageA(window, query, 1, 4), -1);
  EXPECT_EQ(SendMessageA(window, query, 2, 0), -1);
}

TEST_F(MainWindowProcTest, ACloseBroadcastForThisExecutableClosesItOnce) {
  Seams().ProgramPath = [] { return std::string("C:\\shows\\Show.exe"); };
  AttachProjector();
  const UINT broadcast = form->GlobalCloseMessage;
  const ATOM other = GlobalAddAtomA("D:\\elsewhere\\other.exe");
  SendMessageA(window, broadcast, 0, other);
  EXPECT_FALSE(ProjectorGot(WM_CLOSE));
  EXPECT_EQ(form->GlobalCloseMessage, 0xFFFFFFFFu);  // deaf from now on, matching or not
  form->GlobalCloseMessage = broadcast;
  const ATOM same = GlobalAddAtomA("E:\\copy\\SHOW.EXE");
  SendMessageA(window, broadcast, 0, same);
  EXPECT_TRUE(ProjectorGot(WM_CLOSE));
  SendMessageA(window, broadcast, 0, same);  // ignored now
  EXPECT_FALSE(ProjectorGot(WM_CLOSE));
  GlobalDeleteAtom(other);
  GlobalDeleteAtom(same);
}

TEST_F(MainWindowProcTest, TheGracefulCloseRunsOnce) {
  AttachProjector();
  form->RunnerMessage = RegisterWindowMessageA("OrrindaleRunnerMessage_VNX_RT");
  block.ProjectorThreadId = GetCurrentThreadId();
  form->FullScreenCommand = 20048;
  MSG request{nullptr, form->RunnerMessage, 0, 0, 0, {}};
  bool handled = false;
  CloseFilter(*form, request, handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(block.ProjectorThreadId, 0u);
  // The filter pumps this thread's messages, so the stand-in got its WM_CLOSE
  // and closed as a plain window does.
  EXPECT_FALSE(IsWindow(projector));
  handled = false;
  CloseFilter(*form, request, handled);  // a second request is only marked handled
  EXPECT_TRUE(handled);
  MSG other{nullptr, form->RunnerMessage, 1, 0, 0, {}};
  handled = false;
  CloseFilter(*form, other, handled);
  EXPECT_FALSE(handled);
}

}  // namespace
}  // namespace vnx::test
