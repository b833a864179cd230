// The runner's main loop while nothing happens, for 5 seconds:
//   idle_cpu_bench polling   the plain polling pump (PeekMessage, Sleep(0))
//   idle_cpu_bench waiting   the runner's pump, which waits for the next message
// Under Wine much of a poll's cost lands in wineserver, so bench/run_idle_cpu.sh
// measures this process and wineserver from outside.

#include <windows.h>

#include <cstring>

#include "runner/pump.h"

int main(int argc, char** argv) {
  const bool polling = argc > 1 && std::strcmp(argv[1], "polling") == 0;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 5000) {
    if (polling)
      vnx::PumpOne();
    else
      vnx::PumpOrWait(vnx::kIdleWaitMilliseconds);
  }
  return 0;
}
