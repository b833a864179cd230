#pragma once
// TMediaPlayer: a small non-visual MCI player. It opens one file (MCI picks
// the device from the extension: the sequencer for ".mid" and ".rmi"),
// plays, stops, rewinds and closes it, and turns MM_MCINOTIFY into its
// OnNotify event.

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace vnx {

class EMCIDeviceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TMediaPlayer {
 public:
  // NotifyResult values: the last notification's outcome.
  static constexpr std::uint8_t kNotifySuccessful = 0, kNotifySuperseded = 1, kNotifyAborted = 2, kNotifyFailure = 3;
  // GetMode's answer while the device plays.
  static constexpr std::uint32_t kModePlaying = MCI_MODE_PLAY - MCI_MODE_NOT_READY;

  TMediaPlayer() = default;
  TMediaPlayer(const TMediaPlayer&) = delete;
  TMediaPlayer& operator=(const TMediaPlayer&) = delete;
  virtual ~TMediaPlayer();  // closes an open device

  // Each command stores its MCI result in LastError. Wait and Notify are a
  // one-shot choice for the next command that consults them; without it the
  // command's own default applies.
  void Open();  // raises EMCIDeviceError with the MCI error text
  void Close();
  MCIERROR Play();  // rewinds first when at the end (AutoRewind); never raises but for "Device Not Open"
  void Stop();
  void Rewind();
  std::uint32_t GetMode();  // the MCI mode minus MCI_MODE_NOT_READY; 0 when not open
  void SetNotify(bool notify);
  // MM_MCINOTIFY's WParam: records the outcome, then OnNotify runs.
  void HandleNotify(WPARAM flags);

  std::function<void(TMediaPlayer& sender)> OnNotify;
  bool IsOpen = false;
  bool Wait = false, WaitGiven = false;
  bool Notify = false, NotifyGiven = false;
  MCIDEVICEID DeviceId = 0;
  MCIERROR LastError = 0;
  std::uint8_t NotifyResult = kNotifySuccessful;
  std::string MediaFile;
  bool AutoRewind = true;
  HWND NotifyWindow = nullptr;  // receives MM_MCINOTIFY

 protected:
  virtual void DoNotify();

 private:
  DWORD WaitAndNotifyFlags(bool waitByDefault, bool notifyByDefault);
  MCIERROR Send(MCIDEVICEID device, UINT command, DWORD flags, void* parameters);
  void RequireOpen() const;
  std::optional<DWORD> Status(DWORD item);
  [[noreturn]] void RaiseLastError() const;
};

}  // namespace vnx
