#pragma once
// Program entry, the lifecycle of one TfrmMain and its orderly shutdown.

namespace vnx {

class TfrmMain;

// Runs lifecycles while RestartRequested is set; returns the process exit
// code (1 when an exception ended the program before its message loop).
int RunRunnerProcess();
void RunLifecycle();
void ShutdownMainForm(TfrmMain& form);

}  // namespace vnx
