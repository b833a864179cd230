// The runner's program entry.

#include <windows.h>

#include "runner/lifecycle.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return vnx::RunRunnerProcess(); }
