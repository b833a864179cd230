#include "sound/media_player.h"

#include "sound/sound_seams.h"

namespace vnx {

TMediaPlayer::~TMediaPlayer() {
  if (DeviceId == 0) return;
  MCI_GENERIC_PARMS parameters{};
  SoundSystem().SendMciCommand(DeviceId, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parameters));
}

DWORD TMediaPlayer::WaitAndNotifyFlags(bool waitByDefault, bool notifyByDefault) {
  DWORD flags = 0;
  if (WaitGiven ? Wait : waitByDefault) flags |= MCI_WAIT;
  if (NotifyGiven ? Notify : notifyByDefault) flags |= MCI_NOTIFY;
  WaitGiven = NotifyGiven = false;
  return flags;
}

MCIERROR TMediaPlayer::Send(MCIDEVICEID device, UINT command, DWORD flags, void* parameters) {
  LastError = SoundSystem().SendMciCommand(device, command, flags, reinterpret_cast<DWORD_PTR>(parameters));
  return LastError;
}

void TMediaPlayer::RequireOpen() const {
  if (!IsOpen) throw EMCIDeviceError("Device Not Open");
}

void TMediaPlayer::RaiseLastError() const {
  char text[256] = {};
  if (SoundSystem().GetMciErrorString(LastError, text, sizeof text) && text[0]) throw EMCIDeviceError(text);
  throw EMCIDeviceError("Unknown MCI Error");
}

std::optional<DWORD> TMediaPlayer::Status(DWORD item) {
  MCI_STATUS_PARMS parameters{};
  parameters.dwItem = item;
  if (Send(DeviceId, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &parameters) != 0) return std::nullopt;
  return static_cast<DWORD>(parameters.dwReturn);
}

void TMediaPlayer::Open() {
  const DWORD flags = WaitAndNotifyFlags(true, false) | (MediaFile.empty() ? 0 : MCI_OPEN_ELEMENT);
  if (DeviceId != 0) Close();
  MCI_OPEN_PARMSA parameters{};
  parameters.dwCallback = reinterpret_cast<DWORD_PTR>(NotifyWindow);
  parameters.lpstrElementName = MediaFile.c_str();
  if (Send(0, MCI_OPEN, flags, &parameters) != 0) RaiseLastError();
  IsOpen = true;
  DeviceId = parameters.wDeviceID;
}

void TMediaPlayer::Close() {
  if (DeviceId == 0) return;
  MCI_GENERIC_PARMS parameters{};
  parameters.dwCallback = reinterpret_cast<DWORD_PTR>(NotifyWindow);
  if (Send(DeviceId, MCI_CLOSE, WaitAndNotifyFlags(true, false), &parameters) != 0) return;
  IsOpen = false;
  DeviceId = 0;
}

MCIERROR TMediaPlayer::Play() {
  RequireOpen();
  if (AutoRewind) {
    const std::optional<DWORD> position = Status(MCI_STATUS_POSITION);
    const std::optional<DWORD> length = position ? Status(MCI_STATUS_LENGTH) : std::nullopt;
    if (length && *position == *length) Rewind();
  }
  MCI_PLAY_PARMS parameters{};
  parameters.dwCallback = reinterpret_cast<DWORD_PTR>(NotifyWindow);
  return Send(DeviceId, MCI_PLAY, WaitAndNotifyFlags(false, true), &parameters);
}

void TMediaPlayer::Stop() {
  RequireOpen();
  MCI_GENERIC_PARMS parameters{};
  parameters.dwCallback = reinterpret_cast<DWORD_PTR>(NotifyWindow);
  Send(DeviceId, MCI_STOP, WaitAndNotifyFlags(true, false), &parameters);
}

void TMediaPlayer::Rewind() {
  RequireOpen();
  MCI_SEEK_PARMS parameters{};
  Send(DeviceId, MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &parameters);
}

std::uint32_t TMediaPlayer::GetMode() {
  if (!IsOpen) return 0;
  const std::optional<DWORD> mode = Status(MCI_STATUS_MODE);
  return mode && *mode >= MCI_MODE_NOT_READY ? *mode - MCI_MODE_NOT_READY : 0;
}

void TMediaPlayer::SetNotify(bool notify) {
  Notify = notify;
  NotifyGiven = true;
}

void TMediaPlayer::HandleNotify(WPARAM flags) {
  switch (flags) {
    case MCI_NOTIFY_SUCCESSFUL: NotifyResult = kNotifySuccessful; break;
    case MCI_NOTIFY_SUPERSEDED: NotifyResult = kNotifySuperseded; break;
    case MCI_NOTIFY_ABORTED: NotifyResult = kNotifyAborted; break;
    case MCI_NOTIFY_FAILURE: NotifyResult = kNotifyFailure; break;
    default: break;
  }
  DoNotify();
}

void TMediaPlayer::DoNotify() {
  if (OnNotify) OnNotify(*this);
}

}  // namespace vnx
