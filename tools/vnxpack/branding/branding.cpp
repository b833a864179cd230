#include "tools/vnxpack/branding/branding.h"

#include "tools/vnxpack/branding/icon_file.h"
#include "tools/vnxpack/branding/image_resources.h"
#include "tools/vnxpack/branding/pe_image.h"
#include "tools/vnxpack/branding/resource_edits.h"

namespace vnx {
namespace {

// The loader follows data directory entry 2 alone, but binutils (objdump,
// windres) and other tools look the tree up by the section name ".rsrc":
// the new tree takes that name and the dead one gives it up.
constexpr std::string_view kSectionName = ".rsrc";
constexpr std::string_view kDeadSectionName = ".oldrsrc";
constexpr std::uint32_t kSectionCharacteristics = 0x40000040;  // IMAGE_SCN_CNT_INITIALIZED_DATA | MEM_READ

void CheckPlainStub(std::span<const std::uint8_t> image, const PeLayout& layout) {
  const DataDirectory certificate = layout.Directory(kCertificateDirectory);
  if (certificate.VirtualAddress != 0 || certificate.Size != 0)
    throw EBrandingError("the stub is signed: brand an unsigned runner and sign the result");
  if (image.size() != layout.EndOfSections + layout.SymbolTableSize)
    throw EBrandingError("the stub carries " +
                         std::to_string(image.size() - layout.EndOfSections - layout.SymbolTableSize) +
                         " bytes behind its sections: brand a plain runner, then append the sessions");
  if (layout.Directories.size() <= kResourceDirectory)
    throw EBrandingError("the stub's optional header has no data directory entry for resources");
  if (!HasRoomForSectionHeader(image, layout)) throw EBrandingError("the stub has no room for another section header");
}

// The fixed versions of the stub's own version resource: of the lowest
// language that has a valid one, whatever order the tree stored them in.
FixedVersions StubVersions(const std::vector<Resource>& resources) {
  std::optional<std::pair<std::uint16_t, FixedVersions>> found;
  for (const Resource& resource : resources) {
    if (!KeyIs(resource.Type, kRtVersion) || (found && found->first <= resource.Language)) continue;
    if (const auto versions = ReadFixedVersions(resource.Data)) found = {resource.Language, *versions};
  }
  return found ? found->second : FixedVersions{};
}

}  // namespace

std::vector<std::uint8_t> BrandImage(std::span<const std::uint8_t> image, const Branding& branding) {
  if (!branding.Icon && !branding.Version) return {image.begin(), image.end()};
  // The author's own inputs first: their faults are named before the stub's.
  std::vector<IconImage> icon;
  if (branding.Icon) icon = ReadIconFile(*branding.Icon);
  std::optional<VersionStrings> version;
  if (branding.Version) version = PrepareVersionStrings(*branding.Version);

  const PeLayout layout = ReadPeLayout(image);
  CheckPlainStub(image, layout);
  std::vector<Resource> resources = ReadImageResources(image, layout);
  if (branding.Icon) ReplaceMainIcon(resources, icon);
  if (version) ReplaceVersion(resources, VersionResourceData(*version, StubVersions(resources)));

  const std::uint32_t rva = NextSectionRva(layout);
  const std::vector<std::uint8_t> tree = WriteResourceTree(std::move(resources), rva);
  std::vector<std::uint8_t> branded = AppendSection(image, layout, {kSectionName, rva, tree, kSectionCharacteristics});
  RenameSections(branded, layout, kSectionName, kDeadSectionName);
  SetDataDirectory(branded, layout, kResourceDirectory, {rva, static_cast<std::uint32_t>(tree.size())});
  UpdateChecksum(branded, layout);
  return branded;
}

}  // namespace vnx
