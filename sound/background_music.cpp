#include "sound/background_music.h"

#include <windows.h>

#include <climits>
#include <exception>

#include "runner/frm_main.h"
#include "runner/pump.h"
#include "sound/media_player.h"

namespace vnx {
namespace {

std::string MusicPath(const TfrmMain& runner) {
  if (runner.MusicFile.find('\\') != std::string::npos) return runner.MusicFile;
  return runner.MusicFile.empty() || runner.WorkDir.empty() ? std::string() : runner.WorkDir + runner.MusicFile;
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

void PlayMusic(TfrmMain& runner) {
  const std::string path = MusicPath(runner);
  if (path.empty() || !IsFile(path)) return;
  TMediaPlayer& player = runner.MusicPlayer;
  try {
    player.NotifyWindow = runner.MainWindow;
    player.MediaFile = path;
    player.Open();
    if (runner.MidiLoop.Value) player.OnNotify = [&runner](TMediaPlayer& sender) { MusicNotify(runner, sender); };
    player.SetNotify(true);
    player.Play();
  } catch (...) {
    // No MIDI device, or a file MCI cannot play: the presentation goes on
    // without music.
  }
}

void MusicNotify(TfrmMain& runner, TMediaPlayer& player) {
  if (runner.Midi.Value) return;
  // A superseded play was cut off by a newer one, which is playing and
  // brings its own notification; playing again would cut that one off.
  if (player.NotifyResult == TMediaPlayer::kNotifySuperseded) return;
  if (runner.MidiLoopTimes > INT_MIN) --runner.MidiLoopTimes;
  player.SetNotify(true);
  if (runner.MidiLoopTimes > 0) player.Play();
}

void StopMusic(TfrmMain& runner) {
  std::exception_ptr failure;
  const auto pump = [&failure] {
    try {
      PumpPending();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  };
  TMediaPlayer& player = runner.MusicPlayer;
  runner.Midi.Value = true;  // the notifications of the stop start no further play
  if (player.GetMode() == TMediaPlayer::kModePlaying) player.Stop();
  pump();  // the aborted play's notification arrives now
  player.Close();
  pump();
  const std::string path = MusicPath(runner);
  if (!path.empty()) DeleteFileA(path.c_str());
  if (failure) std::rethrow_exception(failure);
}

}  // namespace vnx
