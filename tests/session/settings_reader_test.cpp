// The settings reader: every key with its kind and default, the switch and
// user-choice records, the fifty-entry list, the per-user overlay, and the
// settings pass around them.

#include "session/settings_reader.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/errors.h"
#include "session/file_roles.h"
#include "session/settings_keys.h"

namespace vnx {
namespace {

// Per-user values held in memory; absent names give the default.
class MemoryPerUserValues final : public PerUserValues {
 public:
  std::map<std::string, std::string> values;
  std::string failOn;  // a name whose read raises, like a value of the wrong type
  std::vector<std::string> reads;

  bool ReadBool(const std::string& name, bool defaultValue) override {
    reads.push_back(name);
    if (name == failOn) throw std::runtime_error("Invalid data type for '" + name + "'");
    const auto it = values.find(name);
    return it == values.end() ? defaultValue : BoolFromText(it->second, defaultValue);
  }
  std::string ReadString(const std::string& name, const std::string& defaultValue) override {
    if (name == failOn) throw std::runtime_error("Invalid data type for '" + name + "'");
    const auto it = values.find(name);
    return it == values.end() ? defaultValue : it->second;
  }
};

PresentationSettings Read(const std::string& text, const std::string& exeFileName = "Show.exe") {
  PresentationSettings settings;
  ApplySettingsFile(IniFile(text), SettingsDestinationsOf(settings), exeFileName);
  return settings;
}

TEST(SettingsFile, EveryKeyHasItsDefault) {
  const PresentationSettings s = Read("");
  EXPECT_EQ(s.ProjectorVersionMajor, 4);
  EXPECT_EQ(s.BeforeShow, "");
  EXPECT_EQ(s.ScreenName, "Show");
  EXPECT_TRUE(s.Password);
  EXPECT_EQ(s.AlignmentX, 0);
  EXPECT_EQ(s.PWEditLabel, "Please enter password:");
  EXPECT_EQ(s.PWrong, "Wrong password!");
  EXPECT_FALSE(s.HideCursor);
  EXPECT_EQ(s.CurrentDir, 0);
  EXPECT_EQ(s.WindowLeft, 0);
  EXPECT_EQ(s.WindowTop, 0);
  EXPECT_EQ(s.WindowWidth, 640);
  EXPECT_EQ(s.WindowHeight, 480);
  EXPECT_EQ(s.AlignmentV, 2);
  EXPECT_EQ(s.AlignmentH, 2);
  EXPECT_EQ(s.MidiLoopTimes, 0);
  const std::map<std::string, bool> switchDefaults = {
      {"DLL", true},
      {"DisableW95Key", true},
      {"DisableClickForeground", false},
      {"DisableScreenSaver", true},
      {"FullScreen", false},
      {"CustomSize", false},
      {"MaintainRatio", true},
      {"AllowResize", true},
      {"ExitOnESC", true},
      {"AlwaysOnTop", false},
      {"NoTitle", false},
      {"NoBorder", false},
      {"Draggable", false},
      {"SetupMenu", false},
      {"CloseMenu", true},
      {"MinimizeMenu", false},
  };
  PresentationSettings copy = s;
  const SettingsDestinations d = SettingsDestinationsOf(copy);
  for (const SwitchKey& key : kSwitchKeys)
    EXPECT_EQ((d.*key.Destination)->Value, switchDefaults.at(key.Key)) << key.Key;
}

TEST(SettingsFile, ValuesOfEveryKindAreRead) {
  const PresentationSettings s = Read(
      "[projectorversion]\nMajor=327680\n"
      "[EngineCommands]\nBeforeShow=tool.exe -x\n"
      "[Settings]\nPellam Screen Name=My Show\nPassword=1\nAlignmentX=$7FFF\nPWEditLabel=Code:\nPWrong=No\n"
      "HideCursor=5\nCurrentDir=2\nLeft=-10\nTop=20\nWidth=0x280\nHeight=$1E0\nAlignmentV=3\nAlignmentH=1\n"
      "MidiLoopTimes=0\n");
  EXPECT_EQ(s.ProjectorVersionMajor, 327680);
  EXPECT_EQ(s.BeforeShow, "tool.exe -x");
  EXPECT_EQ(s.ScreenName, "My Show");
  EXPECT_TRUE(s.Password);
  EXPECT_EQ(s.AlignmentX, 0x7FFF);
  EXPECT_EQ(s.PWEditLabel, "Code:");
  EXPECT_EQ(s.PWrong, "No");
  EXPECT_TRUE(s.HideCursor);
  EXPECT_EQ(s.CurrentDir, 2);
  EXPECT_EQ(s.WindowLeft, -10);
  EXPECT_EQ(s.WindowTop, 20);
  EXPECT_EQ(s.WindowWidth, 640);
  EXPECT_EQ(s.WindowHeight, 480);
  EXPECT_EQ(s.AlignmentV, 3);
  EXPECT_EQ(s.AlignmentH, 1);
  EXPECT_EQ(s.MidiLoopTimes, 0);  // as read; the main form turns it into "without end"
}

TEST(SettingsFile, ScreenNameDefaultsToTheExecutableStem) {
  EXPECT_EQ(Read("", "Demo.EXE").ScreenName, "Demo");
  EXPECT_EQ(Read("", "my.exe.exe").ScreenName, "my");
  EXPECT_EQ(Read("", "demo").ScreenName, "");
  EXPECT_EQ(Read("[Settings]\nPellam Screen Name=\n", "Demo.exe").ScreenName, "");
}

TEST(SettingsFile, IntegersAndFlagsFallBackOnBadText) {
  struct Case {
    const char* line;
    std::int32_t width;
    bool password, hideCursor;
  } const cases[] = {
      {"Width=0x280", 640, true, false},  {"Width=$280", 640, true, false},   {"Width=800px", 640, true, false},
      {"Width = 800", 640, true, false},  // blanks around "=": another name
      {"Width=800", 800, true, false},    {"Password=2", 640, false, false},  {"Password=0", 640, false, false},
      {"Password=yes", 640, true, false}, {"HideCursor=-1", 640, true, true}, {"HideCursor=0", 640, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const PresentationSettings s = Read(std::string("[Settings]\n") + c.line + "\n");
    EXPECT_EQ(s.WindowWidth, c.width);
    EXPECT_EQ(s.Password, c.password);
    EXPECT_EQ(s.HideCursor, c.hideCursor);
  }
}

TEST(SettingsFile, SwitchesAreOnOnlyForOne) {
  struct Case {
    const char* value;  // nullptr: the key is absent
    bool fullScreen, closeMenu;
  } const cases[] = {
      {"1", true, true},      {"0", false, false}, {"5", false, false},
      {"-1", false, false},   {"$1", true, true},  {"on", false, true},  // not an integer: the default
      {nullptr, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value ? c.value : "(absent)");
    const std::string text =
        c.value ? std::string("[Settings]\nFullScreen=") + c.value + "\nCloseMenu=" + c.value + "\n" : "[Settings]\n";
    PresentationSettings s;
    s.FullScreen.Value = true;       // a switch starts out false whatever it held
    s.FullScreen.UserChoice = true;  // only Value belongs to a switch
    ApplySettingsFile(IniFile(text), SettingsDestinationsOf(s), "x.exe");
    EXPECT_EQ(s.FullScreen.Value, c.fullScreen);
    EXPECT_EQ(s.CloseMenu.Value, c.closeMenu);
    EXPECT_TRUE(s.FullScreen.UserChoice);
  }
}

TEST(SettingsFile, RightMenuListIsClearedThenReadUpToFifty) {
  std::string many = "[RightMenuDeleteItems]\nCount=60\n";
  for (int i = 0; i < 60; ++i) many += std::to_string(i) + "=" + std::to_string(100 + i) + "\n";
  struct Case {
    std::string text;
    std::vector<std::pair<std::size_t, std::int32_t>> expected;  // all other entries 0
  } const cases[] = {
      {many, {}},
      {"[RightMenuDeleteItems]\nCount=3\n0=7\n2=$10\n3=9\n", {{0, 7}, {2, 16}}},
      {"[RightMenuDeleteItems]\nCount=0\n0=7\n", {}},
      {"[RightMenuDeleteItems]\nCount=-3\n0=7\n", {}},
      {"[RightMenuDeleteItems]\nCount=2\n00=7\n1=x\n", {}},  // "00" is not the key "0"
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    PresentationSettings s;
    s.RightMenuDeleteItems.fill(-1);  // left over from an earlier read
    ApplySettingsFile(IniFile(c.text), SettingsDestinationsOf(s), "x.exe");
    RightMenuDeleteList expected{};
    if (&c == &cases[0])
      for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<std::int32_t>(100 + i);
    for (const auto& [index, value] : c.expected) expected[index] = value;
    EXPECT_EQ(s.RightMenuDeleteItems, expected);
  }
}

// A user choice after the file and the per-user overlay.
struct ChoiceCase {
  const char* key;
  const char* value;  // nullptr: absent
  std::map<std::string, std::string> perUser;
  TUserChoice expected;
};

TUserChoice ChoiceAfterReading(const ChoiceCase& c) {
  const std::string text = c.value ? std::string("[Settings]\n") + c.key + "=" + c.value + "\n" : "[Settings]\n";
  PresentationSettings s;
  const SettingsDestinations d = SettingsDestinationsOf(s);
  ApplySettingsFile(IniFile(text), d, "x.exe");
  MemoryPerUserValues values;
  values.values = c.perUser;
  ApplyPerUserChoices(d, values);
  for (const UserChoiceKey& key : kUserChoiceKeys)
    if (std::string(key.Key) == c.key) return *(d.*key.Destination);
  ADD_FAILURE() << "no user choice " << c.key;
  return {};
}

TEST(SettingsFile, UserChoicesFromTheFileAndThePerUserValues) {
  // {UserChoice, ChoiceEnabled, Value}
  const ChoiceCase cases[] = {
      {"Midi", "0", {}, {false, true, false}},                  // music plays
      {"Midi", "1", {}, {false, true, true}},                   // music muted
      {"Midi", "1", {{"MidiMute", "0"}}, {false, true, true}},  // fixed: no per-user value read
      {"Midi", "2", {}, {true, true, false}},
      {"Midi", "2", {{"MidiMute", "1"}}, {true, true, true}},
      {"Midi", nullptr, {{"MidiMute", "$1"}}, {true, true, true}},
      {"Sound", "0", {}, {false, true, true}},  // sound muted
      {"Sound", "1", {}, {false, true, false}},
      {"Sound", "2", {}, {true, true, false}},
      {"Sound", "2", {{"Mute", "7"}}, {true, true, true}},
      {"Interaction", "0", {}, {false, true, false}},
      {"Interaction", "1", {}, {false, true, true}},
      {"Interaction", "2", {}, {true, true, false}},  // mouse input ends the presentation
      {"Interaction", "2", {{"MouseExit", "0"}}, {true, true, true}},
      {"Interaction", "2", {{"MouseExit", "yes"}}, {true, true, false}},
      {"KeyInteraction", "0", {}, {false, true, false}},
      {"KeyInteraction", "1", {}, {false, true, true}},
      {"KeyInteraction", "2", {}, {true, true, true}},  // keys work
      {"KeyInteraction", "2", {{"AnyKeyExit", "0x1"}}, {true, true, false}},
      {"MidiLoop", "0", {}, {false, false, false}},
      {"MidiLoop", "1", {}, {false, false, true}},
      {"MidiLoop", "2", {}, {true, false, false}},  // no per-user value exists for it
      {"MidiLoop", nullptr, {}, {false, false, false}},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + (c.value ? c.value : "(absent)") + " with " +
                 std::to_string(c.perUser.size()) + " per-user values");
    const TUserChoice choice = ChoiceAfterReading(c);
    EXPECT_EQ(choice.UserChoice, c.expected.UserChoice);
    EXPECT_EQ(choice.ChoiceEnabled, c.expected.ChoiceEnabled);
    EXPECT_EQ(choice.Value, c.expected.Value);
  }
}

TEST(SettingsFile, RightClickMenuCanBeSwitchedOnlyWhileTheMouseWorks) {
  struct Case {
    const char* interaction;
    const char* rightClick;
    std::map<std::string, std::string> perUser;
    TUserChoice expected;
  } const cases[] = {
      {"1", "0", {}, {false, true, false}},
      {"0", "1", {}, {false, false, true}},
      {"2", "2", {}, {true, false, false}},
      {"2", "2", {{"MouseExit", "0"}, {"DisplayRightClickMenu", "1"}}, {true, true, true}},
      {"1", "2", {{"DisplayRightClickMenu", "1"}}, {true, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.interaction) + "/" + c.rightClick);
    PresentationSettings s;
    const SettingsDestinations d = SettingsDestinationsOf(s);
    ApplySettingsFile(
        IniFile(std::string("[Settings]\nInteraction=") + c.interaction + "\nRightClickMenu=" + c.rightClick + "\n"), d,
        "x.exe");
    MemoryPerUserValues values;
    values.values = c.perUser;
    ApplyPerUserChoices(d, values);
    EXPECT_EQ(s.RightClickMenu.UserChoice, c.expected.UserChoice);
    EXPECT_EQ(s.RightClickMenu.ChoiceEnabled, c.expected.ChoiceEnabled);
    EXPECT_EQ(s.RightClickMenu.Value, c.expected.Value);
  }
}

TEST(SettingsFile, PerUserValuesAreReadInTheirOrderForChoicesLeftToTheViewer) {
  PresentationSettings s;
  const SettingsDestinations d = SettingsDestinationsOf(s);
  ApplySettingsFile(IniFile("[Settings]\nSound=1\n"), d, "x.exe");
  MemoryPerUserValues values;
  ApplyPerUserChoices(d, values);
  EXPECT_EQ(values.reads, (std::vector<std::string>{"MouseExit", "MidiMute", "DisplayRightClickMenu", "AnyKeyExit"}));
}

TEST(SettingsFile, EachKeyGoesToTheDestinationItsCallerGave) {
  // As the Setup dialog does it: the choices into its own copy, the rest into
  // the main form.
  PresentationSettings mainForm, dialog;
  SettingsDestinations d = SettingsDestinationsOf(mainForm);
  d.Interaction = &dialog.Interaction;
  d.Width = &dialog.WindowWidth;
  d.ScreenName = &dialog.ScreenName;
  ApplySettingsFile(IniFile("[Settings]\nInteraction=1\nWidth=800\nPellam Screen Name=T\nPWrong=W\n"), d, "x.exe");
  EXPECT_TRUE(dialog.Interaction.Value);
  EXPECT_FALSE(mainForm.Interaction.Value);
  EXPECT_EQ(dialog.WindowWidth, 800);
  EXPECT_EQ(mainForm.WindowWidth, 0);
  EXPECT_EQ(dialog.ScreenName, "T");
  EXPECT_EQ(mainForm.ScreenName, "");
  EXPECT_EQ(mainForm.PWrong, "W");
}

// The settings pass with a session simulated by the files it holds: the
// per-file handler decides, written files land in a map.
class SettingsPassTest : public ::testing::Test {
 protected:
  struct SessionFile {
    std::string name, placement, content;
  };

