#include "tests/e2e/author_branding.h"

#include <cstdint>
#include <sstream>

#include "tools/vnxpack/vnxpack.h"
#include "tools/vnxpack/win32_pack_host.h"

namespace vnx::test {
namespace {

void Add16(std::string& bytes, std::uint32_t value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>((value >> 8) & 0xFF);
}
void Add32(std::string& bytes, std::uint32_t value) {
  Add16(bytes, value & 0xFFFF);
  Add16(bytes, value >> 16);
}

// An opaque 32-bit image of one colour: header, pixels, an empty mask.
std::string SolidImage(int side, COLORREF colour) {
  std::string image;
  for (const std::uint32_t field : {40u, static_cast<std::uint32_t>(side), static_cast<std::uint32_t>(2 * side)})
    Add32(image, field);
  Add16(image, 1);
  Add16(image, 32);
  image.resize(40);
  for (int pixel = 0; pixel < side * side; ++pixel)
    image += {static_cast<char>(GetBValue(colour)), static_cast<char>(GetGValue(colour)),
              static_cast<char>(GetRValue(colour)), '\xFF'};
  image.append(static_cast<std::size_t>((side + 31) / 32 * 4 * side), '\0');
  return image;
}

}  // namespace

std::string IconFile(const std::vector<std::pair<int, COLORREF>>& images) {
  std::string file;
  Add16(file, 0);
  Add16(file, 1);
  Add16(file, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  std::string data;
  for (const auto& [side, colour] : images) {
    const std::string image = SolidImage(side, colour);
    file += {static_cast<char>(side), static_cast<char>(side), 0, 0};
    Add16(file, 1);
    Add16(file, 32);
    Add32(file, static_cast<std::uint32_t>(image.size()));
    Add32(file, offset);
    offset += static_cast<std::uint32_t>(image.size());
    data += image;
  }
  return file + data;
}

Tool Vnxpack(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int code = VnxpackMain(arguments, Win32PackHost(), out, err);
  return {code, err.str()};
}

}  // namespace vnx::test
