#pragma once
// The Setup dialog's object. While a Setup dialog exists, SetupDialog refers
// to it; the main window procedure closes it or gives it the focus.

#include <windows.h>

namespace vnx {

class TfrmSetup {
 public:
  HWND DialogWindow = nullptr;
};

extern TfrmSetup* SetupDialog;

}  // namespace vnx