  SettingsPassTest() {
    context.SettingsPass = &form.SettingsPass;
    context.SettingsFileName = &form.SettingsFileName;
    context.ExeFileName = "Show.exe";
    context.PerUser = &perUser;
    context.TempBase = [this] {
      if (tempBaseFails) throw std::runtime_error("Invalid data type for 'Pellam Temp Directory'");
      return std::string("C:\\Temp\\");
    };
    context.CreatePassDirectory = [this](const std::string& baseDir) {
      passDirectoryBases.push_back(baseDir);
      return baseDir + "Vnx_Ini7\\";
    };
    context.RemovePassDirectory = [this](const std::string& passDir) {
      removedDirectories.push_back(passDir);
      std::erase_if(disk, [&](const auto& file) { return file.first.starts_with(passDir); });
    };
    context.ExtractSettingsFiles = [this](const std::string& passDir) {
      extractedInto.push_back(passDir);
      passFlagDuringExtraction = form.SettingsPass;
      for (const SessionFile& file : session) Extract(file, passDir);
      // As a damaged record further on: what came before it is written.
      if (!extractionFailure.empty()) throw ERunnerError(extractionFailure);
    };
    context.ReadSettingsFile = [this](const std::string& path) {
      const auto it = disk.find(path);
      if (it == disk.end()) throw EFOpenError(path);
      return it->second;
    };
    environment.ExistsAndCannotBeDeleted = [](const std::string&) { return false; };
  }

