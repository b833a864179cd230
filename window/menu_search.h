#pragma once
// Which command switches the projector to full screen: the runner looks in
// the projector's menu bar for its "View" menu (English, German or
// Portuguese caption) and in it for the "Full Screen" item, and falls back to
// the command id that projectors use when the menu does not tell (both in
// contract/projector.h).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vnx {

// One menu item as read by position. Items that could not be read or are not
// text (separators, bitmaps) have IsString false and are skipped.
struct MenuEntry {
  bool IsString = false;
  std::string Text;
  std::uint32_t Id = 0;
};

// "&View", "&Ansicht" or "&Exibir": the whole text, letter case included.
bool IsViewMenuCaption(std::string_view text);
// Starts with "Full &Screen", "&Vollbild" or "&Tela Inteirathen", letter case
// included; a tab and a shortcut name may follow.
bool IsFullScreenItemCaption(std::string_view text);

// Position of the first top-level item that is a "View" menu.
std::optional<std::size_t> FindViewMenu(std::span<const MenuEntry> menuBar);

// The id of the first full-screen item of a "View" menu; the default when
// there is none or its id is 0.
std::uint32_t FullScreenCommandIn(std::span<const MenuEntry> viewItems);

// The whole search: readSubmenu gives the items of the submenu at a top-level
// position and is asked only for the first "View" menu, since the search ends
// there whether or not that menu holds the item.
using SubmenuReader = std::function<std::vector<MenuEntry>(std::size_t position)>;
std::uint32_t FindFullScreenCommand(std::span<const MenuEntry> menuBar, const SubmenuReader& readSubmenu);

}  // namespace vnx
