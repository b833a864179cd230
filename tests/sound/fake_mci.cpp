#include "tests/sound/fake_mci.h"

#include <algorithm>

namespace vnx::test {

void FakeMci::Install(SoundSeams& seams) {
  seams.SendMciCommand = [this](MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
    return Send(device, message, static_cast<DWORD>(flags), parameters);
  };
  seams.GetMciErrorString = [this](MCIERROR error, LPSTR text, UINT length) {
    if (!ErrorTextKnown || length == 0) return FALSE;
    lstrcpynA(text, ("MCI error " + std::to_string(error)).c_str(), static_cast<int>(length));
    return TRUE;
  };
}

void FakeMci::Notify(WPARAM outcome) {
  if (device_.Pending) PostMessageA(device_.Pending, MM_MCINOTIFY, outcome, kDevice);
  device_.Pending = nullptr;
}

// A command sent with MCI_NOTIFY reports its own end at once, but for play.
void FakeMci::Wait(DWORD flags, DWORD_PTR parameters) {
  if (flags & MCI_NOTIFY)
    PostMessageA(reinterpret_cast<HWND>(reinterpret_cast<MCI_GENERIC_PARMS*>(parameters)->dwCallback), MM_MCINOTIFY,
                 MCI_NOTIFY_SUCCESSFUL, kDevice);
}

MCIERROR FakeMci::Send(MCIDEVICEID device, UINT message, DWORD flags, DWORD_PTR parameters) {
  Commands.push_back({message, flags, device_.Position});
  if (message == MCI_OPEN) {
    auto& open = *reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
    if (device != 0 || !(flags & MCI_OPEN_ELEMENT)) return MCIERR_UNRECOGNIZED_COMMAND;
    if (OpenError) return OpenError;
    UniqueFileHandle file(
        CreateFileA(open.lpstrElementName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return MCIERR_FILE_NOT_FOUND;
    device_ = {};
    device_.Open = true;
    device_.File = std::move(file);
    open.wDeviceID = kDevice;
    Wait(flags, parameters);
    return 0;
  }
  if (device != kDevice || !device_.Open) return MCIERR_INVALID_DEVICE_ID;
  switch (message) {
    case MCI_PLAY:
      Notify(MCI_NOTIFY_SUPERSEDED);
      device_.Playing = true;
      if (flags & MCI_NOTIFY)
        device_.Pending = reinterpret_cast<HWND>(reinterpret_cast<MCI_PLAY_PARMS*>(parameters)->dwCallback);
      ++Plays;
      return 0;
    case MCI_STOP:
    case MCI_SEEK:
      if (device_.Playing) Notify(MCI_NOTIFY_ABORTED);
      device_.Playing = false;
      if (message == MCI_SEEK) device_.Position = 0;
      Wait(flags, parameters);
      return 0;
    case MCI_CLOSE:
      Notify(MCI_NOTIFY_ABORTED);
      device_ = {};
      Wait(flags, parameters);
      return 0;
    case MCI_STATUS: {
      auto& status = *reinterpret_cast<MCI_STATUS_PARMS*>(parameters);
      if (status.dwItem == MCI_STATUS_MODE)
        status.dwReturn = device_.Playing ? MCI_MODE_PLAY : MCI_MODE_STOP;
      else if (status.dwItem == MCI_STATUS_POSITION)
        status.dwReturn = device_.Position;
      else if (status.dwItem == MCI_STATUS_LENGTH)
        status.dwReturn = Length;
      else
        return MCIERR_UNSUPPORTED_FUNCTION;
      return 0;
    }
    default: return MCIERR_UNRECOGNIZED_COMMAND;
  }
}

void FakeMci::FinishPlay() {
  if (!device_.Playing) return;
  device_.Playing = false;
  device_.Position = Length;
  Notify(MCI_NOTIFY_SUCCESSFUL);
}

std::vector<UINT> FakeMci::Messages() const {
  std::vector<UINT> messages;
  for (const Command& command : Commands) messages.push_back(command.Message);
  return messages;
}

int FakeMci::Count(UINT message) const {
  return static_cast<int>(std::count_if(Commands.begin(), Commands.end(),
                                        [message](const Command& command) { return command.Message == message; }));
}

}  // namespace vnx::test
