// Libraries of system names planted beside a downloaded presentation, as
// anyone who can write to a download folder may leave them. Windows takes a
// library that is not one of its known DLLs from the program's folder
// first; Wine is told to do the same for these names and this program (its
// per-program DllOverrides "native,builtin": a library found on the search
// path before its own). The runner, through a whole presentation with music
// and its Setup dialog, and the Setup dialog on its own, loads none of them
// and works as usual.

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "common/handle.h"
#include "common/text.h"
#include "tests/e2e/presentation_run.h"
#include "tests/support/viewer_input.h"

namespace vnx::test {
namespace {

// System libraries outside the known DLLs that the runner or the system's
// code in it uses: the music, the projector's version check, the window
// look, the dialogs.
constexpr const char* kPlantedNames[] = {"version", "winmm",    "uxtheme", "comctl32", "dwmapi",
                                         "msacm32", "mmdevapi", "userenv", "propsys"};
constexpr char kTitle[] = "Planted show";
constexpr int kKeysBox = 12;

// Wine's per-program library settings for the presentation's executable:
// each planted name is taken from the search path first. (WINEDLLOVERRIDES
// in the environment would reach only programs that Wine starts itself.)
class NativeFirst {
 public:
  explicit NativeFirst(const std::string& exeFileName) : key_(kAppDefaults + exeFileName) {
    UniqueRegistryKey overrides;
    HKEY opened = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (key_ + "\\DllOverrides").c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    overrides.reset(opened);
    for (const char* name : kPlantedNames)
      RegSetValueExA(overrides.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(kNativeFirst),
                     sizeof kNativeFirst);
  }
  ~NativeFirst() {
    RegDeleteKeyA(HKEY_CURRENT_USER, (key_ + "\\DllOverrides").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
  }
  NativeFirst(const NativeFirst&) = delete;
  NativeFirst& operator=(const NativeFirst&) = delete;

 private:
  static constexpr char kAppDefaults[] = "Software\\Wine\\AppDefaults\\";
  static constexpr char kNativeFirst[] = "native,builtin";
  std::string key_;
};

// A presentation with music whose popup menu has the Setup item.
PresentationSpec ShowWithMusicAndMenu() {
  PresentationSpec presentation;
  presentation.Projector = "projector6.exe";  // the version check reads its version resource
  presentation.Settings = std::string("Pellam Screen Name=") + kTitle +
                          "\r\nSetupMenu=1\r\nCloseMenu=0\r\nInteraction=1\r\nRightClickMenu=0\r\n"
                          "KeyInteraction=2\r\nMidi=0\r\nMidiLoop=1\r\n";
  presentation.Extra.push_back({"Music.MID", BuiltProgramBytes("music.mid"), ""});
  return presentation;
}

// The paths of the libraries loaded in a process, lower-cased.
std::vector<std::string> ModulesOf(DWORD processId) {
  std::vector<std::string> modules;
  const UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = snapshot && Module32First(snapshot.get(), &entry); more; more = Module32Next(snapshot.get(), &entry))
    modules.push_back(LowerAscii(entry.szExePath));
  return modules;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::string SystemLibrary(const char* name) {
  char directory[MAX_PATH] = {};
  GetSystemDirectoryA(directory, MAX_PATH);
  return LowerAscii(std::string(directory) + "\\" + name);
}

class PlantedLibraries : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kPlantedNames)
      ASSERT_TRUE(CopyFileA(BuiltProgram("planted_library.dll").c_str(), Planted(name).c_str(), FALSE));
  }
  // Every marker a planted library left: its name and the programs that
  // loaded it.
  std::vector<std::string> Loaded() const {
    std::vector<std::string> loaded;
    for (const char* name : kPlantedNames)
      if (const auto programs = ReadFileText(Planted(name) + ".loaded")) loaded.push_back(name + (": " + *programs));
    return loaded;
  }
  std::string Planted(const char* name) const { return run_.ShowDirectory() + "\\" + name + ".dll"; }

  PresentationRun run_{ShowWithMusicAndMenu()};
  NativeFirst nativeFirst_{run_.ExeFileName()};
};

TEST_F(PlantedLibraries, NoneIsLoadedThroughAPresentationWithMusicAndItsSetupDialog) {
  ASSERT_TRUE(run_.StartAndWaitForPresentation());
  ExpectProjectorFillsClientArea(run_);
  EXPECT_TRUE(WaitUntil([&] { return run_.ReadControlBlock().PresentationShown == 1; }, 15000));
  EXPECT_EQ(run_.ReadControlBlock().ProjectorV6, 1);  // version.dll answered, from the system directory
  // The music plays: winmm is there, from the system directory.
  const std::string winmm = SystemLibrary("winmm.dll");
  EXPECT_TRUE(WaitUntil(
      [&] {
        const auto modules = ModulesOf(run_.RunnerProcessId());
        return std::find(modules.begin(), modules.end(), winmm) != modules.end();
      },
      15000))
      << "the runner never loaded " << winmm << "; it holds:\n"
      << Lines(ModulesOf(run_.RunnerProcessId()));
  EXPECT_TRUE(WaitUntil([&] { return FileExists(run_.WorkDir() + "music.mid"); }));

  // The Setup dialog from the popup menu, closed unchanged.
  RECT projector{};
  GetWindowRect(run_.ProjectorWindow(), &projector);
  ClickAt({(projector.left + projector.right) / 2, (projector.top + projector.bottom) / 2}, true);
  const HWND menu = WaitForWindow(run_.RunnerProcessId(), "#32768", nullptr, 10000);
  ASSERT_TRUE(menu) << "no popup menu";
  ClickWindow(menu);
  const HWND dialog = WaitForDialog(run_.RunnerProcessId(), std::string(kTitle) + " - Setup");
  ASSERT_TRUE(dialog) << "no Setup dialog";
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, kKeysBox)));
  ClickCloseBox(dialog);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

  EXPECT_FALSE(MessageBoxOf(run_.RunnerProcessId()));
  PostMessageA(run_.RunnerWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(run_.WaitForEnd());
  EXPECT_EQ(run_.RunnerExitCode(), 0u);
  EXPECT_EQ(run_.LeftBehind(), std::vector<std::string>{});
  EXPECT_EQ(Loaded(), std::vector<std::string>{});
}

TEST_F(PlantedLibraries, NoneIsLoadedByTheSetupDialogOnItsOwn) {
  run_.Start("/c");
  const HWND dialog = WaitForDialog(run_.RunnerProcessId(), std::string(kTitle) + " - Setup");
  ASSERT_TRUE(dialog) << "no Setup dialog";
  ToggleBox(GetDlgItem(dialog, kKeysBox));
  ClickCloseBox(dialog);
  ASSERT_TRUE(run_.WaitForEnd());
  EXPECT_EQ(run_.Registry().GetString("AnyKeyExit"), "1");
  EXPECT_EQ(Loaded(), std::vector<std::string>{});
}

}  // namespace
}  // namespace vnx::test
