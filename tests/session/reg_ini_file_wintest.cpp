// The per-user registry values against the real registry. Each test works in
// a section of its own under "Software\Orrindale" and removes it afterwards.

#include "session/reg_ini_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace vnx::test {
namespace {

class RegIniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    section = std::string("VnxTest_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
              std::to_string(GetCurrentProcessId());
    DeleteSection(section);
  }
  void TearDown() override { DeleteSection(section); }

  static void DeleteSection(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPerUserKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteKeyA(key, name.c_str());
    RegCloseKey(key);
  }

  // A value stored as another program would store it.
  void Store(const std::string& name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kPerUserKey) + "\\" + section).c_str(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  void StoreText(const std::string& name, const std::string& text, DWORD type = REG_SZ) {
    Store(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  std::string StoredText(const std::string& name, DWORD& type) {
    char data[64] = {};
    DWORD size = sizeof data;
    HKEY key = nullptr;
    type = REG_NONE;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kPerUserKey) + "\\" + section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
      return "(no key)";
    const LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(data) : "(no value)";
  }

  std::string section;
  TRegIniFile file;
};

TEST_F(RegIniFileTest, WithNothingStoredEveryReadGivesItsDefault) {
  EXPECT_TRUE(file.ReadBool(section, "MouseExit", true));
  for (const char* name : {"AnyKeyExit", "Mute", "MidiMute", "DisplayRightClickMenu"})
    EXPECT_FALSE(file.ReadBool(section, name, false)) << name;
  EXPECT_EQ(file.ReadString(section, "Pellam Temp Directory", "C:\\Temp\\"), "C:\\Temp\\");
  StoreText("Other", "1");  // the section exists, the value does not
  EXPECT_TRUE(file.ReadBool(section, "MouseExit", true));
  EXPECT_EQ(file.ReadString(section, "Pellam Temp Directory", "d"), "d");
}

TEST_F(RegIniFileTest, BoolsAreReadAsIntegerTexts) {
  struct Case {
    const char* text;
    bool defaultValue, value;
  } const cases[] = {
      {"0x1", false, true},  {"$1", false, true}, {"7", false, true}, {"0", true, false},
      {"yes", false, false}, {"yes", true, true}, {"", true, true},   {"0x0", true, false},
  };
  for (const Case& c : cases) {
    StoreText("Value", c.text);
    EXPECT_EQ(file.ReadBool(section, "Value", c.defaultValue), c.value) << c.text;
  }
}

TEST_F(RegIniFileTest, StringsAreReadAsStored) {
  StoreText("Plain", "D:\\Show Temp");
  StoreText("Expand", "%TEMP%\\x", REG_EXPAND_SZ);
  StoreText("Empty", "");
  Store("NoZero", REG_SZ, "abc", 3);  // written without its terminating zero
  EXPECT_EQ(file.ReadString(section, "Plain", "d"), "D:\\Show Temp");
  EXPECT_EQ(file.ReadString(section, "Expand", "d"), "%TEMP%\\x");
  EXPECT_EQ(file.ReadString(section, "Empty", "d"), "");
  EXPECT_EQ(file.ReadString(section, "NoZero", "d"), "abc");
}

TEST_F(RegIniFileTest, AValueOfAnotherTypeRaisesTheTypeError) {
  const DWORD one = 1;
  Store("MouseExit", REG_DWORD, &one, sizeof one);
  Store("Blob", REG_BINARY, "\x01", 1);
  struct Case {
    const char* name;
    bool asBool;
  } const cases[] = {{"MouseExit", true}, {"MouseExit", false}, {"Blob", false}};
  for (const Case& c : cases) {
    try {
      if (c.asBool)
        file.ReadBool(section, c.name, false);
      else
        file.ReadString(section, c.name, "");
      ADD_FAILURE() << "no error for " << c.name;
    } catch (const ERegistryException& error) {
      EXPECT_EQ(std::string(error.what()), std::string("Invalid data type for '") + c.name + "'");
    }
  }
}

TEST_F(RegIniFileTest, WrittenBoolsAreTextsOneAndZero) {
  file.WriteBool(section, "Mute", true);  // creates the section
  file.WriteBool(section, "MouseExit", false);
  DWORD type = 0;
  EXPECT_EQ(StoredText("Mute", type), "1");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(StoredText("MouseExit", type), "0");
  EXPECT_TRUE(file.ReadBool(section, "Mute", false));
  EXPECT_FALSE(file.ReadBool(section, "MouseExit", true));
  file.WriteBool(section, "Mute", false);
  EXPECT_FALSE(file.ReadBool(section, "Mute", true));
}

TEST_F(RegIniFileTest, EachExecutableKeepsItsOwnSection) {
  const std::string other = section + "_demo";
  file.WriteBool(section, "Mute", true);
  file.WriteBool(other, "Mute", false);
  EXPECT_TRUE(file.ReadBool(section, "Mute", false));
  EXPECT_FALSE(file.ReadBool(other, "Mute", true));
  DeleteSection(other);
}

TEST_F(RegIniFileTest, AnEmptySectionIsTheKeyItself) {
  const std::string name = section + "_value";
  file.WriteBool("", name, true);
  EXPECT_TRUE(file.ReadBool("", name, false));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kPerUserKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  char data[8] = {};
  DWORD size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
  EXPECT_STREQ(data, "1");
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
}

TEST_F(RegIniFileTest, FailedWritesRaiseTheirErrors) {
  const std::string tooLong(300, 'k');  // longer than a key name may be
  try {
    file.WriteBool(tooLong, "Mute", true);
    ADD_FAILURE() << "no error";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(std::string(error.what()), "Failed to create key " + tooLong);
  }
  const std::string longName(20000, 'v');  // longer than a value name may be
  try {
    file.WriteBool(section, longName, true);
    ADD_FAILURE() << "no error";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(std::string(error.what()), "Failed to set data for '" + longName + "'");
  }
  // A key that could not be opened: reads give defaults, writes fail.
  TRegIniFile unopened("Software\\" + std::string(300, 'x'));
  EXPECT_FALSE(unopened.ReadBool(section, "Mute", false));
  EXPECT_THROW(unopened.WriteBool(section, "Mute", true), ERegistryException);
}

}  // namespace
}  // namespace vnx::test
