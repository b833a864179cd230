#include "runner/program_identity.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(StartRequest, ScreenSaverArguments) {
  using M = StartMode;
  struct Case {
    const char* commandLine;
    StartMode mode;
    std::uint32_t owner;
  } const cases[] = {
      {"show.exe", M::Presentation, 0},
      {"show.exe /s", M::Presentation, 0},
      {"show.exe -S", M::Presentation, 0},
      {"show.exe /C", M::Setup, 0},
      {"show.exe /c", M::Setup, 0},
      {"show.exe -c", M::Setup, 0},
      {"show.exe /c:1234", M::Setup, 1234},
      {"show.exe /C 65538", M::Setup, 65538},
      {"show.exe /c 4294967295", M::Setup, 4294967295u},
      {"show.exe /c 4294967296", M::Setup, 0},  // not a 32-bit handle
      {"show.exe /c:", M::Setup, 0},
      {"show.exe /c 12ab", M::Setup, 0},
      {"show.exe /c -5", M::Setup, 0},
      {"show.exe /p 1234", M::Nothing, 0},
      {"show.exe -P:99", M::Nothing, 0},
      {"show.exe /p", M::Nothing, 0},
      {"show.exe /a 1234", M::Nothing, 0},
      {"show.exe /A", M::Nothing, 0},
      {"show.exe /config", M::Presentation, 0},
      {"show.exe /preview 1", M::Presentation, 0},
      {"show.exe c", M::Presentation, 0},
      {"show.exe /", M::Presentation, 0},
      {"show.exe x /c", M::Presentation, 0},
      {"show.exe \"/c\" 77", M::Setup, 77},
  };
  for (const Case& c : cases) {
    const StartRequest request = ParseStartRequest(SplitCommandLine(c.commandLine));
    EXPECT_EQ(request.Mode, c.mode) << c.commandLine;
    EXPECT_EQ(request.OwnerWindow, c.owner) << c.commandLine;
  }
}

// Only the system's "/s" runs the presentation as a screen saver.
TEST(StartRequest, ScreenSaverModeOnlyWithS) {
  struct Case {
    const char* commandLine;
    bool screenSaver;
  } const cases[] = {
      {"show.scr /s", true},  {"show.scr -S", true},     {"show.scr /s:0", true},
      {"show.scr", false},    {"show.scr /c", false},    {"show.scr /p 12", false},
      {"show.scr /x", false}, {"show.scr /save", false}, {"show.scr x /s", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseStartRequest(SplitCommandLine(c.commandLine)).ScreenSaver, c.screenSaver) << c.commandLine;
  }
}

// "/p" names the host window of the settings' preview.
TEST(StartRequest, ThePreviewsHostWindow) {
  struct Case {
    const char* commandLine;
    std::uint32_t previewWindow;
  } const cases[] = {
      {"show.scr /p 1234", 1234}, {"show.scr -P:99", 99},  {"show.scr /p", 0},   {"show.scr /p x1", 0},
      {"show.scr /a 1234", 0},    {"show.scr /c 1234", 0}, {"show.scr /s 5", 0},
  };
  for (const Case& c : cases) {
    const StartRequest request = ParseStartRequest(SplitCommandLine(c.commandLine));
    EXPECT_EQ(request.PreviewWindow, c.previewWindow) << c.commandLine;
    if (c.previewWindow != 0) {
      EXPECT_EQ(request.Mode, StartMode::Nothing) << c.commandLine;
    }
  }
}

TEST(CommandLine, ArgumentsFollowQuotingRules) {
  using Arguments = std::vector<std::string>;
  struct Case {
    const char* commandLine;
    Arguments arguments;
  } const cases[] = {
      {"show.exe /c", {"show.exe", "/c"}},
      {"\"C:\\Program Files\\show.exe\" /C", {"C:\\Program Files\\show.exe", "/C"}},
      {"\"C:\\Program Files\\show.exe\"", {"C:\\Program Files\\show.exe"}},
      {"show.exe    \t/c   more", {"show.exe", "/c", "more"}},
      {"show.exe \"/c\"", {"show.exe", "/c"}},
      {"show.exe a\" b\"c d", {"show.exe", "a bc", "d"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.commandLine), c.arguments) << c.commandLine;
}

TEST(ProgramDirectory, DropsTheNameAndTheBackslashButKeepsADriveRoot) {
  EXPECT_EQ(ProgramDirectory("C:\\shows\\show.exe"), "C:\\shows");
  EXPECT_EQ(ProgramDirectory("C:\\show.exe"), "C:\\");
  EXPECT_EQ(ProgramDirectory("C:show.exe"), "C:");
  EXPECT_EQ(ProgramDirectory("\\\\server\\share\\show.exe"), "\\\\server\\share");
  EXPECT_EQ(ProgramDirectory("show.exe"), "");
}

}  // namespace
}  // namespace vnx
