// Arbitrary bytes as a stub and an author's icon, branded with the icon and
// a version text. The first four bytes (little-endian) give the icon's
// length in their low 30 bits; bit 31 leaves the version text out, bit 30
// the icon. The icon follows, the stub is the rest. Branding may refuse
// with EBrandingError; anything else it throws, and any crash, is a
// finding. A branded image must read back with the branding in it and a
// correct checksum.

#include <algorithm>
#include <cstdint>
#include <span>
#include <tuple>
#include <vector>

#include "tools/vnxpack/branding/branding.h"
#include "tools/vnxpack/branding/icon_file.h"
#include "tools/vnxpack/branding/image_resources.h"
#include "tools/vnxpack/branding/pe_image.h"

namespace {

std::size_t Count(const std::vector<vnx::Resource>& resources, std::uint16_t type, const vnx::ResourceKey& name) {
  return static_cast<std::size_t>(std::count_if(resources.begin(), resources.end(), [&](const vnx::Resource& r) {
    return vnx::KeyIs(r.Type, type) && r.Name == name;
  }));
}

// Resources branding leaves alone, in a fixed order.
std::vector<vnx::Resource> Untouched(std::vector<vnx::Resource> resources) {
  std::erase_if(resources, [](const vnx::Resource& r) {
    return vnx::KeyIs(r.Type, vnx::kRtIcon) || vnx::KeyIs(r.Type, vnx::kRtGroupIcon) ||
           vnx::KeyIs(r.Type, vnx::kRtVersion);
  });
  std::sort(resources.begin(), resources.end(), [](const vnx::Resource& a, const vnx::Resource& b) {
    return std::tie(a.Type, a.Name, a.Language, a.Data, a.CodePage) <
           std::tie(b.Type, b.Name, b.Language, b.Data, b.CodePage);
  });
  return resources;
}

void CheckBranded(std::span<const std::uint8_t> image, const std::vector<std::uint8_t>& branded,
                  const vnx::Branding& branding) {
  const vnx::PeLayout layout = vnx::ReadPeLayout(branded);
  if (vnx::PeChecksum(branded, layout.CheckSumOffset()) !=
      (branded[layout.CheckSumOffset()] | branded[layout.CheckSumOffset() + 1] << 8 |
       branded[layout.CheckSumOffset() + 2] << 16 |
       static_cast<std::uint32_t>(branded[layout.CheckSumOffset() + 3]) << 24))
    __builtin_trap();
  const std::vector<vnx::Resource> resources = vnx::ReadImageResources(branded, layout);
  if (Untouched(resources) != Untouched(vnx::ReadImageResources(image))) __builtin_trap();
  if (branding.Version && Count(resources, vnx::kRtVersion, std::uint16_t{1}) != 1) __builtin_trap();
  if (!branding.Icon) return;
  const vnx::ResourceKey mainIcon = std::u16string(u"MAINICON");
  if (Count(resources, vnx::kRtGroupIcon, mainIcon) != 1) __builtin_trap();
  const auto group = std::find_if(resources.begin(), resources.end(), [&](const vnx::Resource& r) {
    return vnx::KeyIs(r.Type, vnx::kRtGroupIcon) && r.Name == mainIcon;
  });
  for (const std::uint16_t id : vnx::IconGroupIds(group->Data))
    if (Count(resources, vnx::kRtIcon, id) != 1) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint32_t word = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
  const std::size_t iconLength = std::min<std::size_t>(word & 0x3FFFFFFF, size - 4);
  vnx::Branding branding;
  if (!(word & 0x40000000)) branding.Icon.emplace(data + 4, data + 4 + iconLength);
  if (!(word & 0x80000000))
    branding.Version =
        vnx::VersionText{"Präsentation für Kunden", "Orrindale", "1.2.3.4", "© 2026 Ünïcode GmbH", "show.exe"};
  const std::span<const std::uint8_t> image(data + 4 + iconLength, size - 4 - iconLength);
  std::vector<std::uint8_t> branded;
  try {
    branded = vnx::BrandImage(image, branding);
  } catch (const vnx::EBrandingError&) {
    return 0;
  }
  if (!branding.Icon && !branding.Version) {
    if (!std::equal(branded.begin(), branded.end(), image.begin(), image.end())) __builtin_trap();
    return 0;
  }
  try {
    CheckBranded(image, branded, branding);
  } catch (const vnx::EBrandingError&) {
    __builtin_trap();  // it wrote what it cannot read
  }
  return 0;
}
