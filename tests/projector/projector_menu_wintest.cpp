// The projector's menu bar read item by item the way the runner reads a menu,
// through the runner's own search, for every language and command id; its
// Ctrl+F accelerator; and a running projector, told its language and id by
// projector.behave, answering only its own id. (Wine cannot read another
// process's menu, so the running projector reports its menu in its log.)

#include <windows.h>

#include <gtest/gtest.h>

#include "projector/projector_menu.h"
#include "tests/support/projector_process.h"
#include "window/menu_search.h"

namespace vnx::test {
namespace {

// Every item by position: id, submenu and type, text into 100 characters.
std::vector<MenuEntry> ReadMenu(HMENU menu) {
  std::vector<MenuEntry> items;
  const int count = GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    char text[100] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    const bool read = GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    items.push_back({read && info.fType == MFT_STRING, read ? text : "", read ? info.wID : 0});
  }
  return items;
}

std::vector<std::string> Captions(const std::vector<MenuEntry>& items) {
  std::vector<std::string> captions;
  for (const MenuEntry& item : items) captions.push_back(item.IsString ? item.Text : "-");
  return captions;
}

TEST(ProjectorMenu, EveryLanguageLeadsTheRunnersSearchToTheCommand) {
  struct Case {
    MenuLanguage language;
    std::uint16_t id;
    std::vector<std::string> bar, view;
  } const cases[] = {
      {MenuLanguage::English, 20048, {"&File", "&View"}, {"&Pause", "-", "Full &Screen\tCtrl+F"}},
      {MenuLanguage::German, 20048, {"&Datei", "&Ansicht"}, {"&Pause", "-", "&Vollbild\tStrg+F"}},
      {MenuLanguage::Portuguese, 20048, {"&Arquivo", "&Exibir"}, {"&Pausar", "-", "&Tela Inteirathen\tCtrl+F"}},
      {MenuLanguage::English, 31000, {"&File", "&View"}, {"&Pause", "-", "Full &Screen\tCtrl+F"}},
      {MenuLanguage::Portuguese, 1, {"&Arquivo", "&Exibir"}, {"&Pausar", "-", "&Tela Inteirathen\tCtrl+F"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bar[1] + " " + std::to_string(c.id));
    const UniqueMenu bar = BuildMenuBar(c.language, c.id);
    const std::vector<MenuEntry> items = ReadMenu(bar.get());
    EXPECT_EQ(Captions(items), c.bar);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(Captions(ReadMenu(GetSubMenu(bar.get(), 1))), c.view);
    const std::uint32_t found = FindFullScreenCommand(
        items, [&](std::size_t position) { return ReadMenu(GetSubMenu(bar.get(), static_cast<int>(position))); });
    EXPECT_EQ(found, c.id);
  }
}

TEST(ProjectorMenu, CtrlFSendsTheFullScreenCommand) {
  for (std::uint16_t id : {std::uint16_t{20048}, std::uint16_t{4242}}) {
    const UniqueAccelerators table = BuildAccelerators(id);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table.get(), entries, 4), 1);
    EXPECT_EQ(entries[0].fVirt & (FVIRTKEY | FCONTROL | FALT | FSHIFT), FVIRTKEY | FCONTROL);
    EXPECT_EQ(entries[0].key, 'F');
    EXPECT_EQ(entries[0].cmd, id);
  }
}

TEST(ProjectorMenu, ARunningProjectorAnswersOnlyItsOwnCommandId) {
  struct Case {
    const char* behave;
    WPARAM ignored, answered;
    std::vector<std::string> menu;  // as the projector reads its own menu bar back
  } const cases[] = {
      {"log\ncommand-id 31000\n",
       20048,
       31000,
       {"&File|E&xit|20100", "&View|&Pause|20101", "&View|-|0", "&View|Full &Screen\tCtrl+F|31000"}},
      {"log\ngerman\ncommand-id 4242\n",
       20048,
       4242,
       {"&Datei|&Beenden|20100", "&Ansicht|&Pause|20101", "&Ansicht|-|0", "&Ansicht|&Vollbild\tStrg+F|4242"}},
      {"log\nportuguese\n",
       31000,
       20048,
       {"&Arquivo|&Sair|20100", "&Exibir|&Pausar|20101", "&Exibir|-|0", "&Exibir|&Tela Inteirathen\tCtrl+F|20048"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.behave);
    ProjectorRun run(c.behave);
    const HWND window = run.Window();
    ASSERT_TRUE(window);
    SendWithin(window, WM_COMMAND, c.ignored, 0);
    EXPECT_NE(GetMenu(window), nullptr);
    SendWithin(window, WM_COMMAND, c.answered, 0);
    EXPECT_EQ(GetMenu(window), nullptr);
    const auto log = run.Log();
    EXPECT_EQ(LastLogValue(log, "full-screen-command"), std::to_string(c.answered));
    EXPECT_EQ(LogValues(log, "menu-item"), c.menu);
    EXPECT_EQ(LogValues(log, "command-ignored"), std::vector<std::string>{std::to_string(c.ignored)});
    EXPECT_EQ(LogValues(log, "full-screen"), std::vector<std::string>{"on"});
  }
}

}  // namespace
}  // namespace vnx::test
