#pragma once
// A projector the runner can neither show nor close is ended: one that opened
// no window in time, and one that stopped answering messages after the
// viewer closed the presentation. Left running, either would stay for good:
// out of sight, holding its file in the working directory, and a hung one
// with the runner's frame still on the screen.

#include <windows.h>

namespace vnx {

struct TfrmMain;

// How long a closed projector may take to end before it counts as hung
// when it answers no message either.
inline constexpr DWORD kProjectorCloseGrace = 5000;

// Ends the process and waits (briefly) until it is gone, so that the
// cleanup can delete its file.
void EndProjector(HANDLE process);

// Posts WM_CLOSE to the projector's window, and remembers when the first
// such request of the session went out.
void AskProjectorToClose(TfrmMain& runner);

// Ends a projector that was asked to close at least the grace time ago, has
// not ended and answers no message within a second.
void EndProjectorIfHung(TfrmMain& runner);

}  // namespace vnx
