#pragma once
// Silencing the machine for a presentation without sound, and always giving
// the sound back: in the session's cleanup, or, when the runner died while
// the machine was silent, when a later runner reclaims its working directory.

#include <string>

namespace vnx {

class TfrmMain;
struct SessionHolders;

// The mute step, between the projector's suspended start and its resume:
// reads what silencing would change, writes it into the working directory's
// restore file, and only then silences. Without the file nothing is silenced:
// the sound would have no way back after a crash.
void MuteWaveOutput(TfrmMain& runner, SessionHolders& holders);
// The restore step of the cleanup: gives back what the mute step changed,
// then removes the restore file.
void RestoreWaveOutput(TfrmMain& runner, SessionHolders& holders);
// A stale working directory (without trailing "\") about to be reclaimed:
// when it holds a restore file, the sound its runner took is given back and
// the file removed.
void GiveBackLeftSound(const std::string& directory);

}  // namespace vnx
