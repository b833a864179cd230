#pragma once
// .ico files for the branding tests: bitmap images (BITMAPINFOHEADER, pixels,
// mask) and PNG images (the signature and a header chunk are all the branding
// reads), with the directory entry's fields under the test's control.

#include <cstdint>
#include <vector>

#include "tests/tools/branding/pe_fixture.h"

namespace vnx::test {

struct IcoEntry {
  std::uint8_t Width = 0;
  std::uint8_t Height = 0;
  std::uint8_t Colors = 0;
  std::uint16_t Planes = 0;
  std::uint16_t BitCount = 0;
  Bytes Data;
};

inline Bytes BitmapImage(std::int32_t side, std::uint16_t bits, std::uint8_t seed = 1) {
  Bytes data;
  Add32(data, 40);
  Add32(data, static_cast<std::uint32_t>(side));
  Add32(data, static_cast<std::uint32_t>(2 * side));  // pixels and mask
  Add16(data, 1);
  Add16(data, bits);
  data.resize(40);
  const std::size_t row = (static_cast<std::size_t>(side) * bits + 31) / 32 * 4;
  const std::size_t maskRow = (static_cast<std::size_t>(side) + 31) / 32 * 4;
  const Bytes pixels = Pattern((row + maskRow) * static_cast<std::size_t>(side), seed);
  data.insert(data.end(), pixels.begin(), pixels.end());
  return data;
}

inline Bytes PngImage(std::uint32_t side, std::uint8_t seed = 1) {
  Bytes data = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (const std::uint32_t field : {side, side}) {
    for (int shift = 24; shift >= 0; shift -= 8) data.push_back(static_cast<std::uint8_t>(field >> shift));
  }
  data.insert(data.end(), {8, 6, 0, 0, 0});
  const Bytes rest = Pattern(40, seed);
  data.insert(data.end(), rest.begin(), rest.end());
  return data;
}

inline IcoEntry BitmapEntry(std::uint8_t side, std::uint16_t bits, std::uint8_t seed = 1) {
  return {side, side, static_cast<std::uint8_t>(bits < 8 ? 1u << bits : 0u), 1, bits, BitmapImage(side, bits, seed)};
}

// Entries whose offset and size fields follow the images as laid out.
inline Bytes IcoFile(const std::vector<IcoEntry>& entries) {
  Bytes file;
  Add16(file, 0);
  Add16(file, 1);
  Add16(file, static_cast<std::uint32_t>(entries.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const IcoEntry& entry : entries) {
    file.insert(file.end(), {entry.Width, entry.Height, entry.Colors, 0});
    Add16(file, entry.Planes);
    Add16(file, entry.BitCount);
    Add32(file, static_cast<std::uint32_t>(entry.Data.size()));
    Add32(file, offset);
    offset += static_cast<std::uint32_t>(entry.Data.size());
  }
  for (const IcoEntry& entry : entries) file.insert(file.end(), entry.Data.begin(), entry.Data.end());
  return file;
}

}  // namespace vnx::test
