#include "projector/projector_menu.h"

#include "common/errors.h"

namespace vnx {
namespace {

UniqueMenu Popup() {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) throw ERunnerError("Cannot create the projector's menu");
  return menu;
}

void Append(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
  if (!AppendMenuA(menu, flags, id, text)) throw ERunnerError("Cannot create the projector's menu");
}

// Hands a submenu over to the menu bar, which destroys it from then on.
void AppendSubmenu(HMENU bar, UniqueMenu submenu, const char* caption) {
  Append(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu.get()), caption);
  submenu.release();
}

struct ItemText {
  std::string Caption;
  UINT Id = 0;
  HMENU Submenu = nullptr;
};

ItemText ReadItem(HMENU menu, int position) {
  char text[256] = {};
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
  info.dwTypeData = text;
  info.cch = sizeof text;
  if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return {"?", 0, nullptr};
  return {(info.fType & MFT_SEPARATOR) ? "-" : text, info.wID, info.hSubMenu};
}

}  // namespace

UniqueMenu BuildMenuBar(MenuLanguage language, std::uint16_t fullScreenCommand) {
  const MenuTexts& texts = MenuTextsFor(language);
  UniqueMenu bar(CreateMenu());
  if (!bar) throw ERunnerError("Cannot create the projector's menu");

  UniqueMenu file = Popup();
  Append(file.get(), MF_STRING, kProjectorExitCommand, texts.ExitItem);
  AppendSubmenu(bar.get(), std::move(file), texts.FileMenu);

  // Pause and a separator come first, so that the runner's search has to
  // walk past items that are not the one it looks for.
  UniqueMenu view = Popup();
  Append(view.get(), MF_STRING, kProjectorPauseCommand, texts.PauseItem);
  Append(view.get(), MF_SEPARATOR, 0, nullptr);
  const std::string fullScreenItem = std::string(texts.FullScreenItem) + "\t" + texts.FullScreenShortcut;
  Append(view.get(), MF_STRING, fullScreenCommand, fullScreenItem.c_str());
  AppendSubmenu(bar.get(), std::move(view), texts.ViewMenu);
  return bar;
}

UniqueAccelerators BuildAccelerators(std::uint16_t fullScreenCommand) {
  ACCEL fullScreen{};
  fullScreen.fVirt = FVIRTKEY | FCONTROL;
  fullScreen.key = 'F';
  fullScreen.cmd = fullScreenCommand;
  UniqueAccelerators table(CreateAcceleratorTableA(&fullScreen, 1));
  if (!table) throw ERunnerError("Cannot create the projector's accelerators");
  return table;
}

std::vector<std::string> DescribeMenuBar(HMENU bar) {
  std::vector<std::string> items;
  for (int top = 0; top < GetMenuItemCount(bar); ++top) {
    const ItemText menu = ReadItem(bar, top);
    for (int position = 0; position < GetMenuItemCount(menu.Submenu); ++position) {
      const ItemText item = ReadItem(menu.Submenu, position);
      items.push_back(menu.Caption + "|" + item.Caption + "|" + std::to_string(item.Id));
    }
  }
  return items;
}

}  // namespace vnx
