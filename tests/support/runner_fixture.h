#pragma once
// A fixture for tests that drive the runner's spine in this process: it keeps
// the seams and the process-wide state apart between tests, records the
// reports instead of showing modal boxes, and leaves the message queue empty.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runner/frm_main.h"
#include "runner/runner_seams.h"

namespace vnx::test {

class RunnerFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A main object made current and built by CreateMainWindow with the given
  // settings; its WM_RUNNER_START stays queued until the test pumps.
  std::unique_ptr<TfrmMain> BuildForm(const std::function<void(TfrmMain&)>& settings = {});

  struct MessageBoxShown {
    HWND owner;
    std::string text, caption;
  };
  std::vector<MessageBoxShown> messageBoxes;
  std::vector<std::string> lastChanceReports;

 private:
  RunnerSeams saved_;
  bool savedOs_[4] = {};
};

// Removes every posted message of this thread without dispatching it.
void DrainQueue();

// A plain window whose procedure throws "boom" (inside the callback guard,
// as every procedure of the runner does) when it receives kThrowMessage.
inline constexpr UINT kThrowMessage = WM_APP + 1;
HWND CreateThrowingWindow();

}  // namespace vnx::test