  // What the session reader does with each file: ask the handler, then write.
  void Extract(const SessionFile& file, const std::string& baseDir) {
    std::string name = file.name, destination = baseDir;
    bool skip = false;
    HandleExtractedFile(FileRoleFieldsOf(form), environment, baseDir, file.placement, name, destination, skip);
    if (!skip) disk[destination + name] = file.content;
  }

  PresentationSettings Run() {
    PresentationSettings settings;
    ReadSettings(SettingsDestinationsOf(settings), context);
    return settings;
  }

  struct Form {
    bool SettingsPass = false, ProbePass = false, PlacementSeen = false;
    std::int32_t InstanceSlot = 0;
    TUserChoice Midi;
    std::string SettingsFileName, ProjectorSourceName, ProjectorFile, EngineFile, MusicFile;
    std::vector<std::string> ExtraFiles, CreatedSubdirs, ToolFiles;
    std::vector<ToolProgram> ToolPrograms;
  } form;
  MemoryPerUserValues perUser;
  FileRoleEnvironment environment;
  SettingsPassContext context;
  std::vector<SessionFile> session;
  std::string extractionFailure;
  std::map<std::string, std::string> disk;
  std::vector<std::string> passDirectoryBases, extractedInto, removedDirectories;
  bool tempBaseFails = false;  // the temporary base directory cannot be had
  bool passFlagDuringExtraction = false;
};

TEST_F(SettingsPassTest, TheSettingsFileIsReadAndDeleted) {
  session = {{"Intro.exe", "", "MZ"},
             {"Show.INI", "", "[Settings]\nWidth=800\nSound=2\n"},
             {"viewer.ptools.ini", "", "[VIEW]"},
             {"Data.txt", "sub", "x"}};
  perUser.values = {{"Mute", "1"}};
  const PresentationSettings s = Run();
  EXPECT_EQ(passDirectoryBases, (std::vector<std::string>{"C:\\Temp\\"}));
  EXPECT_EQ(extractedInto, (std::vector<std::string>{"C:\\Temp\\Vnx_Ini7\\"}));
  EXPECT_TRUE(passFlagDuringExtraction);
  EXPECT_FALSE(form.SettingsPass);
  EXPECT_EQ(form.SettingsFileName, "show.ini");
  EXPECT_EQ(removedDirectories, (std::vector<std::string>{"C:\\Temp\\Vnx_Ini7\\"}));
  EXPECT_TRUE(disk.empty());  // nothing else was written, the settings file is gone
  EXPECT_EQ(s.WindowWidth, 800);
  EXPECT_TRUE(s.Sound.UserChoice);
  EXPECT_TRUE(s.Sound.Value);
}

TEST_F(SettingsPassTest, OfTwoSettingsFilesTheLaterIsReadAndNeitherStays) {
  session = {{"First.ini", "", "[Settings]\nWidth=100\n"}, {"Second.ini", "a\\b", "[Settings]\nWidth=200\n"}};
  context.RemovePassDirectory = [this](const std::string&) {
    EXPECT_EQ(disk.size(), 2u);  // both were written into the pass directory
    disk.clear();
  };
  const PresentationSettings s = Run();
  EXPECT_EQ(s.WindowWidth, 200);
  EXPECT_EQ(form.SettingsFileName, "second.ini");
  EXPECT_TRUE(disk.empty());
}

TEST_F(SettingsPassTest, WithoutSettingsFileTheStartingValuesStay) {
  session = {{"Intro.exe", "", "MZ"}};
  perUser.values = {{"MouseExit", "0"}};
  PresentationSettings settings;
  settings.WindowWidth = 1024;  // the screen size the main form set
  ReadSettings(SettingsDestinationsOf(settings), context);
  EXPECT_EQ(settings.WindowWidth, 1024);
  EXPECT_EQ(settings.ScreenName, "");
  EXPECT_FALSE(settings.Password);
  EXPECT_FALSE(settings.CloseMenu.Value);
  EXPECT_EQ(settings.AlignmentV, 0);
  EXPECT_FALSE(settings.Interaction.UserChoice);
  EXPECT_FALSE(settings.Interaction.Value);  // no user choices: nothing is laid over
  EXPECT_EQ(removedDirectories, (std::vector<std::string>{"C:\\Temp\\Vnx_Ini7\\"}));
}

TEST_F(SettingsPassTest, AFailedReadStillDeletesTheFileAndAppliesThePerUserValues) {
  session = {{"Show.ini", "", "[Settings]\nInteraction=2\n"}};
  context.ReadSettingsFile = [](const std::string& path) -> std::string { throw EFOpenError(path); };
  perUser.values = {{"MouseExit", "0"}};
  PresentationSettings settings;
  settings.Interaction.UserChoice = true;  // as a choice stands before the failure
  try {
    ReadSettings(SettingsDestinationsOf(settings), context);
    ADD_FAILURE() << "no error";
  } catch (const EFOpenError& error) {
    EXPECT_STREQ(error.what(), "Cannot open file C:\\Temp\\Vnx_Ini7\\show.ini");
  }
  EXPECT_EQ(removedDirectories, (std::vector<std::string>{"C:\\Temp\\Vnx_Ini7\\"}));
  EXPECT_TRUE(disk.empty());
  EXPECT_FALSE(form.SettingsPass);
  EXPECT_TRUE(settings.Interaction.Value);
  EXPECT_TRUE(settings.RightClickMenu.ChoiceEnabled);
}

TEST_F(SettingsPassTest, AnExtractionFailureIsRaisedAfterThePerUserValuesAndLeavesNothing) {
  session = {{"Show.ini", "", "[Settings]\nWidth=800\n"}};
  extractionFailure = "Session not found on extract from C:\\show.exe";
  perUser.values = {{"MouseExit", "0"}};
  PresentationSettings settings;
  settings.Interaction.UserChoice = true;
  try {
    ReadSettings(SettingsDestinationsOf(settings), context);
    ADD_FAILURE() << "no error";
  } catch (const ERunnerError& error) {
    EXPECT_STREQ(error.what(), "Session not found on extract from C:\\show.exe");
  }
  EXPECT_FALSE(form.SettingsPass);
  EXPECT_TRUE(settings.Interaction.Value);
  EXPECT_NE(settings.WindowWidth, 800);
  EXPECT_TRUE(disk.empty());
}

TEST_F(SettingsPassTest, APerUserFailureIsRaisedButTheFirstFailureWins) {
  session = {{"Show.ini", "", "[Settings]\nInteraction=2\nWidth=800\n"}};
  perUser.failOn = "MouseExit";
  PresentationSettings settings;
  try {
    ReadSettings(SettingsDestinationsOf(settings), context);
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'MouseExit'");
  }
  EXPECT_EQ(settings.WindowWidth, 800);
  EXPECT_TRUE(disk.empty());

  extractionFailure = "Session not found on extract from x";
  try {
    Run();
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Session not found on extract from x");
  }
}

TEST_F(SettingsPassTest, AWrongTypeOfTheTempDirectoryValueEndsThePassCleanly) {
  session = {{"Show.ini", "", "[Settings]\n"}};
  tempBaseFails = true;
  EXPECT_THROW(Run(), std::runtime_error);
  EXPECT_TRUE(passDirectoryBases.empty());
  EXPECT_FALSE(form.SettingsPass);
}

}  // namespace
}  // namespace vnx
