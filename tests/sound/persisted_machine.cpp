#include "tests/sound/persisted_machine.h"

#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace vnx::test {
namespace {

void AppendLog(const std::string& path, const std::string& line) {
  std::ofstream(path + ".log", std::ios::app) << line << "\n";
}

std::string MciName(UINT message) {
  static const std::map<UINT, std::string> names{{MCI_OPEN, "open"}, {MCI_CLOSE, "close"}, {MCI_PLAY, "play"},
                                                 {MCI_STOP, "stop"}, {MCI_SEEK, "seek"},   {MCI_STATUS, "status"}};
  const auto name = names.find(message);
  return "mci " + (name == names.end() ? std::to_string(message) : name->second);
}

struct Persisted {
  FakeSoundMachine machine;
  std::string path;
};

// The state the file keeps, taken into the installed machine.
void TakeState(FakeSoundMachine& machine, const FakeSoundMachine& kept) {
  machine.Version = kept.Version;
  machine.Volume = kept.Volume;
  machine.Mixers[0].Controls[1].On = kept.Mixers.at(0).Controls.at(1).On;
  machine.EndpointMuted = kept.EndpointMuted;
}

template <class Result, class... Args>
void Persist(std::function<Result(Args...)>& call, const std::shared_ptr<Persisted>& state) {
  call = [inner = call, state](Args... args) {
    FakeSoundMachine& machine = state->machine;
    TakeState(machine, LoadMachine(state->path));
    machine.Calls.clear();
    Result result = inner(args...);
    SaveMachine(machine, state->path);
    for (const std::string& name : machine.Calls) AppendLog(state->path, name);
    return result;
  };
}

}  // namespace

FakeSoundMachine AudibleMachine(DWORD version) {
  FakeSoundMachine machine;
  machine.Version = version;
  FakeSoundMachine::Mixer mixer;
  mixer.Destinations = {{MIXERLINE_TARGETTYPE_WAVEOUT, {{MIXERLINE_TARGETTYPE_WAVEOUT, {1}}}}};
  mixer.Controls[1] = {};
  machine.Mixers = {mixer};
  return machine;
}

void SaveMachine(const FakeSoundMachine& machine, const std::string& path) {
  std::ofstream(path, std::ios::trunc) << "version=" << machine.Version << "\nvolume=" << machine.Volume
                                       << "\ncontrol=" << machine.Mixers.at(0).Controls.at(1).On
                                       << "\nendpoint-muted=" << machine.EndpointMuted << "\n";
}

FakeSoundMachine LoadMachine(const std::string& path) {
  std::ifstream file(path);
  std::map<std::string, unsigned long> values;
  std::string line;
  while (std::getline(file, line)) {
    const auto equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = std::stoul(line.substr(equals + 1));
  }
  FakeSoundMachine machine = AudibleMachine(values["version"]);
  machine.Volume = values["volume"];
  machine.Mixers[0].Controls[1].On = values["control"] != 0;
  machine.EndpointMuted = values["endpoint-muted"] != 0;
  return machine;
}

void InstallPersistedMachine(SoundSeams& seams, const std::string& path) {
  auto state = std::make_shared<Persisted>();
  state->machine = LoadMachine(path);
  state->path = path;
  const auto sendMci = seams.SendMciCommand;
  state->machine.Install(seams);
  seams.VersionWord = [state] { return LoadMachine(state->path).Version; };
  Persist(seams.WaveOutGetDevCaps, state);
  Persist(seams.WaveOutGetVolume, state);
  Persist(seams.WaveOutSetVolume, state);
  Persist(seams.MixerGetNumDevs, state);
  Persist(seams.MixerGetDevCaps, state);
  Persist(seams.MixerOpen, state);
  Persist(seams.MixerClose, state);
  Persist(seams.MixerGetLineInfo, state);
  Persist(seams.MixerGetLineControls, state);
  Persist(seams.MixerGetControlDetails, state);
  Persist(seams.MixerSetControlDetails, state);
  Persist(seams.DefaultRenderEndpoint, state);
  Persist(seams.GetEndpointMute, state);
  Persist(seams.SetEndpointMute, state);
  seams.SendMciCommand = [sendMci, path](MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters) {
    const MCIERROR result = sendMci(device, message, flags, parameters);
    AppendLog(path, MciName(message) + " " + std::to_string(result));
    return result;
  };
}

std::vector<std::string> MachineLog(const std::string& path) {
  std::ifstream file(path + ".log");
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

}  // namespace vnx::test
