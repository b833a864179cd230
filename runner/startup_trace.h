#pragma once
// Timestamps of the start-up's phases for bench/startup. The runner writes
// them only when the environment variable VNX_STARTUP_TRACE names a file:
// one line "phase milliseconds" each, on the performance counter's clock,
// which every process of the machine shares. Without the variable a call
// costs one test of a flag read once.

namespace vnx {

void TraceStartup(const char* phase);

}  // namespace vnx
