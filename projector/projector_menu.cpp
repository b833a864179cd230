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
  Append(view.get(), MF_STRING, fullScreenCommand, texts.FullScreenItem);
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

}  // namespace vnx
