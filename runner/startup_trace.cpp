#include "runner/startup_trace.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "common/handle.h"
#include "contract/shared_names.h"

namespace vnx {
namespace {

std::string TraceFile() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableA(kStartupTraceVariable, path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

double MillisecondsNow() {
  LARGE_INTEGER counter{}, frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

void TraceStartup(const char* phase) {
  static const std::string file = TraceFile();
  if (file.empty()) return;
  const double now = MillisecondsNow();
  char line[96];
  const int length = std::snprintf(line, sizeof line, "%s %.3f\n", phase, now);
  const UniqueFileHandle out(CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (out && length > 0) WriteFile(out.get(), line, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace vnx
