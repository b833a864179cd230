// Finding the projector's full-screen command in its menu bar: the captions
// of the three languages, the default id, and where the search stops.

#include "window/menu_search.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace vnx {
namespace {

TEST(MenuSearch, ViewCaptionsMatchWholeAndCaseSensitive) {
  struct Case {
    const char* text;
    bool matches;
  } const cases[] = {
      {"&View", true},   {"&Ansicht", true}, {"&Exibir", true},         {"&view", false},    {"View", false},
      {"&View ", false}, {"&Vie", false},    {"&Exibir\tAlt+E", false}, {"&ANSICHT", false}, {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsViewMenuCaption(c.text), c.matches) << c.text;
}

TEST(MenuSearch, FullScreenCaptionsMatchTheirBeginning) {
  struct Case {
    const char* text;
    bool matches;
  } const cases[] = {
      {"Full &Screen", true},
      {"Full &Screen\tCtrl+F", true},
      {"Full &Screen mode", true},
      {"Full &Scree", false},
      {"full &Screen", false},
      {"Full Screen", false},
      {"&Full Screen", false},
      {"&Vollbild", true},
      {"&Vollbild\tStrg+F", true},
      {"&Vollbil", false},
      {"&vollbild", false},
      {"&Tela Inteirathen", true},
      {"&Tela Inteirathen\tCtrl+F", true},
      {"&Tela Inteira", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsFullScreenItemCaption(c.text), c.matches) << c.text;
}

MenuEntry Text(const char* text, std::uint32_t id = 0) { return {true, text, id}; }
MenuEntry NotText(const char* text, std::uint32_t id = 0) { return {false, text, id}; }

TEST(MenuSearch, CommandIdAndWhereTheSearchStops) {
  struct Case {
    const char* name;
    std::vector<MenuEntry> menuBar;
    std::map<std::size_t, std::vector<MenuEntry>> submenus;
    std::uint32_t expectedId;
    std::vector<std::size_t> expectedReads;
  } const cases[] = {
      {"no menu bar", {}, {}, 20048, {}},
      {"english item after another menu",
       {Text("&File"), Text("&View")},
       {{1, {Text("&Zoom", 5), Text("Full &Screen\tCtrl+F", 31000)}}},
       31000,
       {1}},
      {"german", {Text("&Datei"), Text("&Ansicht")}, {{1, {Text("&Vollbild\tStrg+F", 4242)}}}, 4242, {1}},
      {"portuguese", {Text("&Exibir")}, {{0, {Text("&Tela Inteirathen", 777)}}}, 777, {0}},
      {"a caption that could not be read is skipped",
       {NotText("&View"), Text("&Ansicht")},
       {{1, {Text("&Vollbild", 12)}}},
       12,
       {1}},
      {"non-text items inside the menu are skipped",
       {Text("&View")},
       {{0, {NotText("Full &Screen", 1), Text("Zoom", 2), Text("Full &Screen", 3), Text("&Vollbild", 4)}}},
       3,
       {0}},
      {"the first View menu ends the search even without the item",
       {Text("&View"), Text("&Exibir")},
       {{0, {Text("Zoom", 2)}}, {1, {Text("&Tela Inteirathen", 99)}}},
       20048,
       {0}},
      {"an item with id 0 falls back to the default", {Text("&View")}, {{0, {Text("Full &Screen", 0)}}}, 20048, {0}},
      {"an empty View menu", {Text("&View")}, {}, 20048, {0}},
      {"other letter case is no View menu", {Text("&view"), Text("&VIEW")}, {}, 20048, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::size_t> reads;
    const std::uint32_t id = FindFullScreenCommand(c.menuBar, [&](std::size_t position) {
      reads.push_back(position);
      const auto found = c.submenus.find(position);
      return found == c.submenus.end() ? std::vector<MenuEntry>{} : found->second;
    });
    EXPECT_EQ(id, c.expectedId) << c.name;
    EXPECT_EQ(reads, c.expectedReads) << c.name;
  }
}

}  // namespace
}  // namespace vnx
