#pragma once
// What one session obtains from the system, held from the moment it is
// obtained until the session's cleanup gives it back in its own order.

#include <windows.h>

#include <optional>
#include <string>

#include "common/handle.h"
#include "sound/saved_sound.h"
#include "window/saver_covers.h"

namespace vnx {

struct SessionHolders {
  UniqueGlobalAtom StartupAtom;     // "aakq " + the executable's name, while the session runs
  UniqueKernelHandle StartupMutex;  // open from the wait until the directory is claimed
  bool StartupMutexOwned = false;   // the wait succeeded; released with the handle
  UniqueFileHandle WorkDirClaim;    // the working directory's claim file, open until just before its removal
  UniqueKernelHandle Mapping;       // the control block's file mapping
  UniqueMappedView ControlBlockView;
  UniqueLibrary Engine;
  HHOOK KeyboardHook = nullptr, MouseHook = nullptr, CbtHook = nullptr, GetMessageHook = nullptr;
  std::string ProjectorPath;             // formed by the projector launch
  std::optional<SavedSound> MutedSound;  // the mute step silenced the machine; the cleanup gives this back
  std::optional<SaverCovers> Covers;     // as the screen saver, from the show on; no window on one monitor
};

// Gives the start-up mutex back (released when owned) and closes its handle.
inline void LetGoOfStartupMutex(SessionHolders& holders) {
  if (holders.StartupMutexOwned) ReleaseMutex(holders.StartupMutex.get());
  holders.StartupMutexOwned = false;
  holders.StartupMutex.reset();
}

}  // namespace vnx
