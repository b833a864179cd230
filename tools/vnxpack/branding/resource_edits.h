#pragma once
// The two changes branding makes to a program's resources: its icon group
// MAINICON and its version resource. Everything else stays as found.

#include <cstdint>
#include <vector>

#include "tools/vnxpack/branding/icon_file.h"
#include "tools/vnxpack/branding/resource_tree.h"

namespace vnx {

inline constexpr std::u16string_view kMainIconName = u"MAINICON";
inline constexpr std::uint16_t kVersionId = 1;
inline constexpr std::uint16_t kVersionLanguage = 0x0409;  // U.S. English, as the string table

// Replaces every language of the group MAINICON by one group of the images,
// in the language of the old group (the lowest, if it had several; 0 when
// there was none). The old group's RT_ICON images go unless another group
// still names them. The new images take the lowest ids from 1 up that no
// remaining RT_ICON uses, in the file's order.
void ReplaceMainIcon(std::vector<Resource>& resources, const std::vector<IconImage>& images);

// Replaces every RT_VERSION, in every language, by id 1 in U.S. English.
void ReplaceVersion(std::vector<Resource>& resources, std::vector<std::uint8_t> versionInfo);

}  // namespace vnx
