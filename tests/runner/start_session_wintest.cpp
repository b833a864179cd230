// The start-up on a packed presentation, in this process: settings, the
// working directory, unpacking, satellite tools, and a cleanup that leaves
// nothing behind on every way out.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "common/text.h"
#include "runner/frm_main.h"
#include "runner/lifecycle.h"
#include "runner/process_state.h"
#include "runner/runner_seams.h"
#include "tests/support/show_fixture.h"

namespace vnx::test {
namespace {

class StartSessionTest : public ShowFixture {
 protected:
  // What the runner had unpacked when its engine stage came.
  struct Seen {
    bool reached = false;
    std::vector<std::string> workDirEntries;
    std::string workDir, instanceSuffix, projectorFile, engineFile, musicFile, currentDir;
    std::int32_t instanceSlot = -1;
    bool useCurrentDir = false;
  } seen;

  void WatchEngineStage() {
    Seams().BringUpEngine = [this](TfrmMain& runner, SessionHolders&) {
      seen.reached = true;
      seen.workDir = runner.WorkDir;
      for (const std::string& entry : TreeEntries(runner.WorkDir.substr(0, runner.WorkDir.size() - 1)))
        seen.workDirEntries.push_back(LowerAscii(entry));
      std::sort(seen.workDirEntries.begin(), seen.workDirEntries.end());
      seen.instanceSlot = runner.InstanceSlot;
      seen.instanceSuffix = runner.InstanceSuffix;
      seen.projectorFile = runner.ProjectorFile;
      seen.engineFile = runner.EngineFile;
      seen.musicFile = runner.MusicFile;
      seen.useCurrentDir = runner.UseCurrentDir;
      char directory[MAX_PATH + 1] = {};
      GetCurrentDirectoryA(MAX_PATH, directory);
      seen.currentDir = directory;
      return true;
    };
    Seams().LaunchProjector = [](TfrmMain&, SessionHolders&) {};
    Seams().TearDownEngine = [](TfrmMain&, SessionHolders&) {};
  }
};

const std::string kBigText(4000, 'x');

TEST_F(StartSessionTest, UnpacksEveryRoleInItsPlaceAndLeavesNothing) {
  UseShow("vnxunpack", {{"show.ini", "[Settings]\r\nPassword=0\r\n", ""},
                        {"Intro.EXE", "projector", ""},
                        {"Engine.DLL", "engine", ""},
                        {"Song.MID", kBigText, ""},
                        {"ReadMe.txt", "read me", "docs"},
                        {"deep.txt", "deep", "a\\b"},
                        {"other.txt", kBigText, ""},
                        {"viewer.ptools.ini", "[VIEWER]\r\nmode=1\r\n", ""},
                        {"PVIEWER.EXE", "tool", "PTOOL.VIEWER"},
                        {"helper.dat", "satellite", "PTOOL.SATELLITE:PVIEWER.EXE"}});
  WatchEngineStage();
  EXPECT_EQ(RunRunnerProcess(), 0);
  ASSERT_TRUE(seen.reached);
  EXPECT_EQ(seen.workDir, TempBase() + "\\Vnx_Rt\\");
  EXPECT_EQ(seen.instanceSlot, 0);
  EXPECT_EQ(seen.instanceSuffix, "_VNX_RT");
  EXPECT_EQ(seen.projectorFile, "intro.exe");
  EXPECT_EQ(seen.engineFile, "engine0.dll");
  EXPECT_EQ(seen.musicFile, "song.mid");
  EXPECT_EQ(
      seen.workDirEntries,
      (std::vector<std::string>{"a", "a\\b", "a\\b\\deep.txt", "docs", "docs\\readme.txt", "engine0.dll", "helper.dat",
                                "intro.exe", "other.txt", "pviewer.exe", "song.mid", "viewer", "viewer\\helper.dat",
                                "viewer\\ptools.ini", "viewer\\pviewer.exe", "vnx_rt.claim"}));
  EXPECT_EQ(seen.currentDir, scratch.Path());  // the runner works from its own directory
  EXPECT_EQ(LeftInTemp(), std::vector<std::string>{});
  EXPECT_TRUE(messageBoxes.empty());
}

TEST_F(StartSessionTest, CurrentDirSettingAndTheProbe) {
  struct Case {
    const char* setting;  // "CurrentDir" line, or none
    bool withPlacement;
    bool useCurrentDir;
  } const cases[] = {
      {"", false, true},
      {"", true, false},
      {"CurrentDir=1\r\n", false, false},
      {"CurrentDir=2\r\n", true, true},
      {"CurrentDir=7\r\n", false, false},
  };
  int round = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(round);
    std::vector<ShowFile> files{{"show.ini", std::string("[Settings]\r\nPassword=0\r\n") + c.setting, ""},
                                {"intro.exe", "projector", ""},
                                {"engine.dll", "engine", ""}};
    if (c.withPlacement) files.push_back({"notes.txt", "n", "."});
    UseShow("vnxprobe" + std::to_string(++round), files);
    seen = {};
    WatchEngineStage();
    QuitRequested = false;
    RestartRequested = true;
    EXPECT_EQ(RunRunnerProcess(), 0);
    EXPECT_TRUE(seen.reached);
    EXPECT_EQ(seen.useCurrentDir, c.useCurrentDir);
    EXPECT_EQ(LeftInTemp(), std::vector<std::string>{});
  }
}

TEST_F(StartSessionTest, ASessionWithoutEngineEndsQuietly) {
  UseShow("vnxnoengine", {{"intro.exe", "projector", ""}, {"other.txt", "x", "sub"}});
  WatchEngineStage();
  EXPECT_EQ(RunRunnerProcess(), 0);
  EXPECT_FALSE(seen.reached);
  EXPECT_TRUE(messageBoxes.empty());
  EXPECT_EQ(LeftInTemp(), std::vector<std::string>{});
}

// The settings pass passes over files it does not write, so a damaged stream
// first shows in the main pass, half-way through the unpacking.
TEST_F(StartSessionTest, AnExtractionErrorIsReportedAfterTheCleanup) {
  UseShow("vnxdamaged", {{"intro.exe", "projector", ""}, {"engine.dll", "engine", ""}, {"zz.txt", kBigText, ""}});
  std::string bytes = *ReadFileText(showPath);
  const std::size_t name = bytes.rfind("zz.txt");
  ASSERT_NE(name, std::string::npos);
  const std::size_t data = name - 1 - 4 + 796;  // record marker, length byte, name; then the 796-byte header
  ASSERT_EQ(static_cast<unsigned char>(bytes[data]), 0x78u);
  bytes[data + 1] ^= 0x01;  // the zlib header no longer checks out
  WriteFileText(showPath, bytes);
  WatchEngineStage();
  EXPECT_EQ(RunRunnerProcess(), 0);
  EXPECT_FALSE(seen.reached);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].text, "Exception occured: error");
  EXPECT_EQ(messageBoxes[0].caption, "Error");
  EXPECT_EQ(LeftInTemp(), std::vector<std::string>{});
}

