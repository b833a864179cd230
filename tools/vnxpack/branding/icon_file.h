#pragma once
// An .ico file taken apart into the images a program carries as RT_ICON
// resources, and the RT_GROUP_ICON directory that names them by id.

#include <cstdint>
#include <span>
#include <vector>

namespace vnx {

struct IconImage {
  std::uint8_t Width = 0;  // 0 stands for 256
  std::uint8_t Height = 0;
  std::uint8_t ColorCount = 0;
  std::uint16_t Planes = 0;
  std::uint16_t BitCount = 0;
  std::vector<std::uint8_t> Data;  // a PNG file, or a BITMAPINFOHEADER with its pixels and mask
};

// Every image of the file, in its order. Planes and BitCount left 0 by the
// file are taken from the bitmap header (a PNG counts as 32 bits), as the
// system's choice of size and depth reads them from the group. Throws
// EBrandingError "not an icon file: ..." when the file is not a valid icon.
std::vector<IconImage> ReadIconFile(std::span<const std::uint8_t> file);

// GRPICONDIR and one GRPICONDIRENTRY per image, naming images[i] by ids[i].
std::vector<std::uint8_t> IconGroupData(const std::vector<IconImage>& images, const std::vector<std::uint16_t>& ids);

// The ids an RT_GROUP_ICON names, as far as its data holds whole entries.
std::vector<std::uint16_t> IconGroupIds(std::span<const std::uint8_t> group);

}  // namespace vnx
