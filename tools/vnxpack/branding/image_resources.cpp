#include "tools/vnxpack/branding/image_resources.h"

#include "tools/vnxpack/branding/branding_error.h"

namespace vnx {

std::vector<Resource> ReadImageResources(std::span<const std::uint8_t> image) {
  return ReadImageResources(image, ReadPeLayout(image));
}

std::vector<Resource> ReadImageResources(std::span<const std::uint8_t> image, const PeLayout& layout) {
  const DataDirectory root = layout.Directory(kResourceDirectory);
  if (root.VirtualAddress == 0) return {};
  const auto tree = SectionBytesFrom(image, layout, root.VirtualAddress);
  if (tree.empty()) throw EBrandingError("the stub's resource tree lies: its root lies outside the image's sections");
  const ResourceDataAt dataAt = [&](std::uint32_t rva,
                                    std::uint32_t size) -> std::optional<std::span<const std::uint8_t>> {
    const auto offset = FileOffsetOfRva(layout, rva, size);
    if (!offset) return std::nullopt;
    return image.subspan(static_cast<std::size_t>(*offset), size);
  };
  return ReadResourceTree(tree, dataAt, image.size());
}

}  // namespace vnx
