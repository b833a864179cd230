#include "window/menu_search.h"

#include <algorithm>

#include "contract/projector.h"

namespace vnx {

bool IsViewMenuCaption(std::string_view text) {
  return std::any_of(kProjectorMenuCaptions.begin(), kProjectorMenuCaptions.end(),
                     [text](const ProjectorMenuCaptions& c) { return text == c.ViewMenu; });
}

bool IsFullScreenItemCaption(std::string_view text) {
  // The caption is compared over its whole length; a tab and the shortcut may follow.
  return std::any_of(kProjectorMenuCaptions.begin(), kProjectorMenuCaptions.end(),
                     [text](const ProjectorMenuCaptions& c) { return text.starts_with(c.FullScreenItem); });
}

std::optional<std::size_t> FindViewMenu(std::span<const MenuEntry> menuBar) {
  for (std::size_t position = 0; position < menuBar.size(); ++position) {
    const MenuEntry& item = menuBar[position];
    if (item.IsString && IsViewMenuCaption(item.Text)) return position;
  }
  return std::nullopt;
}

std::uint32_t FullScreenCommandIn(std::span<const MenuEntry> viewItems) {
  for (const MenuEntry& item : viewItems) {
    if (item.IsString && IsFullScreenItemCaption(item.Text))
      return item.Id != 0 ? item.Id : kProjectorFullScreenCommand;
  }
  return kProjectorFullScreenCommand;
}

std::uint32_t FindFullScreenCommand(std::span<const MenuEntry> menuBar, const SubmenuReader& readSubmenu) {
  const std::optional<std::size_t> view = FindViewMenu(menuBar);
  if (!view) return kProjectorFullScreenCommand;
  const std::vector<MenuEntry> items = readSubmenu(*view);
  return FullScreenCommandIn(items);
}

}  // namespace vnx
