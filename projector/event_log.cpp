#include "projector/event_log.h"

#include <windows.h>

#include <cstdio>
#include <optional>

#include "common/handle.h"
#include "contract/projector.h"
#include "projector/log_format.h"

namespace vnx {
namespace {

std::optional<std::string> EnvironmentValue(const char* name) {
  std::string value(256, '\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();  // set, but empty
    }
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.resize(length);  // the size needed, terminating NUL included
  }
}

std::string CurrentDirectory() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(path.size()), path.data());
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length);
  }
}

void RecordVariable(const EventLog& log, const char* name) {
  if (const auto value = EnvironmentValue(name))
    log.Write(std::string("env:") + name, *value);
  else
    log.Write("env-unset", name);
}

}  // namespace

void EventLog::Open(std::string path) {
  path_ = std::move(path);
  UniqueFileHandle fresh(CreateFileA(path_.c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
}

void EventLog::Write(std::string_view key, std::string_view value) const {
  if (path_.empty()) return;
  UniqueFileHandle file(CreateFileA(path_.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const std::string line = LogLine(key, value);
  DWORD written = 0;
  WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void RecordStartup(const EventLog& log, const std::vector<std::string>& extraVariables) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  char flags[16];
  std::snprintf(flags, sizeof flags, "0x%08lX", startup.dwFlags);
  log.Write("process", std::to_string(GetCurrentProcessId()));
  log.Write("startup-flags", flags);
  log.Write("startup-position",
            (startup.dwFlags & STARTF_USEPOSITION)
                ? std::to_string(static_cast<LONG>(startup.dwX)) + "," + std::to_string(static_cast<LONG>(startup.dwY))
                : "none");
  log.Write("startup-show",
            (startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_string(startup.wShowWindow) : std::string("none"));
  log.Write("current-dir", CurrentDirectory());
  for (const char* name : kProjectorVariables) RecordVariable(log, name);
  for (const std::string& name : extraVariables) RecordVariable(log, name.c_str());
}

}  // namespace vnx