TEST_F(StartSessionTest, ATempBaseOnAMissingDriveNamesTheCandidate) {
  UseShow("vnxnodrive", {{"intro.exe", "projector", ""}, {"engine.dll", "engine", ""}});
  registry->SetString("Pellam Temp Directory", "Q:\\vnx-missing");
  WatchEngineStage();
  EXPECT_EQ(RunRunnerProcess(), 0);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].text, "Exception occured: Can't create dir Q:\\vnx-missing\\Vnx_Rt");
  EXPECT_FALSE(seen.reached);
}

TEST_F(StartSessionTest, AStaleDirectoryIsReclaimedAndAnotherInUseIsPassedOver) {
  UseShow("vnxstale", {{"intro.exe", "projector", ""}, {"engine.dll", "engine", ""}});
  CreateDirectoryA((TempBase() + "\\Vnx_Rt").c_str(), nullptr);
  WriteFileText(TempBase() + "\\Vnx_Rt\\left.txt", "left behind by a killed runner");
  CreateDirectoryA((TempBase() + "\\Vnx_Rt1").c_str(), nullptr);
  WriteFileText(TempBase() + "\\Vnx_Rt1\\busy.txt", "held");
  WatchEngineStage();
  {
    const HANDLE held = CreateFileA((TempBase() + "\\Vnx_Rt1\\busy.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RunRunnerProcess(), 0);
    CloseHandle(held);
  }
  EXPECT_EQ(seen.instanceSlot, 0);
  EXPECT_EQ(std::count(seen.workDirEntries.begin(), seen.workDirEntries.end(), "left.txt"), 0);
  EXPECT_EQ(LeftInTemp(), (std::vector<std::string>{"Vnx_Rt1", "Vnx_Rt1\\busy.txt"}));
}

}  // namespace
}  // namespace vnx::test
