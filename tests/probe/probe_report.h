#pragma once
// What the start-up probe reports about the runner it stands in for, as
// "key=value" lines.

#include <sstream>
#include <string>

namespace vnx::test {

struct ProbeReport {
  std::string WorkDir;
  int InstanceSlot = -1;
  std::string InstanceSuffix;
  bool UseCurrentDir = false;
  std::string CurrentDir;
  std::string ProjectorFile, EngineFile, MusicFile;
};

inline std::string FormatProbeReport(const ProbeReport& r) {
  std::ostringstream text;
  text << "WorkDir=" << r.WorkDir << "\nInstanceSlot=" << r.InstanceSlot << "\nInstanceSuffix=" << r.InstanceSuffix
       << "\nUseCurrentDir=" << r.UseCurrentDir << "\nCurrentDir=" << r.CurrentDir
       << "\nProjectorFile=" << r.ProjectorFile << "\nEngineFile=" << r.EngineFile << "\nMusicFile=" << r.MusicFile
       << "\n";
  return text.str();
}

inline ProbeReport ParseProbeReport(const std::string& text) {
  ProbeReport r;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key == "WorkDir")
      r.WorkDir = value;
    else if (key == "InstanceSlot")
      r.InstanceSlot = std::stoi(value);
    else if (key == "InstanceSuffix")
      r.InstanceSuffix = value;
    else if (key == "UseCurrentDir")
      r.UseCurrentDir = value == "1";
    else if (key == "CurrentDir")
      r.CurrentDir = value;
    else if (key == "ProjectorFile")
      r.ProjectorFile = value;
    else if (key == "EngineFile")
      r.EngineFile = value;
    else if (key == "MusicFile")
      r.MusicFile = value;
  }
  return r;
}

}  // namespace vnx::test
