#include "window/set_text_command.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

using Kind = SetTextCommand::Kind;

TEST(SetTextCommand, CommandsAndTheirVerbs) {
  struct Case {
    std::uintptr_t channel;
    const char* text;
    Kind kind;
    bool early;
    unsigned id;
  } const cases[] = {
      {0, "pcommand:setup", Kind::Command, true, 130},
      {0, "pcommandw:setup", Kind::Command, false, 130},
      {0, "PCommandW:SETUP", Kind::Command, false, 130},
      {0, "pcommand:Minimize", Kind::Command, true, 131},
      {0, "pcommand:fullscreen", Kind::Command, true, 132},
      {0, "pcommand:nofullscreen", Kind::Command, true, 133},
      {0, "pcommand: setup", Kind::Command, true, 0},  // a blank makes an unknown verb
      {0, "pcommand:setup ", Kind::Command, true, 0},
      {0, "pcommand:", Kind::Command, true, 0},
      {1, "pcommand:setup", Kind::Caption, false, 0},  // channel 1 carries no commands
      {2, "pcommand:setup", Kind::Caption, false, 0},
      {0, "say pcommand:setup", Kind::Caption, false, 0},
      {0, "pcommand", Kind::Caption, false, 0},
      {0, "", Kind::Caption, false, 0},
  };
  for (const Case& c : cases) {
    const SetTextCommand result = ParseSetTextCommand(c.channel, c.text, "IExplore", "WWW_OpenURL");
    EXPECT_EQ(result.kind, c.kind) << c.text;
    EXPECT_EQ(result.releaseSenderEarly, c.early) << c.text;
    EXPECT_EQ(result.commandId, c.id) << c.text;
  }
}

TEST(SetTextCommand, DdeRequests) {
  struct Case {
    std::uintptr_t channel;
    const char* text;
    const char* application;
    const char* topic;
    bool valid;
  } const cases[] = {
      {0, "dde:IExplore:WWW_OpenURL:\"http://x/\",,0", "IExplore", "WWW_OpenURL", true},
      {1, "DDE:IExplore:WWW_OpenURL:http://x/", "IExplore", "WWW_OpenURL", true},       // unquoted: implicit blank
      {0, "dde:IExplore:WWW_OpenURL:\"http://x/\"", "IExplore", "WWW_OpenURL", false},  // nothing after the quote
      {0, "dde:IExplore:WWW_OpenURL:\"http://x/", "IExplore", "WWW_OpenURL", false},    // no closing quote
      {0, "dde:IExplore:WWW_OpenURL:  \"a\" b  ", "IExplore", "WWW_OpenURL", true},
      {0, "dde:iexplore:WWW_OpenURL:http://x/", "IExplore", "WWW_OpenURL", false},  // names keep their case
      {0, "dde:IExplore:http://x/", "IExplore", "WWW_OpenURL", false},
      {2, "dde:IExplore:WWW_OpenURL:http://x/", "IExplore", "WWW_OpenURL", false},
      {0, "dde:::http://x/", "", "", true},  // no association: two colons pass
      {0, "dde:a:b:x", "", "", false},
  };
  for (const Case& c : cases) {
    const SetTextCommand result = ParseSetTextCommand(c.channel, c.text, c.application, c.topic);
    EXPECT_EQ(result.kind == Kind::DdeRequest, c.valid) << c.text;
  }
}

}  // namespace
}  // namespace vnx
