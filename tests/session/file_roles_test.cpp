// The per-file handler's decisions for the settings, probe and main passes:
// which files are written, under which name, where, and what is recorded.

#include "session/file_roles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace vnx {
namespace {

bool ShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The main form's fields under their own names.
struct Form {
  bool SettingsPass = false, ProbePass = false, PlacementSeen = false;
  std::int32_t InstanceSlot = 0;
  TUserChoice Midi;
  std::string SettingsFileName, ProjectorSourceName, ProjectorFile, EngineFile, MusicFile;
  std::vector<std::string> ExtraFiles, CreatedSubdirs, ToolFiles;
  std::vector<ToolProgram> ToolPrograms;
};

constexpr char kTarget[] = "C:\\T\\";

// A file system in which the named files exist and are in use.
class FileRolesTest : public ::testing::Test {
 protected:
  FileRolesTest() {
    environment.IsLeadByte = ShiftJisLead;
    environment.ExistsAndCannotBeDeleted = [this](const std::string& path) {
      asked.push_back(path);
      return locked.count(path) > 0;
    };
    environment.CreateDirectoryTree = [this](const std::string& path) { trees.push_back(path); };
    environment.CreateOneDirectory = [this](const std::string& path) { directories.push_back(path); };
    // Stands in for the session reader's destination check.
    environment.PlacementIsSafe = [](const std::string& placement) {
      return placement.find("..") == std::string::npos && placement.find(':') == std::string::npos &&
             placement[0] != '\\';
    };
  }

  struct Outcome {
    std::string fileName, destinationDir;
    bool skip = false;
  };

  Outcome Handle(const std::string& storedName, const std::string& placement = "") {
    Outcome outcome{storedName, kTarget, false};
    HandleExtractedFile(FileRoleFieldsOf(form), environment, kTarget, placement, outcome.fileName,
                        outcome.destinationDir, outcome.skip);
    return outcome;
  }

