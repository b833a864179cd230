// PumpOne and PumpPending: empty queue, WM_QUIT, the message filter and the
// exception parked by a window procedure.

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "runner/process_state.h"
#include "runner/pump.h"
#include "tests/support/runner_fixture.h"

namespace vnx::test {
namespace {

class PumpTest : public RunnerFixture {};

TEST_F(PumpTest, EmptyQueueGivesFalse) { EXPECT_FALSE(PumpOne()); }

TEST_F(PumpTest, WmQuitSetsQuitRequested) {
  PostQuitMessage(3);
  EXPECT_TRUE(PumpOne());
  EXPECT_TRUE(QuitRequested);
  EXPECT_FALSE(PumpOne());
}

TEST_F(PumpTest, FilterSeesThreadMessagesAndHandledOnesAreNotDispatched) {
  const HWND thrower = CreateThrowingWindow();
  std::vector<UINT> seen;
  MessageFilter = [&](MSG& message, bool& handled) {
    seen.push_back(message.message);
    handled = message.message == kThrowMessage;
  };
  PostThreadMessageA(GetCurrentThreadId(), WM_APP + 7, 0, 0);
  PostMessageA(thrower, kThrowMessage, 0, 0);
  EXPECT_NO_THROW(PumpPending());  // the throwing message was never dispatched
  EXPECT_EQ(seen, (std::vector<UINT>{WM_APP + 7, kThrowMessage}));
  DestroyWindow(thrower);
}

TEST_F(PumpTest, ExceptionFromAProcedureIsRethrownAfterDispatch) {
  const HWND thrower = CreateThrowingWindow();
  PostMessageA(thrower, kThrowMessage, 0, 0);
  PostMessageA(thrower, WM_NULL, 0, 0);
  try {
    PumpPending();
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "boom");
  }
  EXPECT_TRUE(PumpOne());  // the rest of the queue is still there
  EXPECT_FALSE(PumpOne());
  DestroyWindow(thrower);
}

TEST_F(PumpTest, ExceptionFromASentMessageIsRethrownByThePump) {
  const HWND thrower = CreateThrowingWindow();
  SendMessageA(thrower, kThrowMessage, 0, 0);  // no dispatch involved
  EXPECT_THROW(PumpOne(), std::runtime_error);
  EXPECT_NO_THROW(PumpOne());
  DestroyWindow(thrower);
}

TEST_F(PumpTest, WaitForMessageReturnsWhenAMessageArrives) {
  PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
  const DWORD start = GetTickCount();
  WaitForMessage(5000);
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_TRUE(PumpOne());
}

}  // namespace
}  // namespace vnx::test
