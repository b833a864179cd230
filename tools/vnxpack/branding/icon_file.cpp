#include "tools/vnxpack/branding/icon_file.h"

#include <algorithm>
#include <array>
#include <string>

#include "tools/vnxpack/branding/branding_error.h"
#include "tools/vnxpack/branding/byte_fields.h"

namespace vnx {
namespace {

constexpr std::uint64_t kDirectorySize = 6;      // ICONDIR and GRPICONDIR
constexpr std::uint64_t kFileEntrySize = 16;     // ICONDIRENTRY
constexpr std::uint64_t kGroupEntrySize = 14;    // GRPICONDIRENTRY
constexpr std::uint32_t kBitmapHeaderSize = 40;  // BITMAPINFOHEADER
// Icons go up to 256 pixels; the bitmap's height counts the mask as well.
constexpr std::int32_t kMaxSide = 256;
constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

[[noreturn]] void NotAnIcon(const std::string& why) { throw EBrandingError("not an icon file: " + why); }

bool IsPng(std::span<const std::uint8_t> image) {
  return image.size() >= kPngSignature.size() && std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin());
}

// Checks a bitmap image and fills what the directory entry left out.
void CheckBitmap(IconImage& icon, const std::string& which) {
  const std::span<const std::uint8_t> data = icon.Data;
  if (data.size() < kBitmapHeaderSize || ReadU32(data, 0) != kBitmapHeaderSize)
    NotAnIcon(which + " is neither a PNG image nor a bitmap");
  const auto width = static_cast<std::int32_t>(ReadU32(data, 4));
  const auto height = static_cast<std::int32_t>(ReadU32(data, 8));
  if (width < 1 || width > kMaxSide || height < 1 || height > 2 * kMaxSide)
    NotAnIcon(which + " is a bitmap of " + std::to_string(width) + " by " + std::to_string(height) + " pixels");
  const std::uint16_t planes = ReadU16(data, 12);
  const std::uint16_t bits = ReadU16(data, 14);
  static constexpr std::array<std::uint16_t, 6> kDepths = {1, 4, 8, 16, 24, 32};
  if (planes != 1 || std::find(kDepths.begin(), kDepths.end(), bits) == kDepths.end())
    NotAnIcon(which + " is a bitmap of " + std::to_string(planes) + " color planes and " + std::to_string(bits) +
              " bits per pixel");
  if (icon.Planes == 0) icon.Planes = planes;
  if (icon.BitCount == 0) icon.BitCount = bits;
}

}  // namespace

std::vector<IconImage> ReadIconFile(std::span<const std::uint8_t> file) {
  if (file.size() < kDirectorySize) NotAnIcon("it is shorter than an icon header");
  if (ReadU16(file, 0) != 0 || ReadU16(file, 2) != 1) NotAnIcon("its header is not that of an icon");
  const std::uint16_t count = ReadU16(file, 4);
  if (count == 0) NotAnIcon("it holds no images");
  if (!FitsIn(file.size(), kDirectorySize, count * kFileEntrySize))
    NotAnIcon("its directory of " + std::to_string(count) + " images is longer than the file");
  std::vector<IconImage> images;
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::uint64_t entry = kDirectorySize + i * kFileEntrySize;
    const std::string which = "image " + std::to_string(i + 1);
    IconImage icon;
    icon.Width = file[static_cast<std::size_t>(entry)];
    icon.Height = file[static_cast<std::size_t>(entry + 1)];
    icon.ColorCount = file[static_cast<std::size_t>(entry + 2)];
    icon.Planes = ReadU16(file, entry + 4);
    icon.BitCount = ReadU16(file, entry + 6);
    const std::uint32_t size = ReadU32(file, entry + 8);
    const std::uint32_t offset = ReadU32(file, entry + 12);
    if (size == 0) NotAnIcon(which + " is empty");
    if (!FitsIn(file.size(), offset, size)) NotAnIcon(which + " lies beyond the end of the file");
    const auto data = file.subspan(offset, size);
    icon.Data.assign(data.begin(), data.end());
    if (IsPng(data)) {
      if (icon.Planes == 0) icon.Planes = 1;
      if (icon.BitCount == 0) icon.BitCount = 32;
    } else {
      CheckBitmap(icon, which);
    }
    images.push_back(std::move(icon));
  }
  return images;
}

std::vector<std::uint8_t> IconGroupData(const std::vector<IconImage>& images, const std::vector<std::uint16_t>& ids) {
  std::vector<std::uint8_t> group;
  AppendU16(group, 0);
  AppendU16(group, 1);
  AppendU16(group, static_cast<std::uint16_t>(images.size()));
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IconImage& icon = images[i];
    group.insert(group.end(), {icon.Width, icon.Height, icon.ColorCount, 0});
    AppendU16(group, icon.Planes);
    AppendU16(group, icon.BitCount);
    AppendU32(group, static_cast<std::uint32_t>(icon.Data.size()));
    AppendU16(group, ids.at(i));
  }
  return group;
}

std::vector<std::uint16_t> IconGroupIds(std::span<const std::uint8_t> group) {
  if (group.size() < kDirectorySize) return {};
  const std::uint64_t whole = (group.size() - kDirectorySize) / kGroupEntrySize;
  const std::uint64_t count = std::min<std::uint64_t>(ReadU16(group, 4), whole);
  std::vector<std::uint16_t> ids;
  for (std::uint64_t i = 0; i < count; ++i) ids.push_back(ReadU16(group, kDirectorySize + i * kGroupEntrySize + 12));
  return ids;
}

}  // namespace vnx
