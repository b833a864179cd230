#pragma once
// The session's cleanup, every step in its order, each acting only on what
// the session obtained. It runs on every way out of the start-up once the
// start-up atom exists and never raises itself: an exception that a window
// procedure raised while the cleanup pumped messages is handed back for the
// caller to report after everything is cleaned up.

#include <exception>

namespace vnx {

class TfrmMain;
struct SessionHolders;

std::exception_ptr CleanUpSession(TfrmMain& runner, SessionHolders& holders);

}  // namespace vnx
