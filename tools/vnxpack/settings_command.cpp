// vnxpack settings: the settings the runner would read from a presentation,
// for a viewer who has stored no choices of their own, as JSON.

#include <optional>
#include <random>

#include "session/exe_name.h"
#include "session/file_roles.h"
#include "session/ini_file.h"
#include "session/per_user_values.h"
#include "session/session_format.h"
#include "session/settings_json.h"
#include "session/settings_reader.h"
#include "session/zef_exe_appender.h"
#include "tools/vnxpack/command_runner.h"

namespace vnx {
namespace {

constexpr const char* kHelp =
    "usage: vnxpack settings FILE\n"
    "\n"
    "Prints, as JSON, the settings the runner reads from the presentation in\n"
    "FILE for a viewer without per-user choices: one member per key of the\n"
    "settings file, named as the key, in the order the runner reads them.\n"
    "The settings file is found as the runner finds it (the last \".ini\" file\n"
    "of the session that is not a tool's). Without one, every value is at its\n"
    "starting value; \"Width\" and \"Height\" then show 0, where the runner\n"
    "takes the screen's size. \"MidiLoopTimes\" is shown as written: 0 means\n"
    "repeat without end.\n";

// A private directory for the settings file, removed again on the way out.
class SettingsDirectory {
 public:
  explicit SettingsDirectory(const PackHost& host) : host_(host) {
    std::random_device random;
    path_ = host_.TemporaryDirectory() + host_.Separator() + "vnxpack-settings-" + std::to_string(random());
    host_.MakeDirectories(path_);
  }
  ~SettingsDirectory() {
    for (const std::string& name : host_.List(path_)) host_.RemoveFile(Path(name));
    host_.RemoveEmptyDirectory(path_);
  }
  std::string Path(const std::string& name) const { return path_ + host_.Separator() + name; }
  std::string ReaderDirectory() const { return path_ + '\\'; }

 private:
  const PackHost& host_;
  std::string path_;
};

// The settings pass of the runner: only ".ini" files are written, the last
// one is the settings file.
std::optional<std::string> ExtractSettingsFile(const std::string& file, const SettingsDirectory& directory,
                                               const PackHost& host) {
  bool settingsPass = true, probePass = false, placementSeen = false;
  const std::int32_t instanceSlot = 0;
  const TUserChoice midi;
  std::string settingsFileName, projectorSourceName, projectorFile, engineFile, musicFile;
  std::vector<std::string> extraFiles, createdSubdirs, toolFiles;
  std::vector<ToolProgram> toolPrograms;
  const FileRoleFields fields{&settingsPass,     &probePass,           &placementSeen, &instanceSlot, &midi,
                              &settingsFileName, &projectorSourceName, &projectorFile, &engineFile,   &musicFile,
                              &extraFiles,       &createdSubdirs,      &toolFiles,     &toolPrograms};
  const FileRoleEnvironment environment;  // the settings pass asks nothing of the file system

  TZefExeAppender reader(host.Files(), ExecutableAt(host.Files(), [] { return std::string(); }));
  reader.UseOwnExe = false;
  reader.SourceFile = file;
  reader.TargetDir = directory.ReaderDirectory();
  reader.OnFile = [&](TZefExeAppender& sender, std::string& name, std::string& destination, bool& skip) {
    HandleExtractedFile(fields, environment, sender.TargetDir, sender.Placement, name, destination, skip);
    name = host.HostText(name);  // written on a host path
  };
  reader.Extract(kDefaultSessionName);
  if (settingsFileName.empty()) return std::nullopt;
  auto source = host.Files().OpenRead(directory.Path(host.HostText(settingsFileName)));
  std::string text(static_cast<std::size_t>(source->Size()), '\0');
  text.resize(source->Read(text.data(), text.size()));
  return text;
}

int PrintSettings(const ParsedArguments& parsed, const PackHost& host, std::ostream& out) {
  const std::string& file = parsed.Positional[0];
  PresentationSettings settings;
  const SettingsDestinations destinations = SettingsDestinationsOf(settings);
  const SettingsDirectory directory(host);
  if (const auto text = ExtractSettingsFile(file, directory, host))
    ApplySettingsFile(IniFile(*text), destinations, host.StoredRendering(FileNamePart(file)));
  NoPerUserValues viewer;
  ApplyPerUserChoices(destinations, viewer);
  out << SettingsAsJson(settings) << "\n";
  return 0;
}

}  // namespace

int RunSettings(const Arguments& arguments, const PackHost& host, std::ostream& out, std::ostream& err) {
  const CommandShape shape{"settings", kHelp, {}, {}, 1, 1};
  return RunCommand(shape, arguments, out, err,
                    [&](const ParsedArguments& parsed) { return PrintSettings(parsed, host, out); });
}

}  // namespace vnx
