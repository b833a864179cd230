#pragma once
// The session's background music: started once the presentation is shown,
// repeated as the settings say, stopped and deleted by the session's cleanup.

namespace vnx {

class TfrmMain;
class TMediaPlayer;

// WM_RUNNER_PLAY_MUSIC: opens the music file and plays it once; with
// "MidiLoop" on, MusicNotify repeats it. A file that MCI cannot open leaves
// the presentation silent, without a message.
void PlayMusic(TfrmMain& runner);
// Runs after every MCI notification while repeating: counts MidiLoopTimes
// down and plays again from the beginning while it stays above 0.
void MusicNotify(TfrmMain& runner, TMediaPlayer& player);
// Stops and closes the music, handling the notifications that brings, and
// deletes the file. The music's name is a full path once the projector
// launch has formed it; before that it is a bare name inside the working
// directory, never a file of the runner's own directory. A window
// procedure's exception from the pumping is raised once the file is gone.
void StopMusic(TfrmMain& runner);

}  // namespace vnx
