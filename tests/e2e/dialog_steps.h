#pragma once
// A viewer's steps in the runner's dialogs: typing a password and confirming
// it, and answering the message box that follows a wrong one.

#include <windows.h>

#include <string>

namespace vnx::test {

enum class Confirm { Enter, OkButton };

inline constexpr int kPasswordEditId = 101, kPasswordLabelId = 4, kPasswordOkId = 102, kPasswordCancelId = 103;

// The password dialog of the process, captioned with the screen name.
HWND WaitForPasswordDialog(DWORD processId, const std::string& caption);
// Clicks into the edit control, types the text and confirms it.
void AnswerPassword(HWND dialog, const std::string& text, Confirm confirm = Confirm::Enter);
// The text of the message box captioned "Error", closed with its button;
// empty when none came.
std::string AnswerErrorBox(DWORD processId);

}  // namespace vnx::test
