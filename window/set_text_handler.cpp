// WM_SETTEXT as the presentation's command channel. Commands are only posted,
// so their effect (a modal Setup dialog, say) never runs while a sender is
// still blocked in SendMessage.

#include "contract/control_block.h"
#include "runner/frm_main.h"
#include "window/handlers.h"
#include "window/set_text_command.h"

namespace vnx {

Handled HandleSetText(TfrmMain& runner, WPARAM channel, const char* text) {
  if (!text) return kThenDefault;
  std::string application, topic;
  if (runner.ControlBlock) {
    application = ReadShortString(runner.ControlBlock->DdeApplication);
    topic = ReadShortString(runner.ControlBlock->DdeTopic);
  }
  const SetTextCommand command = ParseSetTextCommand(channel, text, application, topic);
  switch (command.kind) {
    case SetTextCommand::Kind::Command:
      if (command.releaseSenderEarly) ReplyMessage(1);
      if (command.commandId != 0) PostMessageA(runner.MainWindow, WM_COMMAND, command.commandId, 0);
      return 1;
    case SetTextCommand::Kind::DdeRequest: return 1;
    case SetTextCommand::Kind::Caption: break;
  }
  return kThenDefault;
}

}  // namespace vnx
