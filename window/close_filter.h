#pragma once
// The graceful close: once the presentation is shown, the pump offers every
// message to this filter; the per-instance runner message with WParam 0 asks
// the projector to leave full screen, hide and close.

#include <windows.h>

namespace vnx {

class TfrmMain;

void CloseFilter(TfrmMain& runner, MSG& message, bool& handled);

}  // namespace vnx
