// Satellite tools set up after the main pass and removed at shutdown on the
// real file system: nothing may stay behind.

#include "session/satellite_tools_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/handle.h"
#include "runner/frm_main.h"
#include "session/file_roles_win.h"
#include "tests/session/extraction_sim.h"

namespace vnx::test {
namespace {

TEST(SatelliteToolsOnWindows, ToolsAreSetUpAndRemovedLeavingNothing) {
  ScratchDirectory dir("tools");
  const std::string work = dir.Path() + "\\";
  TfrmMain form;
  ExtractSimulated({{"Viewer.ptools.ini", "", "[VIEW]\r\nzoom=2\r\n"},
                    {"Player.ptools.ini", "PTOOL.", "[PLAY]\r\n"},
                    {"Plain.ptools.ini", "", "no name\r\n"},
                    {"PVIEW.EXE", "PTOOL.", "view program"},
                    {"PPLAY.EXE", "PTOOL.", "play program"},
                    {"Help.txt", "PTOOL.SATELLITE:PVIEW.EXE", "help"},
                    {"Skin.bmp", "PTOOL.SATELLITE:PPLAY.EXE", "skin"},
                    {"Deep.txt", "a\\b\\c", "deep"},
                    {"Side.txt", "a\\d", "side"}},
                   FileRoleFieldsOf(form), Win32FileRoleEnvironment(TestPlacementIsSafe), work);

  SetUpSatelliteTools(form.ToolFiles, form.ToolPrograms, work);
  EXPECT_EQ(ReadWholeFile(dir / "viewer\\PVIEW.EXE"), "view program");
  EXPECT_EQ(ReadWholeFile(dir / "viewer\\help.txt"), "help");
  EXPECT_EQ(ReadWholeFile(dir / "player\\PPLAY.EXE"), "play program");
  EXPECT_EQ(ReadWholeFile(dir / "player\\skin.bmp"), "skin");
  EXPECT_FALSE(FileExists(dir / "viewer\\skin.bmp"));
  EXPECT_EQ(TreeEntries(dir / "plain"), std::vector<std::string>{"ptools.ini"});

  // The session cleanup deletes the ordinary files first.
  for (const std::string& file : form.ExtraFiles) DeleteFileA(file.c_str());
  RemoveSatelliteTools(form.ToolFiles, form.ToolPrograms);
  RemoveCreatedSubdirs(form.CreatedSubdirs, work);
  EXPECT_EQ(TreeEntries(dir.Path()), std::vector<std::string>{});
}

TEST(SatelliteToolsOnWindows, SettingsFileErrors) {
  ScratchDirectory dir("toolerrors");
  std::vector<std::string> missing = {dir / "gone\\"};
  try {
    SetUpSatelliteTools(missing, {}, dir.Path());
    ADD_FAILURE() << "no error";
  } catch (const EFOpenError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + dir / "gone\\ptools.ini");
  }
  CreateDirectoryA((dir / "empty").c_str(), nullptr);
  WriteFileText(dir / "empty\\ptools.ini", "");
  std::vector<std::string> empty = {dir / "empty\\"};
  try {
    SetUpSatelliteTools(empty, {}, dir.Path());
    ADD_FAILURE() << "no error";
  } catch (const EListError& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds (0)");
  }
}

TEST(SatelliteToolsOnWindows, DirectoriesThatStillHoldFilesStay) {
  ScratchDirectory dir("keep");
  CreateDirectoryTree(dir / "a\\b\\c");
  WriteFileText(dir / "a\\kept.txt", "x");
  RemoveCreatedSubdirs({"a\\b\\c\\"}, dir.Path());
  EXPECT_EQ(TreeEntries(dir.Path()), (std::vector<std::string>{"a", "a\\kept.txt"}));
}

TEST(SatelliteToolsOnWindows, DeletionTellsMissingFromInUse) {
  ScratchDirectory dir("delete");
  WriteFileText(dir / "held", "x");
  WriteFileText(dir / "free", "x");
  Win32SatelliteFileOps ops;
  {
    const UniqueFileHandle held(
        CreateFileA((dir / "held").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(ops.Delete(dir / "held"), DeleteResult::Failed);
  }
  EXPECT_EQ(ops.Delete(dir / "free"), DeleteResult::Deleted);
  EXPECT_EQ(ops.Delete(dir / "free"), DeleteResult::Missing);
  EXPECT_EQ(ops.Delete(dir / "nodir\\free"), DeleteResult::Missing);
}

}  // namespace
}  // namespace vnx::test
