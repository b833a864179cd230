#pragma once
// The projector's menu bar in the languages it can speak, and the command ids
// of its items. The runner finds the full-screen item by these captions.

#include <cstdint>

namespace vnx {

enum class MenuLanguage { English, German, Portuguese };

struct MenuTexts {
  const char* FileMenu;
  const char* ExitItem;
  const char* ViewMenu;
  const char* PauseItem;
  const char* FullScreenItem;  // caption, tab, accelerator name
};

const MenuTexts& MenuTextsFor(MenuLanguage language);

inline constexpr std::uint16_t kProjectorFullScreenCommand = 20048;  // unless projector.behave names another
inline constexpr std::uint16_t kProjectorExitCommand = 20100;
inline constexpr std::uint16_t kProjectorPauseCommand = 20101;

}  // namespace vnx
