// The runner with a fake sound machine kept in a file (VNX_FAKE_SOUND_MACHINE,
// tests/sound/persisted_machine.h), so that tests see what the runner did to
// the machine's sound and what it gave back, also after killing it. The music
// goes to the real MCI; its commands are logged with the machine's calls.
//
// With VNX_SOUND_HOLD, the name of a manual-reset event, the engine stage
// does nothing and the projector stage only silences the machine as the
// projector launch does, writes "<machine>.held" and holds the working
// directory until the event is set.

#include <windows.h>

#include <fstream>
#include <string>

#include "common/handle.h"
#include "runner/frm_main.h"
#include "runner/lifecycle.h"
#include "runner/pump.h"
#include "runner/runner_seams.h"
#include "sound/sound_seams.h"
#include "tests/sound/persisted_machine.h"

namespace {

std::string Variable(const char* name) {
  char value[MAX_PATH + 1] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
  return length <= MAX_PATH ? std::string(value, length) : std::string();
}

void HoldingProjectorStage(vnx::TfrmMain& runner, vnx::SessionHolders& holders) {
  if (runner.Sound.Value) vnx::Seams().MuteWaveOutput(runner, holders);
  std::ofstream(Variable("VNX_FAKE_SOUND_MACHINE") + ".held") << runner.WorkDir;
  const vnx::UniqueKernelHandle release(OpenEventA(SYNCHRONIZE, FALSE, Variable("VNX_SOUND_HOLD").c_str()));
  while (release && WaitForSingleObject(release.get(), 0) == WAIT_TIMEOUT) vnx::PumpOrWait(50);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string machine = Variable("VNX_FAKE_SOUND_MACHINE");
  if (!machine.empty()) vnx::test::InstallPersistedMachine(vnx::SoundSystem(), machine);
  if (!Variable("VNX_SOUND_HOLD").empty()) {
    vnx::Seams().BringUpEngine = [](vnx::TfrmMain&, vnx::SessionHolders&) { return true; };
    vnx::Seams().TearDownEngine = [](vnx::TfrmMain&, vnx::SessionHolders&) {};
    vnx::Seams().LaunchProjector = HoldingProjectorStage;
  }
  return vnx::RunRunnerProcess();
}
