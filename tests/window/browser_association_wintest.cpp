// The browser look-up on real registry keys: a scratch classes key of the
// test's own stands in for HKEY_CLASSES_ROOT.

#include "window/browser_association_win.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include "contract/control_block.h"

namespace vnx {
namespace {

class BrowserAssociationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Remove();
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(root);
    Remove();
  }
  static void Remove() { SHDeleteKeyA(HKEY_CURRENT_USER, kScratch); }

  void SetDefault(const std::string& key, const std::string& value) {
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr), ERROR_SUCCESS);
    RegSetValueExA(created, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(created);
  }

  static constexpr char kScratch[] = "Software\\VnxTestBrowserClasses";
  HKEY root = nullptr;
};

TEST_F(BrowserAssociationTest, HtmlClassWinsAndLongCommandsAreCut) {
  const std::string longCommand = "browser.exe " + std::string(300, 'a');
  SetDefault(".htm", "vnxhtm");
  SetDefault(".html", "vnxhtml");
  SetDefault("vnxhtm\\shell\\open\\command", "wrong.exe");
  SetDefault("vnxhtml\\shell\\open\\command", longCommand);
  SetDefault("vnxhtml\\shell\\open\\ddeexec\\Application", "VnxBrowser");
  SetDefault("vnxhtml\\shell\\open\\ddeexec\\Topic", "WWW_OpenURL");
  ControlBlock block{};
  LookUpBrowserAssociation(block, root);
  EXPECT_EQ(ReadShortString(block.HtmlOpenCommand), longCommand.substr(0, 255));
  EXPECT_EQ(ReadShortString(block.DdeApplication), "VnxBrowser");
  EXPECT_EQ(ReadShortString(block.DdeTopic), "WWW_OpenURL");
}

TEST_F(BrowserAssociationTest, WithoutDdeKeysTheNamesAreEmptied) {
  SetDefault(".htm", "vnxhtm");
  SetDefault("vnxhtm\\shell\\open\\command", "old.exe %1");
  ControlBlock block{};
  WriteShortString(block.DdeApplication, "left over");
  WriteShortString(block.DdeTopic, "left over");
  LookUpBrowserAssociation(block, root);
  EXPECT_EQ(ReadShortString(block.HtmlOpenCommand), "old.exe %1");
  EXPECT_EQ(ReadShortString(block.DdeApplication), "");
  EXPECT_EQ(ReadShortString(block.DdeTopic), "");
}

}  // namespace
}  // namespace vnx
