#pragma once
// MCI with one sequencer, for the music tests: it opens any file that
// exists (and holds it open, as MCI does, so it cannot be deleted before the
// close), plays until the test ends the play, and posts MM_MCINOTIFY as MCI
// does: successful at the end of a play, superseded by a newer play, aborted
// by a stop, a seek or a close. Every command is recorded.

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "common/handle.h"
#include "sound/sound_seams.h"

namespace vnx::test {

class FakeMci {
 public:
  struct Command {
    UINT Message;
    DWORD Flags;
    DWORD Position;  // where a play started
  };

  void Install(SoundSeams& seams);

  // The play in progress reaches the end of the file.
  void FinishPlay();
  bool Playing() const { return device_.Playing; }
  std::vector<UINT> Messages() const;  // the commands' messages in order
  int Count(UINT message) const;

  MCIERROR OpenError = 0;      // the answer to every open
  bool ErrorTextKnown = true;  // mciGetErrorString has a text for it
  DWORD Length = 4000;
  std::vector<Command> Commands;
  std::atomic<int> Plays{0};

 private:
  struct Device {
    bool Open = false, Playing = false;
    DWORD Position = 0;
    HWND Pending = nullptr;  // the window of the play waiting for its notification
    UniqueFileHandle File;
  };
  MCIERROR Send(MCIDEVICEID device, UINT message, DWORD flags, DWORD_PTR parameters);
  void Notify(WPARAM outcome);
  void Wait(DWORD flags, DWORD_PTR parameters);

  static constexpr MCIDEVICEID kDevice = 7;
  Device device_;
};

}  // namespace vnx::test
