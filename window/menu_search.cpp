#include "window/menu_search.h"

#include <algorithm>
#include <array>

namespace vnx {
namespace {

constexpr std::array<std::string_view, 3> kViewCaptions = {"&View", "&Ansicht", "&Exibir"};
// Compared over their whole length (12, 9 and 17 characters).
constexpr std::array<std::string_view, 3> kFullScreenCaptions = {"Full &Screen", "&Vollbild", "&Tela Inteirathen"};

}  // namespace

bool IsViewMenuCaption(std::string_view text) {
  return std::find(kViewCaptions.begin(), kViewCaptions.end(), text) != kViewCaptions.end();
}

bool IsFullScreenItemCaption(std::string_view text) {
  return std::any_of(kFullScreenCaptions.begin(), kFullScreenCaptions.end(),
                     [text](std::string_view caption) { return text.starts_with(caption); });
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
      return item.Id != 0 ? item.Id : kDefaultFullScreenCommand;
  }
  return kDefaultFullScreenCommand;
}

std::uint32_t FindFullScreenCommand(std::span<const MenuEntry> menuBar, const SubmenuReader& readSubmenu) {
  const std::optional<std::size_t> view = FindViewMenu(menuBar);
  if (!view) return kDefaultFullScreenCommand;
  const std::vector<MenuEntry> items = readSubmenu(*view);
  return FullScreenCommandIn(items);
}

}  // namespace vnx
