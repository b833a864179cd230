// projector.behave: every keyword, the line format, and the clear errors for
// what the projector does not understand.

#include "projector/behaviour.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(Behaviour, EmptyFileMeansAWellBehavedProjector) {
  for (const char* text : {"", "\r\n\n", "# only a comment\n   \t\n"}) {
    const ProjectorBehaviour b = ParseBehaviour(text);
    EXPECT_TRUE(b.OpenWindow);
    EXPECT_TRUE(b.SizingFrame);
    EXPECT_FALSE(b.DpiAware);
    EXPECT_EQ(b.Language, MenuLanguage::English);
    EXPECT_EQ(b.FullScreenCommand, 20048);
    EXPECT_FALSE(b.Log);
    EXPECT_TRUE(b.ExtraVariables.empty());
    EXPECT_FALSE(b.ExitAtOnce);
    EXPECT_FALSE(b.HangAfter);
  }
}

TEST(Behaviour, EveryKeyword) {
  const ProjectorBehaviour b = ParseBehaviour(
      "# test projector\r\n"
      "  no-window  \r\n"
      "no-sizing-frame\r\n"
      "dpi-aware\r\n"
      "\tportuguese\r\n"
      "command-id 31000\r\n"
      "log C:\\logs\\run one.log\r\n"
      "env show.exe\r\n"
      "env PATH\r\n"
      "exit-at-once 0\r\n"
      "hang-after 600000");
  EXPECT_FALSE(b.OpenWindow);
  EXPECT_FALSE(b.SizingFrame);
  EXPECT_TRUE(b.DpiAware);
  EXPECT_EQ(b.Language, MenuLanguage::Portuguese);
  EXPECT_EQ(b.FullScreenCommand, 31000);
  EXPECT_TRUE(b.Log);
  EXPECT_EQ(b.LogPath, "C:\\logs\\run one.log");
  EXPECT_EQ(b.ExtraVariables, (std::vector<std::string>{"show.exe", "PATH"}));
  EXPECT_EQ(b.ExitAtOnce, 0);
  EXPECT_EQ(b.HangAfter, 600000u);
  EXPECT_EQ(ParseBehaviour("german\n").Language, MenuLanguage::German);
}

TEST(Behaviour, CommandIdLimits) {
  EXPECT_EQ(ParseBehaviour("command-id 1").FullScreenCommand, 1);
  EXPECT_EQ(ParseBehaviour("command-id 65535").FullScreenCommand, 65535);
}

TEST(Behaviour, MistakesAreReportedWithTheirLine) {
  struct Case {
    const char* text;
    const char* message;
  } const cases[] = {
      {"log\nfull-screen\n", "projector.behave line 2: unknown keyword \"full-screen\""},
      {"No-Window", "projector.behave line 1: unknown keyword \"No-Window\""},
      {"command-id", "projector.behave line 1: command-id needs a number from 1 to 65535, not \"\""},
      {"command-id 0", "projector.behave line 1: command-id needs a number from 1 to 65535, not \"0\""},
      {"command-id 65536", "projector.behave line 1: command-id needs a number from 1 to 65535, not \"65536\""},
      {"command-id -5", "projector.behave line 1: command-id needs a number from 1 to 65535, not \"-5\""},
      {"command-id 12ab", "projector.behave line 1: command-id needs a number from 1 to 65535, not \"12ab\""},
      {"command-id 20100", "projector.behave line 1: command-id 20100 belongs to another menu item"},
      {"command-id 20101", "projector.behave line 1: command-id 20101 belongs to another menu item"},
      {"\n\r\n# c\nno-window yes", "projector.behave line 4: no-window takes no value"},
      {"german\nportuguese", "projector.behave line 2: only one menu language can be chosen"},
      {"log\nlog other.log", "projector.behave line 2: log given twice"},
      {"env", "projector.behave line 1: env needs a variable name"},
      {"exit-at-once 256", "projector.behave line 1: exit-at-once needs a number from 0 to 255, not \"256\""},
      {"exit-at-once", "projector.behave line 1: exit-at-once needs a number from 0 to 255, not \"\""},
      {"hang-after 0", "projector.behave line 1: hang-after needs a number from 1 to 600000, not \"0\""},
  };
  for (const auto& c : cases) {
    try {
      ParseBehaviour(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EBehaviourError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(Behaviour, LogFileGoesNextToTheProgramUnlessAbsolute) {
  struct Case {
    const char* logPath;
    const char* expected;
  } const cases[] = {
      {"", "C:\\work\\Vnx_Rt\\projector.log"},
      {"events.txt", "C:\\work\\Vnx_Rt\\events.txt"},
      {"sub\\events.txt", "C:\\work\\Vnx_Rt\\sub\\events.txt"},
      {"D:\\keep\\p.log", "D:\\keep\\p.log"},
      {"d:/keep/p.log", "d:/keep/p.log"},
      {"\\\\server\\share\\p.log", "\\\\server\\share\\p.log"},
  };
  for (const auto& c : cases) {
    ProjectorBehaviour b;
    b.Log = true;
    b.LogPath = c.logPath;
    EXPECT_EQ(LogFilePath(b, "C:\\work\\Vnx_Rt\\"), c.expected) << c.logPath;
  }
}

}  // namespace
}  // namespace vnx
