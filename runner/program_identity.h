#pragma once
// The runner's identity from its command line: what it is asked to do, and
// (session/exe_name.h) its executable's name and the stem under which its
// per-user values are kept.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "session/exe_name.h"

namespace vnx {

// Splits a command line the way the runner's arguments are numbered: blanks
// and control characters separate, double quotes group and are dropped.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// What the command line asks of the runner. Windows starts a screen saver
// with "/s" (run it), "/c", "/c HWND" or "/c:HWND" (its settings, owned by
// that window), "/p HWND" (a still preview inside a host window) or, on old
// systems, "/a HWND" (change a password); "-" may stand for "/" and letter
// case varies. No argument, "/s" and anything else run the presentation;
// only "/s" runs it as the screen saver, which lets the monitor sleep. A
// ".scr" without arguments is a person's double-click or the settings'
// "Configure", never the system's idle timeout: a presentation as ever.
enum class StartMode { Presentation, Setup, Nothing };
struct StartRequest {
  StartMode Mode = StartMode::Presentation;
  std::uint32_t OwnerWindow = 0;    // Setup: the window given with "/c", 0 when none
  bool ScreenSaver = false;         // Presentation: run as the system's screen saver
  std::uint32_t PreviewWindow = 0;  // Nothing: the host window given with "/p", 0 when none
};
// The arguments as SplitCommandLine gives them, the program's name first.
StartRequest ParseStartRequest(const std::vector<std::string>& arguments);
// The directory of a program path without its trailing "", except for a
// drive's root ("C:").
std::string ProgramDirectory(std::string_view programPath);

}  // namespace vnx
