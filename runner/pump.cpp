#include "runner/pump.h"

#include "common/callback_guard.h"
#include "runner/process_state.h"

namespace vnx {

MessageFilterProc MessageFilter;

bool PumpOne() {
  MSG message;
  if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    // Messages sent from other threads are handled inside PeekMessage itself.
    RethrowParkedCallbackException();
    Sleep(0);
    return false;
  }
  if (message.message == WM_QUIT) {
    QuitRequested = true;
    RethrowParkedCallbackException();
    return true;
  }
  bool handled = false;
  if (MessageFilter) MessageFilter(message, handled);
  if (!handled) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  RethrowParkedCallbackException();
  return true;
}

void PumpPending() {
  while (PumpOne()) {
  }
}

void WaitForMessage(DWORD maxMilliseconds) {
  MsgWaitForMultipleObjectsEx(0, nullptr, maxMilliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void PumpOrWait(DWORD maxMilliseconds) {
  if (!PumpOne()) WaitForMessage(maxMilliseconds);
}

}  // namespace vnx
