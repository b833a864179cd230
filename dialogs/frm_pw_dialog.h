#pragma once
// The password lock's dialog. One object per attempt; while it exists,
// CurrentPasswordDialog refers to it, since the dialog procedure and the
// edit control's procedure reach it only through that pointer.

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/handle.h"

namespace vnx {

class TfrmMain;

class TfrmPWDialog {
 public:
  HWND DialogWindow = nullptr;
  HWND PasswordEdit = nullptr;  // id 101
  HICON DialogIcon = nullptr;
  std::int16_t DialogWidth = 0, DialogHeight = 0;  // outer size, measured at initialisation
  UniqueGdiObject LabelFont;
  std::string EnteredText;
  std::int32_t Accepted = 0;  // 1 when confirmed by OK or Enter
};

extern TfrmPWDialog* CurrentPasswordDialog;

// Shows the dialog once, owned by the runner's dialog owner, and pumps the
// thread until it ends. The typed text when confirmed (at most 1023
// characters), otherwise kCancelMarker.
std::string AskPassword(TfrmMain& runner);

// The lock: true when it is off or a password typed in up to three
// attempts matches; false on cancel or after three wrong ones, each wrong
// one answered by the presentation's "PWrong" message.
bool CheckPassword(TfrmMain& runner);

}  // namespace vnx
