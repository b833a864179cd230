#include "projector/menu_texts.h"

namespace vnx {

const MenuTexts& MenuTextsFor(MenuLanguage language) {
  static constexpr MenuTexts kEnglish{"&File", "E&xit", "&View", "&Pause", "Full &Screen\tCtrl+F"};
  static constexpr MenuTexts kGerman{"&Datei", "&Beenden", "&Ansicht", "&Pause", "&Vollbild\tStrg+F"};
  static constexpr MenuTexts kPortuguese{"&Arquivo", "&Sair", "&Exibir", "&Pausar", "&Tela Inteirathen\tCtrl+F"};
  switch (language) {
    case MenuLanguage::German:
      return kGerman;
    case MenuLanguage::Portuguese:
      return kPortuguese;
    case MenuLanguage::English:
      break;
  }
  return kEnglish;
}

}  // namespace vnx
