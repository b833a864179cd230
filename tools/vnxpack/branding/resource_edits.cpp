#include "tools/vnxpack/branding/resource_edits.h"

#include <algorithm>
#include <optional>
#include <set>

#include "tools/vnxpack/branding/branding_error.h"

namespace vnx {
namespace {

bool IsMainIconGroup(const Resource& resource) {
  return KeyIs(resource.Type, kRtGroupIcon) && KeyIs(resource.Name, kMainIconName);
}

std::vector<std::uint16_t> FreeIconIds(const std::vector<Resource>& resources, std::size_t count) {
  std::set<std::uint16_t> taken;
  for (const Resource& resource : resources)
    if (KeyIs(resource.Type, kRtIcon))
      if (const auto* id = std::get_if<std::uint16_t>(&resource.Name)) taken.insert(*id);
  std::vector<std::uint16_t> ids;
  std::uint32_t next = 1;
  while (ids.size() < count) {
    if (next > 0xFFFF) throw EBrandingError("the stub has no free icon ids left for the icon's images");
    if (!taken.count(static_cast<std::uint16_t>(next))) ids.push_back(static_cast<std::uint16_t>(next));
    ++next;
  }
  return ids;
}

}  // namespace

void ReplaceMainIcon(std::vector<Resource>& resources, const std::vector<IconImage>& images) {
  std::optional<std::uint16_t> language;
  std::set<std::uint16_t> dropped, stillNamed;
  for (const Resource& resource : resources) {
    if (!KeyIs(resource.Type, kRtGroupIcon)) continue;
    const auto ids = IconGroupIds(resource.Data);
    if (IsMainIconGroup(resource)) {
      language = std::min(language.value_or(resource.Language), resource.Language);
      dropped.insert(ids.begin(), ids.end());
    } else {
      stillNamed.insert(ids.begin(), ids.end());
    }
  }
  std::erase_if(resources, [&](const Resource& resource) {
    if (IsMainIconGroup(resource)) return true;
    const auto* id = std::get_if<std::uint16_t>(&resource.Name);
    return KeyIs(resource.Type, kRtIcon) && id && dropped.count(*id) && !stillNamed.count(*id);
  });

  const std::vector<std::uint16_t> ids = FreeIconIds(resources, images.size());
  for (std::size_t i = 0; i < images.size(); ++i)
    resources.push_back({kRtIcon, ids[i], language.value_or(0), images[i].Data, 0});
  resources.push_back(
      {kRtGroupIcon, std::u16string(kMainIconName), language.value_or(0), IconGroupData(images, ids), 0});
}

void ReplaceVersion(std::vector<Resource>& resources, std::vector<std::uint8_t> versionInfo) {
  std::erase_if(resources, [](const Resource& resource) { return KeyIs(resource.Type, kRtVersion); });
  resources.push_back({kRtVersion, kVersionId, kVersionLanguage, std::move(versionInfo), 0});
}

}  // namespace vnx
