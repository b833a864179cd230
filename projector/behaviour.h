#pragma once
// What projector.behave, a file next to the projector, tells it to do. Tests
// use it to make the projector misbehave and to have it record what happened
// to it. One keyword a line:
//
//   no-window          never open a window; keep running until ended
//   no-sizing-frame    open the window without a sizing frame
//   dpi-aware          declare awareness of the system's scaling, as a
//                      projector's manifest can; without it, none
//   german             menu captions "&Ansicht" / "&Vollbild"
//   portuguese         menu captions "&Exibir" / "&Tela Inteirathen"
//   command-id N       the full-screen item's command id (1-65535)
//   log [PATH]         record events in PATH (default projector.log next to
//                      the projector; a relative PATH is taken from there)
//   env NAME           also record environment variable NAME
//   exit-at-once N     end at once with exit code N (0-255), before any
//                      window, as a projector that fails to start does
//   hang-after MS      MS milliseconds (1-600000) after its window opens,
//                      stop answering messages for good, as a hung program
//
// Every keyword but "env" may appear once.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "projector/menu_texts.h"

namespace vnx {

inline constexpr char kBehaviourFileName[] = "projector.behave";
inline constexpr char kDefaultLogFileName[] = "projector.log";

struct ProjectorBehaviour {
  bool OpenWindow = true;
  bool SizingFrame = true;
  bool DpiAware = false;
  MenuLanguage Language = MenuLanguage::English;
  std::uint16_t FullScreenCommand = kProjectorFullScreenCommand;
  bool Log = false;
  std::string LogPath;  // as written; empty for the default file
  std::vector<std::string> ExtraVariables;
  std::optional<std::uint8_t> ExitAtOnce;  // the exit code
  std::optional<std::uint32_t> HangAfter;  // milliseconds after the window opens
};

// A line projector.behave does not understand:
// "projector.behave line <n>: <what is wrong>".
class EBehaviourError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

ProjectorBehaviour ParseBehaviour(std::string_view text);

// Where the log goes: LogPath when absolute ("C:\..." or "\\server\..."),
// otherwise programDirectory (ending in "\") followed by LogPath or the
// default name.
std::string LogFilePath(const ProjectorBehaviour& behaviour, std::string_view programDirectory);

}  // namespace vnx