  Form form;
  FileRoleEnvironment environment;
  std::set<std::string> locked;
  std::vector<std::string> asked, trees, directories;
};

TEST_F(FileRolesTest, MainPassGivesEachFileItsRole) {
  struct Case {
    const char* stored;
    const char* placement;
    bool midiMuted;
    Outcome expected;
    const char* projector;
    const char* engine;
    const char* music;
    std::vector<std::string> extra;
  } const cases[] = {
      {"Intro.EXE", "", false, {"intro.exe", kTarget, false}, "intro.exe", "", "", {}},
      {"X.DLL", "", false, {"x0.dll", kTarget, false}, "", "x0.dll", "", {}},
      {"Song.MID", "", false, {"song.mid", kTarget, false}, "", "", "song.mid", {}},
      {"Song.RMI", "", true, {"song.rmi", kTarget, true}, "", "", "", {}},
      {"Song.mid", "", true, {"song.mid", kTarget, true}, "", "", "", {}},
      {"Movie.SWF", "", false, {"movie.swf", kTarget, false}, "", "", "", {"C:\\T\\movie.swf"}},
      {"README", "", false, {"readme", kTarget, false}, "", "", "", {"C:\\T\\readme"}},
      {"Show.ini", "", false, {"show.ini", kTarget, true}, "", "", "", {}},        // the settings pass's file
      {".ptools.ini", "", false, {".ptools.ini", kTarget, true}, "", "", "", {}},  // not a tool file
      // A placement makes any file an ordinary one.
      {"Intro.EXE", ".", false, {"intro.exe", kTarget, false}, "", "", "", {"C:\\T\\intro.exe"}},
      {"Help.DLL", "docs", false, {"help.dll", "C:\\T\\docs\\", false}, "", "", "", {"C:\\T\\docs\\help.dll"}},
      {"Conf.INI", "a\\b\\", false, {"conf.ini", "C:\\T\\a\\b\\", false}, "", "", "", {"C:\\T\\a\\b\\conf.ini"}},
      {"Song.MID", "m", true, {"song.mid", "C:\\T\\m\\", false}, "", "", "", {"C:\\T\\m\\song.mid"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + " / " + c.placement);
    form = Form{};
    form.Midi.Value = c.midiMuted;
    const Outcome outcome = Handle(c.stored, c.placement);
    EXPECT_EQ(outcome.fileName, c.expected.fileName);
    EXPECT_EQ(outcome.destinationDir, c.expected.destinationDir);
    EXPECT_EQ(outcome.skip, c.expected.skip);
    EXPECT_EQ(form.ProjectorFile, c.projector);
    EXPECT_EQ(form.EngineFile, c.engine);
    EXPECT_EQ(form.MusicFile, c.music);
    EXPECT_EQ(form.ExtraFiles, c.extra);
    EXPECT_TRUE(form.SettingsFileName.empty());
    EXPECT_TRUE(form.ToolFiles.empty());
    EXPECT_TRUE(form.ToolPrograms.empty());
  }
}

TEST_F(FileRolesTest, ProjectorAndEngineNamesFollowTheSlotAndPassOverLockedNames) {
  struct Case {
    const char* stored;
    std::int32_t slot;
    std::set<std::string> locked;
    const char* written;
  } const cases[] = {
      {"Intro.EXE", 0, {}, "intro.exe"},
      {"Intro.EXE", 2, {}, "intro2.exe"},
      {"Intro.EXE", 2, {"C:\\T\\intro2.exe"}, "intro3.exe"},
      {"Intro.EXE", 0, {"C:\\T\\intro.exe"}, "intro1.exe"},
      {"Intro.EXE", 0, {"C:\\T\\intro.exe", "C:\\T\\intro1.exe", "C:\\T\\intro2.exe"}, "intro3.exe"},
      {"Intro.EXE", 1, {"C:\\T\\intro.exe"}, "intro1.exe"},  // slot 1 never tries the bare name
      {"x.dll", 0, {}, "x0.dll"},
      {"x.dll", 4, {}, "x4.dll"},
      {"x.dll", 0, {"C:\\T\\x0.dll"}, "x1.dll"},
      {"x.dll", 0, {"C:\\T\\x.dll"}, "x0.dll"},
      {"a.b.exe", 3, {}, "a.b3.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + " slot " + std::to_string(c.slot));
    form = Form{};
    form.InstanceSlot = c.slot;
    locked = c.locked;
    const Outcome outcome = Handle(c.stored);
    EXPECT_EQ(outcome.fileName, c.written);
    EXPECT_FALSE(outcome.skip);
    const bool projector = std::string(c.stored).ends_with(".EXE") || std::string(c.stored).ends_with(".exe");
    EXPECT_EQ(projector ? form.ProjectorFile : form.EngineFile, c.written);
    if (projector) {
      EXPECT_EQ(form.ProjectorSourceName, LowerCaseName(c.stored, NoLeadBytes));
    }
  }
}

TEST_F(FileRolesTest, SettingsPassWritesOnlyIniFilesWhereverTheyArePlaced) {
  form.SettingsPass = true;
  struct Case {
    const char* stored;
    const char* placement;
    bool skip;
    const char* settingsFile;
  } const cases[] = {
      {"Show.INI", "", false, "show.ini"},
      {"Conf.ini", "sub\\dir", false, "conf.ini"},
      {"Tool.ini", "PTOOL.X", false, "tool.ini"},
      {".ptools.ini", "", false, ".ptools.ini"},
      {"Viewer.ptools.ini", "", true, ""},
      {"Intro.exe", "", true, ""},
      {"X.dll", "", true, ""},
      {"Song.mid", "", true, ""},
      {"Data.txt", ".", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    form.SettingsFileName.clear();
    const Outcome outcome = Handle(c.stored, c.placement);
    EXPECT_EQ(outcome.skip, c.skip);
    EXPECT_EQ(outcome.destinationDir, kTarget);  // always the temporary base directory
    EXPECT_EQ(form.SettingsFileName, c.settingsFile);
  }
  EXPECT_TRUE(form.ExtraFiles.empty());
  EXPECT_TRUE(form.CreatedSubdirs.empty());
  EXPECT_TRUE(form.ToolFiles.empty());
  EXPECT_TRUE(trees.empty());
  EXPECT_TRUE(directories.empty());
  EXPECT_TRUE(form.ProjectorFile.empty());
}

TEST_F(FileRolesTest, ProbePassOnlyNotesPlacements) {
  struct Case {
    const char* placement;
    bool settingsPass;
    bool seen;
  } const cases[] = {
      {"", false, false},       {".", false, true},   {"sub", false, true},
      {"PTOOL.X", false, true}, {"sub", true, false},  // a probe inside the settings pass notes nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.placement);
    form = Form{};
    form.ProbePass = true;
    form.SettingsPass = c.settingsPass;
    const Outcome outcome = Handle("Intro.EXE", c.placement);
    EXPECT_TRUE(outcome.skip);
    EXPECT_EQ(outcome.fileName, "Intro.EXE");
    EXPECT_EQ(form.PlacementSeen, c.seen);
    EXPECT_TRUE(form.ProjectorFile.empty());
  }
  EXPECT_TRUE(asked.empty());
}

TEST_F(FileRolesTest, SubdirectoriesAreCreatedOnceWhateverTheirLetterCase) {
  Handle("a.txt", "Docs\\Pics");
  Handle("b.txt", "docs\\pics");
  Handle("c.txt", "Docs");
  EXPECT_EQ(form.CreatedSubdirs, (std::vector<std::string>{"Docs\\Pics", "Docs"}));
  EXPECT_EQ(trees, (std::vector<std::string>{"C:\\T\\Docs\\Pics", "C:\\T\\Docs"}));
  EXPECT_EQ(form.ExtraFiles,
            (std::vector<std::string>{"C:\\T\\Docs\\Pics\\a.txt", "C:\\T\\docs\\pics\\b.txt", "C:\\T\\Docs\\c.txt"}));
}

TEST_F(FileRolesTest, PlacementsThatLeaveTheTargetAreRefusedNamingTheFile) {
  for (const char* placement : {"..", "..\\up", "a\\..\\..\\b", "C:\\Windows", "\\abs"}) {
    SCOPED_TRACE(placement);
    try {
      Handle("Evil.TXT", placement);
      ADD_FAILURE() << "accepted";
    } catch (const EPlacementError& error) {
      EXPECT_EQ(std::string(error.what()),
                std::string("Placement \"") + placement + "\" of file Evil.TXT leaves the target directory");
    }
  }
  EXPECT_TRUE(trees.empty());
  EXPECT_TRUE(form.CreatedSubdirs.empty());
  EXPECT_TRUE(form.ExtraFiles.empty());
}

TEST_F(FileRolesTest, ToolPlacementsAreRecordedNotPlaced) {
  const Outcome program = Handle("PView.EXE", "PTOOL.");
  const Outcome satellite = Handle("Help.TXT", "PTOOL.SATELLITE:PVIEW.EXE");
  const Outcome ini = Handle("Tool.ini", "PTOOL.SATELLITE:PVIEW.EXE");
  const Outcome lowerTag = Handle("Other.txt", "ptool.x");  // not a tool tag: an ordinary placement
  EXPECT_EQ(program.fileName, "pview.exe");
  EXPECT_FALSE(program.skip);
  EXPECT_FALSE(satellite.skip);
  EXPECT_TRUE(ini.skip);
  EXPECT_EQ(lowerTag.destinationDir, "C:\\T\\ptool.x\\");
  ASSERT_EQ(form.ToolPrograms.size(), 2u);
  EXPECT_EQ(form.ToolPrograms[0].Path, "C:\\T\\pview.exe");
  EXPECT_EQ(form.ToolPrograms[0].Placement, "PTOOL.");
  EXPECT_EQ(form.ToolPrograms[1].Path, "C:\\T\\help.txt");
  EXPECT_EQ(form.ToolPrograms[1].Placement, "PTOOL.SATELLITE:PVIEW.EXE");
  EXPECT_TRUE(form.ProjectorFile.empty());
  EXPECT_TRUE(asked.empty());  // no instance numbering for tools
}

TEST_F(FileRolesTest, ToolSettingsFileGetsADirectoryOfItsOwn) {
  const Outcome outcome = Handle("Viewer.PTOOLS.ini");
  EXPECT_FALSE(outcome.skip);
  EXPECT_EQ(outcome.fileName, "ptools.ini");
  EXPECT_EQ(outcome.destinationDir, "C:\\T\\viewer\\");
  EXPECT_EQ(form.ToolFiles, (std::vector<std::string>{"C:\\T\\viewer\\", "C:\\T\\viewer\\ptools.ini"}));
  EXPECT_EQ(directories, (std::vector<std::string>{"C:\\T\\viewer"}));

  // With a tool placement the file is still a tool settings file.
  Handle("Second.ptools.ini", "PTOOL.");
  EXPECT_EQ(form.ToolFiles.back(), "C:\\T\\second\\ptools.ini");
  EXPECT_TRUE(form.ToolPrograms.empty());
}

TEST_F(FileRolesTest, ToolDirectoryMustBeAPlainName) {
  EXPECT_THROW(Handle("...ptools.ini"), EPlacementError);  // tool "..": the parent directory
  EXPECT_THROW(Handle("..ptools.ini"), EPlacementError);   // tool ".": the target itself
  EXPECT_TRUE(directories.empty());
  EXPECT_TRUE(form.ToolFiles.empty());
}

TEST_F(FileRolesTest, DoubleByteNamesKeepTheirSecondBytes) {
  const std::string katakanaA = "\x83\x41";
  const Outcome outcome = Handle(katakanaA + "B.SWF");
  EXPECT_EQ(outcome.fileName, katakanaA + "b.swf");
}

TEST_F(FileRolesTest, MainPassStartsWithEmptyRecords) {
  form.ExtraFiles = {"x"};
  form.CreatedSubdirs = {"x"};
  form.ToolFiles = {"x"};
  form.ToolPrograms = {{"x", "PTOOL."}};
  form.ProjectorFile = form.EngineFile = form.MusicFile = form.ProjectorSourceName = form.SettingsFileName = "x";
  ClearForMainPass(FileRoleFieldsOf(form));
  EXPECT_TRUE(form.ExtraFiles.empty());
  EXPECT_TRUE(form.CreatedSubdirs.empty());
  EXPECT_TRUE(form.ToolFiles.empty());
  EXPECT_TRUE(form.ToolPrograms.empty());
  EXPECT_TRUE(form.ProjectorFile.empty());
  EXPECT_TRUE(form.EngineFile.empty());
  EXPECT_TRUE(form.MusicFile.empty());
  EXPECT_EQ(form.ProjectorSourceName, "x");
  EXPECT_EQ(form.SettingsFileName, "x");
}

TEST(CurrentDirProbe, OnlyZeroRunsTheProbe) {
  struct Case {
    std::int32_t currentDir;
    bool placementSeen;
    bool probed, useCurrentDir;
  } const cases[] = {
      {0, false, true, true}, {0, true, true, false},   {1, false, false, false},
      {2, true, false, true}, {3, false, false, false}, {-1, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.currentDir);
    bool probed = false;
    const bool use = DecideUseCurrentDir(c.currentDir, [&] {
      probed = true;
      return c.placementSeen;
    });
    EXPECT_EQ(probed, c.probed);
    EXPECT_EQ(use, c.useCurrentDir);
  }
}

}  // namespace
}  // namespace vnx
