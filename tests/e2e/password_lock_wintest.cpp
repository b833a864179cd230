// A locked presentation under Wine, driven as a viewer drives it: the
// password dialog found by its caption, the password typed into it with the
// keyboard, confirmed with Enter or the OK button, cancelled with the Cancel
// button, the close box or the word "CanCel". Nothing of the presentation is
// unpacked before the right password.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/dialog_steps.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

constexpr char kTitle[] = "Locked show";
constexpr char kPassword[] = "open sesame";

PresentationSpec Locked(const std::string& settings = "") {
  PresentationSpec presentation;
  presentation.Password = kPassword;
  presentation.Settings = std::string("Pellam Screen Name=") + kTitle + "\r\n" + settings;
  return presentation;
}

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The password dialog; nothing may be unpacked while it asks.
HWND PasswordDialog(const PresentationRun& run) {
  const HWND dialog = WaitForPasswordDialog(run.RunnerProcessId(), kTitle);
  EXPECT_EQ(TreeEntries(run.TempBase()), std::vector<std::string>{});
  return dialog;
}

void Answer(const PresentationRun& run, const std::string& text, Confirm confirm = Confirm::Enter) {
  const HWND dialog = PasswordDialog(run);
  ASSERT_TRUE(dialog);
  AnswerPassword(dialog, text, confirm);
}

void ExpectEndedWithNothingLeft(const PresentationRun& run) {
  ASSERT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.RunnerExitCode(), 0u);
  EXPECT_EQ(TreeEntries(run.TempBase()), std::vector<std::string>{});
}

struct RightCase {
  const char* Name;
  const char* Typed;
  Confirm How;
};

class PasswordLockRight : public testing::TestWithParam<RightCase> {};

TEST_P(PasswordLockRight, OpensThePresentation) {
  const RightCase& c = GetParam();
  PresentationRun run(Locked());
  run.Start();
  const HWND dialog = PasswordDialog(run);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kPasswordLabelId)), "Please enter password:");
  // Centred on the work area.
  RECT outer{}, work{};
  GetWindowRect(dialog, &outer);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(outer.left, (work.right - work.left) / 2 - (outer.right - outer.left) / 2);
  EXPECT_EQ(outer.top, (work.bottom - work.top) / 2 - (outer.bottom - outer.top) / 2);
  Answer(run, c.Typed, c.How);
  ASSERT_TRUE(run.WaitForPresentation());
  PostMessageA(run.RunnerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitForEnd());
  EXPECT_EQ(run.LeftBehind(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Typed, PasswordLockRight,
                         testing::Values(RightCase{"WithEnter", kPassword, Confirm::Enter},
                                         RightCase{"WithBlanksAroundAndTheOkButton", "  open sesame  ",
                                                   Confirm::OkButton}),
                         CaseName<RightCase>);

TEST(PasswordLock, AWrongPasswordIsReportedAndTheNextAttemptOpens) {
  PresentationRun run(Locked("PWEditLabel=Say the word:\r\n"));
  run.Start();
  const HWND dialog = PasswordDialog(run);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, kPasswordLabelId)), "Say the word:");
  Answer(run, "open sesame!");
  EXPECT_EQ(AnswerErrorBox(run.RunnerProcessId()), "Wrong password!");
  Answer(run, kPassword);
  EXPECT_TRUE(run.WaitForPresentation());
}

// A long text pasted into the dialog: the first 1023 characters are the
// password.
TEST(PasswordLock, OnlyTheFirst1023CharactersCount) {
  PresentationSpec presentation = Locked();
  presentation.Password = std::string(1023, 'k');
  PresentationRun run(presentation);
  run.Start();
  const HWND dialog = PasswordDialog(run);
  ASSERT_TRUE(dialog);
  const HWND edit = GetDlgItem(dialog, kPasswordEditId);
  const std::string pasted = std::string(1023, 'k') + "and more";
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pasted.c_str()));
  ClickWindow(edit);
  PressKey(VK_RETURN);
  EXPECT_TRUE(run.WaitForPresentation());
}

TEST(PasswordLock, ThreeWrongPasswordsEndTheRunnerWithNothingUnpacked) {
  PresentationRun run(Locked("PWrong=Not this one.\r\n"));
  run.Start();
  for (const char* wrong : {"", "open", "sesame"}) {
    Answer(run, wrong);
    EXPECT_EQ(AnswerErrorBox(run.RunnerProcessId()), "Not this one.");
  }
  ExpectEndedWithNothingLeft(run);
}

enum class Cancel { Button, CloseBox, TypedWord };

struct CancelCase {
  const char* Name;
  Cancel How;
};

class PasswordLockCancel : public testing::TestWithParam<CancelCase> {};

TEST_P(PasswordLockCancel, EndsTheRunnerQuietly) {
  PresentationRun run(Locked());
  run.Start();
  const HWND dialog = PasswordDialog(run);
  ASSERT_TRUE(dialog);
  switch (GetParam().How) {
    case Cancel::Button: ClickWindow(GetDlgItem(dialog, kPasswordCancelId)); break;
    case Cancel::CloseBox: ClickCloseBox(dialog); break;
    case Cancel::TypedWord: Answer(run, " CanCel "); break;
  }
  // A message box would hold the runner up: it ends only when nothing asks.
  ExpectEndedWithNothingLeft(run);
}

INSTANTIATE_TEST_SUITE_P(Ways, PasswordLockCancel,
                         testing::Values(CancelCase{"CancelButton", Cancel::Button},
                                         CancelCase{"CloseBox", Cancel::CloseBox},
                                         CancelCase{"TypedCanCel", Cancel::TypedWord}),
                         CaseName<CancelCase>);

}  // namespace
}  // namespace vnx::test
