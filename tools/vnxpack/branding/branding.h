#pragma once
// Branding: a runner image that shows the author's icon and version text.
// The resource tree is rewritten whole into a new last section ".rsrc"; the
// old section stays where it is, since .reloc and debug sections follow it
// and their addresses are fixed, renamed ".oldrsrc". Data directory entry 2
// points at the new tree and the checksum is recomputed. The caller brands a plain stub and
// only when the author asks for it; it appends the sessions afterwards.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "tools/vnxpack/branding/branding_error.h"
#include "tools/vnxpack/branding/version_resource.h"

namespace vnx {

struct Branding {
  std::optional<std::vector<std::uint8_t>> Icon;  // the bytes of an .ico file
  std::optional<VersionText> Version;
};

// The image branded; the same bytes when nothing is asked. Throws
// EBrandingError when the icon or the text is invalid, or the image is not a
// plain unsigned program with room for one more section header.
std::vector<std::uint8_t> BrandImage(std::span<const std::uint8_t> image, const Branding& branding);

}  // namespace vnx
