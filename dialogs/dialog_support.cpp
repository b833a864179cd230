#include "dialogs/dialog_support.h"

#include "runner/process_state.h"
#include "runner/pump.h"

namespace vnx {

UniqueGdiObject CreateLabelFont() {
  return UniqueGdiObject(CreateFontA(12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif"));
}

HICON LoadMainIcon() { return LoadIconA(GetModuleHandleA(nullptr), "MAINICON"); }

void RunDialogLoop(HWND dialog) {
  while (dialog && IsWindow(dialog) && !QuitRequested) PumpOrWait(kIdleWaitMilliseconds);
}

}  // namespace vnx
