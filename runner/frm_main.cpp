#include "runner/frm_main.h"

namespace vnx {

TfrmMain* frmMain = nullptr;

TfrmMain::~TfrmMain() {
  // Normally ShutdownMainForm has destroyed the window; this covers a
  // lifecycle that ended by an exception.
  if (MainWindow && IsWindow(MainWindow)) DestroyWindow(MainWindow);
  if (PopupMenu && IsMenu(PopupMenu)) DestroyMenu(PopupMenu);
  if (frmMain == this) frmMain = nullptr;
}

}  // namespace vnx
