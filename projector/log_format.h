#pragma once
// The stand-in projector's event log, for tests: one "key=value" line per
// event, appended in the order things happened. A key may repeat; readers
// usually want its last value. The keys:
//
//   process            the projector's process id
//   startup-flags      STARTUPINFO dwFlags, "0x" and eight hex digits
//   startup-position   "x,y" when STARTF_USEPOSITION is set, else "none"
//   startup-show       wShowWindow when STARTF_USESHOWWINDOW is set, else "none"
//   current-dir        the current directory at start
//   env:NAME           an environment variable's value ...
//   env-unset          ... or its name when it is not set
//   slide-title, slide-colour, stage, slide-warning   what slide.txt gave
//   window             the window handle, decimal ("none" with no-window)
//   window-class       the class name as registered
//   window-position    "x,y" of the window's outer rectangle after creation
//   sizable            "yes" or "no"
//   full-screen-command   the command id of the full-screen menu item
//   menu-item          "menu caption|item caption|id" for every item of the
//                      menu bar as the window has it ("-" for a separator)
//   parent             the parent window, decimal, 0 for a top-level window;
//   client-size        "WxH"; both written together whenever either changed
//   full-screen        "on" or "off", each time the command switches it
//   command-ignored    a WM_COMMAND id the projector does not know
//   system-command     "monitor-power" or "screen-save": that WM_SYSCOMMAND
//                      reached the window procedure
//   close              "WM_CLOSE" when the window was asked to close
//   quit               the exit code of a WM_QUIT that reached the thread
//   error              why the projector gave up
//   exit               the exit code

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vnx {

struct LogEntry {
  std::string Key, Value;
};

// "key=value" and CR LF; a line break inside the value becomes a blank so
// that one event stays one line.
std::string LogLine(std::string_view key, std::string_view value);

// Every "key=value" line of the log; lines without "=" are skipped.
std::vector<LogEntry> ParseLog(std::string_view text);

std::optional<std::string> LastLogValue(const std::vector<LogEntry>& log, std::string_view key);
std::vector<std::string> LogValues(const std::vector<LogEntry>& log, std::string_view key);

}  // namespace vnx
