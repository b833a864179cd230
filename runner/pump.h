#pragma once
// The runner's only message pump. Every waiting loop calls PumpPending
// between its sleeps so that the main window keeps answering.

#include <windows.h>

#include <functional>

namespace vnx {

// Offered every message the pump removes from the queue before it is
// translated and dispatched; a message marked handled is not dispatched.
// Empty except while the running session has its close filter installed.
using MessageFilterProc = std::function<void(MSG& message, bool& handled)>;
extern MessageFilterProc MessageFilter;

// Handles at most one queued message; false when the queue was empty. An
// exception parked by a window procedure is rethrown once dispatch returns.
bool PumpOne();
void PumpPending();

// Blocks until a message arrives or maxMilliseconds pass, so that a loop with
// nothing else to do does not burn a processor.
void WaitForMessage(DWORD maxMilliseconds);

// Longest sleep of an idle pumping loop; a message ends it at once.
inline constexpr DWORD kIdleWaitMilliseconds = 50;

// One turn of a loop that only pumps: handles a message or, on an empty
// queue, waits for the next one for at most maxMilliseconds.
void PumpOrWait(DWORD maxMilliseconds);

}  // namespace vnx
