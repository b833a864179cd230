#include "sound/background_music.h"

#include <windows.h>

#include "runner/frm_main.h"

namespace vnx {

void StopMusic(TfrmMain& runner) {
  runner.Midi.Value = true;  // notifications from the stop start no further play
  const bool fullPath = runner.MusicFile.find('\\') != std::string::npos;
  const std::string path = fullPath ? runner.MusicFile : runner.WorkDir + runner.MusicFile;
  if (!fullPath && runner.WorkDir.empty()) return;
  DeleteFileA(path.c_str());
}

}  // namespace vnx
