#include "runner/startup_trace.h"

#include <windows.h>

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

// "<milliseconds>.<three digits>", formatted by hand: the C library's
// printf with floating point would add a fifth to the release runner's size.
std::string MillisecondsNow() {
  LARGE_INTEGER counter{}, frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  const auto ticks = static_cast<unsigned long long>(counter.QuadPart);
  const auto perSecond = static_cast<unsigned long long>(frequency.QuadPart);
  const unsigned long long micro = ticks / perSecond * 1000000 + ticks % perSecond * 1000000 / perSecond;
  const std::string fraction = std::to_string(micro % 1000 + 1000);  // "1ddd"
  return std::to_string(micro / 1000) + "." + fraction.substr(1);
}

}  // namespace

void TraceStartup(const char* phase) {
  static const std::string file = TraceFile();
  if (file.empty()) return;
  const std::string line = std::string(phase) + " " + MillisecondsNow() + "\n";
  const UniqueFileHandle out(CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (out) WriteFile(out.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace vnx
