#pragma once
// Starting the projector in its prepared environment, taking its window
// over, showing the presentation, and watching the projector until it ends.

#include <windows.h>

#include <string>

namespace vnx {

class TfrmMain;
struct SessionHolders;

// Returns when the projector has ended, or earlier when the session cannot
// go on (no projector, no process, no window within 11 seconds).
void LaunchProjector(TfrmMain& runner, SessionHolders& holders);
void RunBeforeShow(TfrmMain& runner);

// True when the file's version resource gives product version 6 or later.
bool HasProductVersion6(const std::string& path);

}  // namespace vnx
