#include "window/browser_association.h"

#include <gtest/gtest.h>

#include <map>

namespace vnx {
namespace {

BrowserAssociation LookUp(const std::map<std::string, std::string>& keys) {
  return FindBrowserAssociation([&keys](const std::string& key) -> std::optional<std::string> {
    const auto found = keys.find(key);
    if (found == keys.end()) return std::nullopt;
    return found->second;
  });
}

TEST(BrowserAssociation, HtmlWinsOverHtm) {
  const auto found = LookUp({{".htm", "htmfile"},
                             {".html", "htmlfile"},
                             {"htmfile\\shell\\open\\command", "old.exe %1"},
                             {"htmlfile\\shell\\open\\command", "browser.exe \"%1\""},
                             {"htmlfile\\shell\\open\\ddeexec\\Application", "Browser"},
                             {"htmlfile\\shell\\open\\ddeexec\\Topic", "WWW_OpenURL"}});
  EXPECT_EQ(found.OpenCommand, "browser.exe \"%1\"");
  EXPECT_EQ(found.DdeApplication, "Browser");
  EXPECT_EQ(found.DdeTopic, "WWW_OpenURL");
}

TEST(BrowserAssociation, OnlyHtmRegistered) {
  const auto found = LookUp({{".htm", "htmfile"}, {"htmfile\\shell\\open\\command", "old.exe %1"}});
  EXPECT_EQ(found.OpenCommand, "old.exe %1");
  EXPECT_FALSE(found.DdeApplication);  // no ddeexec key: the names stay empty
  EXPECT_FALSE(found.DdeTopic);
}

TEST(BrowserAssociation, NoClassNoLookUp) {
  const auto found = LookUp({{"htmlfile\\shell\\open\\command", "x"}});
  EXPECT_FALSE(found.OpenCommand);
  const auto empty = LookUp({{".html", ""}, {"\\shell\\open\\command", "x"}});
  EXPECT_FALSE(empty.OpenCommand);
}

}  // namespace
}  // namespace vnx
