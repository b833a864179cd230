#pragma once
// The resources of a program image, found the way the loader finds them:
// through data directory entry 2, whichever section holds the tree.

#include <cstdint>
#include <span>
#include <vector>

#include "tools/vnxpack/branding/pe_image.h"
#include "tools/vnxpack/branding/resource_tree.h"

namespace vnx {

// None when the image has no resource tree. Throws EBrandingError when the
// bytes are not a program image or its tree lies.
std::vector<Resource> ReadImageResources(std::span<const std::uint8_t> image);
std::vector<Resource> ReadImageResources(std::span<const std::uint8_t> image, const PeLayout& layout);

}  // namespace vnx
