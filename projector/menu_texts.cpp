#include "projector/menu_texts.h"

namespace vnx {

const MenuTexts& MenuTextsFor(MenuLanguage language) {
  // The runner finds the full-screen item by the captions it shares with us.
  static constexpr ProjectorMenuCaptions en = kProjectorMenuCaptions[0];
  static constexpr ProjectorMenuCaptions de = kProjectorMenuCaptions[1];
  static constexpr ProjectorMenuCaptions pt = kProjectorMenuCaptions[2];
  static constexpr MenuTexts kEnglish{"&File", "E&xit", en.ViewMenu, "&Pause", en.FullScreenItem, "Ctrl+F"};
  static constexpr MenuTexts kGerman{"&Datei", "&Beenden", de.ViewMenu, "&Pause", de.FullScreenItem, "Strg+F"};
  static constexpr MenuTexts kPortuguese{"&Arquivo", "&Sair", pt.ViewMenu, "&Pausar", pt.FullScreenItem, "Ctrl+F"};
  switch (language) {
    case MenuLanguage::German: return kGerman;
    case MenuLanguage::Portuguese: return kPortuguese;
    case MenuLanguage::English: break;
  }
  return kEnglish;
}

}  // namespace vnx
