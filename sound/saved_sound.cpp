#include "sound/saved_sound.h"

#include <charconv>
#include <map>

namespace vnx {
namespace {

constexpr std::uint32_t kWin9xBit = 0x80000000u;

std::optional<std::uint32_t> Unsigned(const std::string& text) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::map<std::string, std::string> Lines(std::string_view text) {
  std::map<std::string, std::string> values;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos) values[std::string(line.substr(0, equals))] = line.substr(equals + 1);
  }
  return values;
}

std::optional<SavedSound> ParseWaveMixer(const std::map<std::string, std::string>& values) {
  const auto volume = values.find("volume"), states = values.find("mute-states"), count = values.find("mute-controls");
  if (volume == values.end() || states == values.end() || count == values.end()) return std::nullopt;
  SavedSound saved;
  const auto savedStates = Unsigned(states->second), controls = Unsigned(count->second);
  if (!savedStates || !controls || *controls > kMaxMuteControls) return std::nullopt;
  saved.SavedMuteStates = *savedStates;
  saved.MuteControls = static_cast<int>(*controls);
  if (volume->second != "none") {
    saved.SavedWaveVolume = Unsigned(volume->second);
    if (!saved.SavedWaveVolume) return std::nullopt;
  }
  return saved;
}

std::optional<SavedSound> ParseEndpoint(const std::map<std::string, std::string>& values) {
  const auto id = values.find("endpoint"), muted = values.find("muted");
  if (id == values.end() || id->second.empty() || muted == values.end()) return std::nullopt;
  if (muted->second != "0" && muted->second != "1") return std::nullopt;
  SavedSound saved;
  saved.Way = MuteWay::Endpoint;
  saved.EndpointId = id->second;
  saved.EndpointMuted = muted->second == "1";
  return saved;
}

}  // namespace

MuteWay MuteWayFor(std::uint32_t versionWord) {
  const unsigned major = versionWord & 0xFFu;
  return (versionWord & kWin9xBit) == 0 && major >= 6 ? MuteWay::Endpoint : MuteWay::WaveMixer;
}

std::uint32_t ControlsSwitchedOn(const SavedSound& saved) {
  if (saved.Way != MuteWay::WaveMixer || saved.MuteControls <= 0) return 0;
  const std::uint32_t found =
      saved.MuteControls >= kMaxMuteControls ? 0xFFFFFFFFu : (std::uint32_t{1} << saved.MuteControls) - 1;
  return ~saved.SavedMuteStates & found;
}

bool SilencingChangesSomething(const SavedSound& saved) {
  if (saved.Way == MuteWay::Endpoint) return !saved.EndpointMuted;
  return saved.SavedWaveVolume.value_or(0) != 0 || ControlsSwitchedOn(saved) != 0;
}

std::string FormatSavedSound(const SavedSound& saved) {
  if (saved.Way == MuteWay::Endpoint)
    return "way=endpoint\r\nendpoint=" + saved.EndpointId + "\r\nmuted=" + (saved.EndpointMuted ? "1" : "0") + "\r\n";
  const std::string volume = saved.SavedWaveVolume ? std::to_string(*saved.SavedWaveVolume) : "none";
  return "way=wave-mixer\r\nvolume=" + volume + "\r\nmute-states=" + std::to_string(saved.SavedMuteStates) +
         "\r\nmute-controls=" + std::to_string(saved.MuteControls) + "\r\n";
}

std::optional<SavedSound> ParseSavedSound(std::string_view text) {
  const std::map<std::string, std::string> values = Lines(text);
  const auto way = values.find("way");
  if (way == values.end()) return std::nullopt;
  if (way->second == "wave-mixer") return ParseWaveMixer(values);
  if (way->second == "endpoint") return ParseEndpoint(values);
  return std::nullopt;
}

}  // namespace vnx
