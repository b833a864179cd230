#pragma once
// The engine library: the named control block it shares with the runner,
// the library itself with its seven exports, its hooks for every thread, and
// the two registered messages; and the teardown of all of it.

#include <string>

namespace vnx {

class TfrmMain;
struct SessionHolders;

// False when the session must end (the cleanup then tears down what exists).
bool BringUpEngine(TfrmMain& runner, SessionHolders& holders);
void TearDownEngine(TfrmMain& runner, SessionHolders& holders);

// The text of the box shown when the library does not load. It always names
// "pellamrun.dll", whatever the file is called.
std::string EngineLoadFailureText(bool fileExists, const std::string& systemMessage);

}  // namespace vnx
