#include "runner/extraction_passes.h"

#include "common/system_text.h"
#include "runner/frm_main.h"
#include "session/destination_check.h"
#include "session/file_roles_win.h"
#include "session/file_system.h"
#include "session/nameable_directory_win.h"
#include "session/per_user_registry.h"
#include "session/session_format.h"
#include "session/settings_win.h"
#include "session/zef_exe_appender.h"

namespace vnx {
namespace {

const FileRoleEnvironment& FileSystemForRoles() {
  static const FileRoleEnvironment environment =
      Win32FileRoleEnvironment([](const std::string& placement) { return IsSafePlacement(placement); });
  return environment;
}

// The handler is assigned once, before the settings pass, and stays for the
// later passes; what it does depends on the main form's pass flags.
void BindPerFileHandler(TfrmMain& form) {
  form.SessionReader->OnFile = [&form](TZefExeAppender& reader, std::string& fileName, std::string& destinationDir,
                                       bool& skip) {
    HandleExtractedFile(FileRoleFieldsOf(form), FileSystemForRoles(), reader.TargetDir, reader.Placement, fileName,
                        destinationDir, skip);
  };
}

}  // namespace

SettingsPassContext MainFormSettingsPass(TfrmMain& form, PerUserValues& perUser) {
  SettingsPassContext context = WindowsSettingsPass(form.SettingsPass, form.SettingsFileName,
                                                    CodePageRendering(WideFromUtf8(form.ExeFileName)), perUser);
  context.TempBase = [&form] { return TempBaseDirectory(*form.RegIniFile, form.ExeStem); };
  return context;
}

void ReadMainFormSettings(TfrmMain& form) { ReadSettingsInto(form, SettingsDestinationsOf(form)); }

void ReadSettingsInto(TfrmMain& form, const SettingsDestinations& destinations) {
  RegistryPerUserValues perUser(*form.RegIniFile, form.ExeStem);
  SettingsPassContext context = MainFormSettingsPass(form, perUser);
  TZefExeAppender& reader = *form.SessionReader;
  // A read while a presentation runs (the Setup dialog) leaves the reader
  // pointed at the working directory.
  const std::string targetDir = reader.TargetDir;
  context.ExtractSettingsFiles = [&form, &reader](const std::string& passDir) {
    reader.UseOwnExe = true;
    reader.TargetDir = passDir;
    BindPerFileHandler(form);
    reader.Extract(kDefaultSessionName);
  };
  try {
    ReadSettings(destinations, context);
  } catch (...) {
    reader.TargetDir = targetDir;
    throw;
  }
  reader.TargetDir = targetDir;
}

bool RunProbePass(TfrmMain& form) {
  TZefExeAppender& reader = *form.SessionReader;
  reader.UseOwnExe = true;
  form.ProbePass = true;
  try {
    reader.Extract(kDefaultSessionName);
  } catch (...) {
    form.ProbePass = false;
    throw;
  }
  form.ProbePass = false;
  return form.PlacementSeen;
}

void RunMainPass(TfrmMain& form) {
  TZefExeAppender& reader = *form.SessionReader;
  reader.UseOwnExe = true;
  form.ProbePass = false;
  reader.TargetDir = form.WorkDir;
  ClearForMainPass(FileRoleFieldsOf(form));
  reader.Extract(kDefaultSessionName);
}

}  // namespace vnx
