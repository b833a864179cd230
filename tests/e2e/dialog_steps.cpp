#include "tests/e2e/dialog_steps.h"

#include <gtest/gtest.h>

#include "tests/e2e/presentation_run.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {

HWND WaitForPasswordDialog(DWORD processId, const std::string& caption) {
  const HWND dialog = WaitForDialog(processId, caption);
  EXPECT_TRUE(dialog) << "no password dialog";
  return dialog;
}

void AnswerPassword(HWND dialog, const std::string& text, Confirm confirm) {
  ClickWindow(GetDlgItem(dialog, kPasswordEditId));
  TypeText(text);
  if (confirm == Confirm::Enter)
    PressKey(VK_RETURN);
  else
    ClickWindow(GetDlgItem(dialog, kPasswordOkId));
}

std::string AnswerErrorBox(DWORD processId) {
  const HWND box = WaitForDialog(processId, "Error", 10000);
  if (!box) return {};
  const std::string text = MessageBoxText(box);
  ClickWindow(FindWindowExA(box, nullptr, "Button", nullptr));
  return text;
}

}  // namespace vnx::test
