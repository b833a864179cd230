#pragma once
// What the password and Setup dialogs share: their bold label font, the
// program icon, the loop that keeps the whole thread answering while a
// dialog is up, and the scope that ties a dialog window to its object.

#include <windows.h>

#include "common/handle.h"

namespace vnx {

// Height 12, weight 700, face "MS Sans Serif".
UniqueGdiObject CreateLabelFont();
// "MAINICON" of the program's own module; shared, never destroyed.
HICON LoadMainIcon();
// Pumps every message of the thread until the dialog window is gone or a
// WM_QUIT arrived; waits for messages instead of spinning.
void RunDialogLoop(HWND dialog);

// Sets a dialog's process-wide pointer for as long as its object lives, and
// destroys a dialog window that is still there when the object goes (a quit
// or an error), so that no dialog outlives its object.
template <class Dialog>
class CurrentDialogScope {
 public:
  CurrentDialogScope(Dialog*& current, Dialog& dialog) : current_(current), dialog_(dialog) { current_ = &dialog_; }
  ~CurrentDialogScope() {
    if (dialog_.DialogWindow && IsWindow(dialog_.DialogWindow)) DestroyWindow(dialog_.DialogWindow);
    current_ = nullptr;
  }
  CurrentDialogScope(const CurrentDialogScope&) = delete;
  CurrentDialogScope& operator=(const CurrentDialogScope&) = delete;

 private:
  Dialog*& current_;
  Dialog& dialog_;
};

}  // namespace vnx
