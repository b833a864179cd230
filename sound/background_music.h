#pragma once
// The session's background music as far as the session's end is concerned:
// stopping it and deleting its file.

namespace vnx {

class TfrmMain;

// Deletes the music file. The name is a full path once the projector launch
// has formed it; before that it is a bare name inside the working directory,
// never a file of the runner's own directory.
void StopMusic(TfrmMain& runner);

}  // namespace vnx
