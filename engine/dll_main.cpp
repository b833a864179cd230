// The library's entry point: it looks for its control block when it is
// loaded and lets go of what it holds when it is unloaded. At process exit
// nothing is touched (other threads are gone and the system cleans up).

#include <windows.h>

#include "engine/engine_process.h"
#include "engine/projector_message_watch.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) noexcept {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(module);
      vnx::engine::AttachToProcess(module);
      break;
    case DLL_PROCESS_DETACH:
      if (reserved == nullptr) {
        vnx::engine::RemoveProjectorMessageWatch();
        vnx::engine::DetachFromProcess();
      }
      break;
    default: break;
  }
  return TRUE;
}
