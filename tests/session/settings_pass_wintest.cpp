// The settings pass on Windows: the session's settings file is written into
// the temporary base directory, read into the main form and deleted, with
// the per-user values from the real registry laid over it.

#include "runner/extraction_passes.h"
#include "session/settings_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/handle.h"
#include "common/text.h"
#include "runner/frm_main.h"
#include "session/file_roles_win.h"
#include "session/nameable_directory_win.h"
#include "session/per_user_registry.h"
#include "tests/session/extraction_sim.h"

namespace vnx::test {
namespace {

class SettingsPassOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    form.ExeFileName = "Show.exe";
    form.ExeStem = "VnxTest_SettingsPass_" + std::to_string(GetCurrentProcessId());
    form.RegIniFile = std::make_unique<TRegIniFile>();
  }
  void TearDown() override {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPerUserKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
      RegDeleteKeyA(key, form.ExeStem.c_str());
      RegCloseKey(key);
    }
  }

  // The per-user base directory points into the scratch directory.
  void StoreTempDirectory(const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kPerUserKey) + "\\" + form.ExeStem).c_str(), 0, nullptr,
                              0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Pellam Temp Directory", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   static_cast<DWORD>(path.size() + 1));
    RegCloseKey(key);
  }

  void Run(const std::vector<SessionFile>& session) {
    RegistryPerUserValues perUser(*form.RegIniFile, form.ExeStem);
    SettingsPassContext context = MainFormSettingsPass(form, perUser);
    context.ExtractSettingsFiles = [&](const std::string& baseDir) {
      ExtractSimulated(session, FileRoleFieldsOf(form), Win32FileRoleEnvironment(TestPlacementIsSafe), baseDir);
    };
    ReadSettings(SettingsDestinationsOf(form), context);
  }

  TfrmMain form;
};

TEST_F(SettingsPassOnWindows, TheSettingsFileIsReadAndLeavesNoFileBehind) {
  ScratchDirectory base("settingspass");
  StoreTempDirectory(base.Path());  // without the trailing "\"
  form.RegIniFile->WriteBool(form.ExeStem, "MouseExit", false);
  Run({{"Intro.EXE", "", "MZ"},
       {"Show.INI", "",
        "[Settings]\r\nPellam Screen Name=Fixed\r\nFullScreen=0\r\nNoTitle=0\r\nAllowResize=0\r\nWidth=640\r\n"
        "Height=480\r\nInteraction=2\r\n"},
       {"viewer.ptools.ini", "", "[VIEW]"}});
  EXPECT_EQ(form.SettingsFileName, "show.ini");
  EXPECT_FALSE(form.SettingsPass);
  EXPECT_EQ(form.ScreenName, "Fixed");
  EXPECT_EQ(form.WindowWidth, 640);
  EXPECT_EQ(form.WindowHeight, 480);
  EXPECT_FALSE(form.AllowResize.Value);
  EXPECT_TRUE(form.Interaction.UserChoice);
  EXPECT_TRUE(form.Interaction.Value);  // "MouseExit" 0
  EXPECT_TRUE(form.RightClickMenu.ChoiceEnabled);
  EXPECT_EQ(TreeEntries(base.Path()), std::vector<std::string>{});
}

TEST_F(SettingsPassOnWindows, AFileThatCannotBeReadIsReportedAndStillDeleted) {
  ScratchDirectory base("settingslocked");
  StoreTempDirectory(base.Path());
  const std::string passDir = base / ("Vnx_Ini" + std::to_string(GetCurrentProcessId()));
  const std::string path = passDir + "\\show.ini";
  UniqueFileHandle holder;
  RegistryPerUserValues perUser(*form.RegIniFile, form.ExeStem);
  SettingsPassContext context = MainFormSettingsPass(form, perUser);
  // Written, then held by someone who lets it be deleted but not read.
  context.ExtractSettingsFiles = [&](const std::string& dir) {
    ExtractSimulated({{"Show.ini", "", "[Settings]\r\nWidth=800\r\n"}}, FileRoleFieldsOf(form),
                     Win32FileRoleEnvironment(TestPlacementIsSafe), dir);
    holder.reset(
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
  };
  try {
    ReadSettings(SettingsDestinationsOf(form), context);
    ADD_FAILURE() << "no error";
  } catch (const EFOpenError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
  }
  ASSERT_TRUE(holder);
  EXPECT_FALSE(form.SettingsPass);
  EXPECT_NE(form.WindowWidth, 800);
  holder.reset();
  EXPECT_FALSE(FileExists(path));
  // The directory could not go while the file was held: it goes at the next
  // start of the system.
  EXPECT_NE(PendingDeletions().find(LowerAscii(passDir)), std::string::npos);
}

TEST_F(SettingsPassOnWindows, WithoutTheViewersValueTheBaseIsTheSystemsTemporaryDirectory) {
  char expected[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, expected);
  EXPECT_EQ(TempBaseDirectory(TRegIniFile(), "vnx-test-no-such-program"), expected);
}

}  // namespace
}  // namespace vnx::test
