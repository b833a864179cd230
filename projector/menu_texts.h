#pragma once
// The projector's menu bar in the languages it can speak. The runner finds
// the full-screen item by the captions and command ids in
// contract/projector.h.

#include "contract/projector.h"

namespace vnx {

enum class MenuLanguage { English, German, Portuguese };

struct MenuTexts {
  const char* FileMenu;
  const char* ExitItem;
  const char* ViewMenu;
  const char* PauseItem;
  const char* FullScreenItem;      // caption
  const char* FullScreenShortcut;  // the accelerator's name, after a tab
};

const MenuTexts& MenuTextsFor(MenuLanguage language);

}  // namespace vnx
