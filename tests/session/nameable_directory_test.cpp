// Which form of a directory the runner works below: the name itself where
// the code page can write it, else its short form, else none, with a message
// that names the directory and the way out.

#include "session/nameable_directory.h"

#include <gtest/gtest.h>

namespace vnx {
namespace {

constexpr char kKey[] = "HKEY_CURRENT_USER\\Software\\Orrindale\\show";

// The temporary directory of an account named in the code page, in another
// script with a short name, and in another script on a volume without them.
const DirectoryNames kWestern{"C:\\Users\\J\xC3\xBCrgen\\Temp\\", "C:\\Users\\J\xFCrgen\\Temp\\",
                              "C:\\Users\\JRGEN~1\\Temp\\"};
const DirectoryNames kCyrillicShort{"C:\\Users\\\xD0\x94\xD0\xBC\xD0\xB8\\Temp", std::nullopt,
                                    "C:\\Users\\8F3D~1\\Temp"};
const DirectoryNames kCyrillicNoShort{"D:\\\xD0\x94\xD0\xBC\xD0\xB8\\Temp\\", std::nullopt, std::nullopt};

TEST(NameableDirectory, TheNameItselfThenItsShortFormThenNone) {
  struct Case {
    DirectoryNames names;
    std::optional<std::string> form;
  } const cases[] = {
      {kWestern, "C:\\Users\\J\xFCrgen\\Temp\\"},
      {kCyrillicShort, "C:\\Users\\8F3D~1\\Temp"},
      {kCyrillicNoShort, std::nullopt},
      {{"C:\\Temp", "C:\\Temp", std::nullopt}, "C:\\Temp"},  // a short form is no condition
  };
  for (const Case& c : cases) EXPECT_EQ(NameableForm(c.names), c.form) << c.names.Whole;
}

TEST(NameableDirectory, TempBaseFromTheViewersValueOrTheSystem) {
  const DirectoryNames empty{"", "", std::nullopt};
  struct Case {
    const char* name;
    std::optional<DirectoryNames> viewer;
    DirectoryNames system;
    std::optional<std::string> directory;  // with its trailing "\"
  } const cases[] = {
      {"SystemInTheCodePage", std::nullopt, kWestern, "C:\\Users\\J\xFCrgen\\Temp\\"},
      {"SystemByItsShortName", std::nullopt, kCyrillicShort, "C:\\Users\\8F3D~1\\Temp\\"},
      {"ViewersValueFirst", kWestern, kCyrillicNoShort, "C:\\Users\\J\xFCrgen\\Temp\\"},
      {"ViewersValueByItsShortName", kCyrillicShort, kWestern, "C:\\Users\\8F3D~1\\Temp\\"},
      {"AnEmptyValueCountsAsNone", empty, kCyrillicShort, "C:\\Users\\8F3D~1\\Temp\\"},
      {"ViewersValueGetsItsBackslash", DirectoryNames{"D:\\Mine", "D:\\Mine", std::nullopt}, kWestern, "D:\\Mine\\"},
      {"SystemUnnameable", std::nullopt, kCyrillicNoShort, std::nullopt},
      {"ViewersValueUnnameable", kCyrillicNoShort, kWestern, std::nullopt},
  };
  for (const Case& c : cases) {
    const TempBaseChoice choice = ChooseTempBase(c.viewer, c.system, kKey, NoLeadBytes);
    EXPECT_EQ(choice.Directory, c.directory) << c.name;
    EXPECT_EQ(choice.Message.empty(), c.directory.has_value()) << c.name;
  }
}

TEST(NameableDirectory, TheMessageNamesTheDirectoryWholeAndTheWayOut) {
  const TempBaseChoice system = ChooseTempBase(std::nullopt, kCyrillicNoShort, kKey, NoLeadBytes);
  EXPECT_EQ(system.Message,
            "Cannot use the temporary directory D:\\\xD0\x94\xD0\xBC\xD0\xB8\\Temp\\: its name cannot be written in "
            "this system's code page, and no short name of it that can was found. Set the value \"Pellam Temp "
            "Directory\" under HKEY_CURRENT_USER\\Software\\Orrindale\\show to a directory whose name can, for "
            "example C:\\Temp.");
  const TempBaseChoice viewers = ChooseTempBase(kCyrillicNoShort, kWestern, kKey, NoLeadBytes);
  EXPECT_EQ(viewers.Message,
            "Cannot use the temporary directory D:\\\xD0\x94\xD0\xBC\xD0\xB8\\Temp\\ set as \"Pellam Temp "
            "Directory\" under HKEY_CURRENT_USER\\Software\\Orrindale\\show: its name cannot be written in this "
            "system's code page, and no short name of it that can was found. Set it to a directory whose name can, "
            "for example C:\\Temp.");
}

}  // namespace
}  // namespace vnx
