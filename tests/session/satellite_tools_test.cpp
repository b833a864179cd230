// Setting up and removing satellite tools, and removing created
// subdirectories, on a file system held in memory.

#include "session/satellite_tools.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/errors.h"

namespace vnx {
namespace {

class MemoryFiles final : public SatelliteFileOps {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> unreadableCopies;     // sources whose copy fails
  std::map<std::string, int> failingDeletes;  // path -> failed attempts before it goes
  std::vector<std::string> log;

  std::optional<std::string> ReadWhole(const std::string& path) override {
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  bool Copy(const std::string& from, const std::string& to) override {
    log.push_back("copy " + from + " > " + to);
    if (unreadableCopies.count(from) || !files.count(from)) return false;
    files[to] = files[from];
    return true;
  }
  DeleteResult Delete(const std::string& path) override {
    log.push_back("delete " + path);
    if (failingDeletes[path] > 0) {
      --failingDeletes[path];
      return DeleteResult::Failed;
    }
    return files.erase(path) ? DeleteResult::Deleted : DeleteResult::Missing;
  }
  void RemoveDir(const std::string& path) override { log.push_back("rmdir " + path); }
  void Wait(int milliseconds) override { log.push_back("wait " + std::to_string(milliseconds)); }
};

constexpr char kTarget[] = "C:\\W";

TEST(SatelliteTools, EachToolGetsItsProgramAndItsSatellites) {
  MemoryFiles fs;
  fs.files = {{"C:\\W\\viewer\\ptools.ini", "[VIEW]\r\nmode=1\r\n"},
              {"C:\\W\\player\\ptools.ini", "[PLAY]"},
              {"C:\\W\\PVIEW.EXE", "view"},
              {"C:\\W\\PPLAY.EXE", "play"},
              {"C:\\W\\help.txt", "h"},
              {"C:\\W\\skin.bmp", "s"},
              {"C:\\W\\other.txt", "o"}};
  std::vector<std::string> toolFiles = {"C:\\W\\viewer\\", "C:\\W\\viewer\\ptools.ini", "C:\\W\\player\\",
                                        "C:\\W\\player\\ptools.ini"};
  const std::vector<ToolProgram> programs = {{"C:\\W\\pview.exe", "PTOOL."},
                                             {"C:\\W\\help.txt", "PTOOL.SATELLITE:PVIEW.EXE"},
                                             {"C:\\W\\skin.bmp", "PTOOL.SATELLITE:PPLAY.EXE"},
                                             {"C:\\W\\skin.bmp", "PTOOL.SATELLITE:PVIEW.EXE"},
                                             {"C:\\W\\other.txt", "PTOOL.SATELLITE:pview.exe"}};
  SetUpSatelliteTools(toolFiles, programs, kTarget, fs, NoLeadBytes);
  // From the last tool to the first; the copies follow the original entries.
  EXPECT_EQ(toolFiles, (std::vector<std::string>{"C:\\W\\viewer\\", "C:\\W\\viewer\\ptools.ini", "C:\\W\\player\\",
                                                 "C:\\W\\player\\ptools.ini", "C:\\W\\player\\PPLAY.EXE",
                                                 "C:\\W\\player\\skin.bmp", "C:\\W\\viewer\\PVIEW.EXE",
                                                 "C:\\W\\viewer\\help.txt", "C:\\W\\viewer\\skin.bmp"}));
  EXPECT_EQ(fs.files["C:\\W\\viewer\\PVIEW.EXE"], "view");
  EXPECT_EQ(fs.files["C:\\W\\player\\PPLAY.EXE"], "play");
  EXPECT_EQ(fs.files.count("C:\\W\\viewer\\other.txt"), 0u);  // the tag is compared exactly
}

TEST(SatelliteTools, AToolWithoutBracketedNameIsLeftAsItIs) {
  for (const char* firstLine : {"VIEW", "[]", "[VIEW", "VIEW]", " [VIEW]", "", "[VIEW] "}) {
    SCOPED_TRACE(firstLine);
    MemoryFiles fs;
    fs.files = {{"C:\\W\\v\\ptools.ini", std::string(firstLine) + "\n[VIEW]\n"}, {"C:\\W\\PVIEW.EXE", "x"}};
    std::vector<std::string> toolFiles = {"C:\\W\\v\\", "C:\\W\\v\\ptools.ini"};
    SetUpSatelliteTools(toolFiles, {}, kTarget, fs, NoLeadBytes);
    EXPECT_EQ(toolFiles.size(), 2u);
    EXPECT_TRUE(fs.log.empty());
  }
}

TEST(SatelliteTools, BadSettingsFilesRaiseTheirErrors) {
  struct Case {
    std::optional<std::string> content;  // nothing: the file is missing
    const char* message;
  } const cases[] = {
      {std::nullopt, "Cannot open file C:\\W\\v\\ptools.ini"},
      {"", "List index out of bounds (0)"},
      {"[..\\..\\X]", "Tool name \"..\\..\\X\" in C:\\W\\v\\ptools.ini is not a plain file name"},
      {"[A:B]", "Tool name \"A:B\" in C:\\W\\v\\ptools.ini is not a plain file name"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    MemoryFiles fs;
    if (c.content) fs.files["C:\\W\\v\\ptools.ini"] = *c.content;
    std::vector<std::string> toolFiles = {"C:\\W\\v\\", "C:\\W\\v\\ptools.ini"};
    try {
      SetUpSatelliteTools(toolFiles, {}, kTarget, fs, NoLeadBytes);
      ADD_FAILURE() << "no error";
    } catch (const ERunnerError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
    EXPECT_TRUE(fs.log.empty());
  }
}

TEST(SatelliteTools, FailedCopiesAreIgnored) {
  MemoryFiles fs;
  fs.files = {{"C:\\W\\v\\ptools.ini", "[VIEW]"}};  // no program file to copy
  std::vector<std::string> toolFiles = {"C:\\W\\v\\", "C:\\W\\v\\ptools.ini"};
  SetUpSatelliteTools(toolFiles, {{"C:\\W\\gone.txt", "PTOOL.SATELLITE:PVIEW.EXE"}}, kTarget, fs, NoLeadBytes);
  EXPECT_EQ(toolFiles, (std::vector<std::string>{"C:\\W\\v\\", "C:\\W\\v\\ptools.ini", "C:\\W\\v\\PVIEW.EXE",
                                                 "C:\\W\\v\\gone.txt"}));
}

TEST(SatelliteTools, RemovalEmptiesEachDirectoryBeforeRemovingIt) {
  MemoryFiles fs;
  fs.files = {{"C:\\W\\v\\ptools.ini", ""}, {"C:\\W\\v\\PVIEW.EXE", ""}, {"C:\\W\\pview.exe", ""}};
  RemoveSatelliteTools({"C:\\W\\v\\", "C:\\W\\v\\ptools.ini", "C:\\W\\v\\PVIEW.EXE"},
                       {{"C:\\W\\pview.exe", "PTOOL."}, {"C:\\W\\help.txt", "PTOOL.SATELLITE:PVIEW.EXE"}}, fs,
                       NoLeadBytes);
  EXPECT_EQ(fs.log, (std::vector<std::string>{"delete C:\\W\\v\\PVIEW.EXE", "delete C:\\W\\v\\ptools.ini",
                                              "rmdir C:\\W\\v", "delete C:\\W\\help.txt", "delete C:\\W\\pview.exe"}));
  EXPECT_TRUE(fs.files.empty());
}

TEST(SatelliteTools, DeletionsAreRetriedWhileTheFileIsInUse) {
  struct Case {
    int failures;
    bool deleted;
    int waits;
  } const cases[] = {{0, true, 0}, {3, true, 3}, {21, true, 21}, {22, false, 21}, {100, false, 21}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failures);
    MemoryFiles fs;
    fs.files = {{"f", ""}};
    fs.failingDeletes["f"] = c.failures;
    EXPECT_EQ(DeleteWithRetries("f", fs), c.deleted);
    int waits = 0, attempts = 0;
    for (const std::string& entry : fs.log) {
      if (entry == "wait 111") ++waits;
      if (entry == "delete f") ++attempts;
    }
    EXPECT_EQ(waits, c.waits);
    EXPECT_EQ(attempts, std::min(c.failures + 1, 22));
  }
  MemoryFiles fs;  // a file that is not there is not waited for
  EXPECT_TRUE(DeleteWithRetries("missing", fs));
  EXPECT_EQ(fs.log, (std::vector<std::string>{"delete missing"}));
}

TEST(SatelliteTools, CreatedSubdirectoriesAreCutBackLevelByLevel) {
  MemoryFiles fs;
  RemoveCreatedSubdirs({"a\\b\\c", "d\\", "e"}, "C:\\W\\", fs, NoLeadBytes);
  EXPECT_EQ(fs.log, (std::vector<std::string>{"rmdir C:\\W\\e", "rmdir C:\\W\\d", "rmdir C:\\W\\a\\b\\c",
                                              "rmdir C:\\W\\a\\b", "rmdir C:\\W\\a"}));
}

}  // namespace
}  // namespace vnx
