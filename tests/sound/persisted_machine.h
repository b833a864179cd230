#pragma once
// A fake sound machine kept in a file, for runners started as processes of
// their own: every call reads the machine's state first and writes it back
// afterwards, and is appended to a log next to it ("<file>.log"), so the
// machine outlives a runner that a test kills.

#include <string>
#include <vector>

#include "sound/sound_seams.h"
#include "tests/sound/fake_sound_machine.h"

namespace vnx::test {

// The machine the runner tests start from: a wave mapper with a volume
// control at half volume, one mixer whose speakers have a wave-output line
// with mute control 1, off, and a default endpoint that is not muted.
FakeSoundMachine AudibleMachine(DWORD version);

void SaveMachine(const FakeSoundMachine& machine, const std::string& path);
FakeSoundMachine LoadMachine(const std::string& path);  // on top of AudibleMachine

// Installs the machine kept in path into the seams, every call persisted and
// logged; the MCI commands that the seams send already are logged too, with
// their results ("mci open 0").
void InstallPersistedMachine(SoundSeams& seams, const std::string& path);
std::vector<std::string> MachineLog(const std::string& path);

}  // namespace vnx::test
