#include "tests/support/runner_fixture.h"

#include <stdexcept>

#include "common/callback_guard.h"
#include "runner/create_main_window.h"
#include "runner/process_state.h"
#include "runner/pump.h"

namespace vnx::test {

void DrainQueue() {
  MSG message;
  // Posted messages only: a visible window's WM_PAINT stays until painted.
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
  }
}

void RunnerFixture::SetUp() {
  saved_ = Seams();
  savedOs_[0] = OsWin95;
  savedOs_[1] = OsWin98;
  savedOs_[2] = OsWinMe;
  savedOs_[3] = OsWinNT5;
  QuitRequested = false;
  RestartRequested = true;
  MessageFilter = nullptr;
  Seams().ShowMessageBox = [this](HWND owner, const std::string& text, const std::string& caption) {
    messageBoxes.push_back({owner, text, caption});
  };
  // The test program carries no session: unless a test packs one, the
  // settings stay at their starting values.
  Seams().ReadSettings = [](TfrmMain&) {};
  Seams().ShowLastChanceReport = [this](const std::string& message) { lastChanceReports.push_back(message); };
  DrainQueue();
}

void RunnerFixture::TearDown() {
  DrainQueue();
  Seams() = saved_;
  OsWin95 = savedOs_[0];
  OsWin98 = savedOs_[1];
  OsWinMe = savedOs_[2];
  OsWinNT5 = savedOs_[3];
  MessageFilter = nullptr;
  QuitRequested = false;
  RestartRequested = true;
}

std::unique_ptr<TfrmMain> RunnerFixture::BuildForm(const std::function<void(TfrmMain&)>& settings) {
  if (settings) Seams().ReadSettings = settings;
  auto form = std::make_unique<TfrmMain>();
  frmMain = form.get();
  CreateMainWindow(*form);
  return form;
}

namespace {

LRESULT CALLBACK ThrowingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardCallback<LRESULT>(0, [&]() -> LRESULT {
    if (message == kThrowMessage) throw std::runtime_error("boom");
    return DefWindowProcA(window, message, wParam, lParam);
  });
}

}  // namespace

HWND CreateThrowingWindow() {
  static const ATOM registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ThrowingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VnxTestThrower";
    return RegisterClassA(&windowClass);
  }();
  EXPECT_NE(registered, 0);
  return CreateWindowExA(0, "VnxTestThrower", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

}  // namespace vnx::test
