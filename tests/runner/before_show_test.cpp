#include "runner/before_show.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

TEST(BeforeShow, FileArgumentsAndKind) {
  using Kind = BeforeShowCommand::Kind;
  struct Case {
    const char* text;
    Kind kind;
    const char* file;
    const char* arguments;
  } const cases[] = {
      {"tools\\prep.exe -q", Kind::Program, "tools\\prep.exe", "-q"},
      {"prep.EXE", Kind::Program, "prep.EXE", ""},
      {"hook.dll", Kind::Library, "hook.dll", ""},
      {"Hook.Dll a b  c", Kind::Library, "Hook.Dll", "a b  c"},
      {"readme.txt x", Kind::None, "readme.txt", "x"},
      {"dir.dll\\tool", Kind::None, "dir.dll\\tool", ""},
      {" prep.exe", Kind::None, "", "prep.exe"},
      {"", Kind::None, "", ""},
  };
  for (const Case& c : cases) {
    const BeforeShowCommand command = ParseBeforeShow(c.text);
    EXPECT_EQ(command.kind, c.kind) << c.text;
    EXPECT_EQ(command.file, c.file) << c.text;
    EXPECT_EQ(command.arguments, c.arguments) << c.text;
  }
}

}  // namespace
}  // namespace vnx
