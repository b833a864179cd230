// The per-file handler's Windows answers: names locked by a running instance
// are passed over, stale ones are deleted and reused, and placements create
// their directories.

#include "session/file_roles_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/handle.h"
#include "runner/frm_main.h"
#include "tests/session/extraction_sim.h"

namespace vnx::test {
namespace {

UniqueFileHandle Hold(const std::string& path) {
  return UniqueFileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}

TEST(FileRolesOnWindows, LockedNamesArePassedOverAndStaleOnesReused) {
  ScratchDirectory dir("roles");
  const std::string target = dir.Path() + "\\";
  WriteFileText(dir / "intro.exe", "old");  // left over, not in use
  WriteFileText(dir / "x0.dll", "in use");
  WriteFileText(dir / "x1.dll", "in use");
  const UniqueFileHandle engine0 = Hold(dir / "x0.dll");
  const UniqueFileHandle engine1 = Hold(dir / "x1.dll");
  ASSERT_TRUE(engine0 && engine1);

  TfrmMain form;
  ExtractSimulated({{"Intro.EXE", "", "new"}, {"X.DLL", "", "engine"}}, FileRoleFieldsOf(form),
                   Win32FileRoleEnvironment(TestPlacementIsSafe), target);
  EXPECT_EQ(form.ProjectorFile, "intro.exe");
  EXPECT_EQ(ReadWholeFile(dir / "intro.exe"), "new");
  EXPECT_EQ(form.EngineFile, "x2.dll");
  EXPECT_EQ(ReadWholeFile(dir / "x2.dll"), "engine");
  EXPECT_EQ(ReadWholeFile(dir / "x0.dll"), "in use");

  // A second instance while the first one's projector runs.
  const UniqueFileHandle projector = Hold(dir / "intro.exe");
  TfrmMain second;
  ExtractSimulated({{"Intro.EXE", "", "second"}}, FileRoleFieldsOf(second),
                   Win32FileRoleEnvironment(TestPlacementIsSafe), target);
  EXPECT_EQ(second.ProjectorFile, "intro1.exe");
  EXPECT_EQ(second.ProjectorSourceName, "intro.exe");
}

TEST(FileRolesOnWindows, PlacementsAndToolsGetTheirDirectories) {
  ScratchDirectory dir("placed");
  TfrmMain form;
  ExtractSimulated({{"Pic.BMP", "Media\\Pics", "p"}, {"Viewer.ptools.ini", "", "[VIEW]"}, {"Note.txt", ".", "n"}},
                   FileRoleFieldsOf(form), Win32FileRoleEnvironment(TestPlacementIsSafe), dir.Path());
  EXPECT_EQ(ReadWholeFile(dir / "Media\\Pics\\pic.bmp"), "p");
  EXPECT_EQ(ReadWholeFile(dir / "viewer\\ptools.ini"), "[VIEW]");
  EXPECT_EQ(ReadWholeFile(dir / "note.txt"), "n");
  EXPECT_EQ(form.CreatedSubdirs, std::vector<std::string>{"Media\\Pics"});

  TfrmMain refused;
  EXPECT_THROW(ExtractSimulated({{"Evil.txt", "..\\..\\x", ""}}, FileRoleFieldsOf(refused),
                                Win32FileRoleEnvironment(TestPlacementIsSafe), dir.Path()),
               EPlacementError);
}

}  // namespace
}  // namespace vnx::test
