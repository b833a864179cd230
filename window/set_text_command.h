#pragma once
// The presentation's text channel: a WM_SETTEXT whose text is a command
// ("pcommand:" or "pcommandw:" and a verb) or a request for the browser
// ("dde:" application ":" topic ":" address). Anything else is a caption.

#include <cstdint>
#include <string>
#include <string_view>

namespace vnx {

struct SetTextCommand {
  enum class Kind { Caption, Command, DdeRequest };
  Kind kind = Kind::Caption;
  bool releaseSenderEarly = false;  // "pcommand:": the sender need not wait
  unsigned commandId = 0;           // WM_COMMAND id to post; 0 for an unknown verb
};

SetTextCommand ParseSetTextCommand(std::uintptr_t channel, std::string_view text, std::string_view ddeApplication,
                                   std::string_view ddeTopic);

}  // namespace vnx
