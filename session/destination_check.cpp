#include "session/destination_check.h"

#include <algorithm>
#include <array>

#include "common/text.h"

namespace vnx {
namespace {

bool OnlyDotsAndBlanks(std::string_view name) {
  return std::all_of(name.begin(), name.end(), [](char c) { return c == '.' || c == ' '; });
}

// Windows opens these as devices in any directory, with any extension, and
// with blanks before the extension.
bool IsDeviceName(std::string_view name) {
  static constexpr std::array<std::string_view, 22> kDevices = {
      "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
      "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  const std::string lower = LowerAscii(stem);
  return std::find(kDevices.begin(), kDevices.end(), lower) != kDevices.end();
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool IsSafeFileName(std::string_view name) {
  if (name.empty() || OnlyDotsAndBlanks(name)) return false;
  if (name.find_first_of(std::string_view("\\/:\0", 4)) != std::string_view::npos) return false;
  return !IsDeviceName(name);
}

bool IsSafeSubdirectory(std::string_view relativeDir) {
  if (!relativeDir.empty() && IsSeparator(relativeDir.back())) relativeDir.remove_suffix(1);
  if (relativeDir.empty()) return false;
  std::size_t start = 0;
  while (true) {
    const auto end =
        std::find_if(relativeDir.begin() + static_cast<std::ptrdiff_t>(start), relativeDir.end(), IsSeparator);
    const std::size_t stop = static_cast<std::size_t>(end - relativeDir.begin());
    if (!IsSafeFileName(relativeDir.substr(start, stop - start))) return false;
    if (end == relativeDir.end()) return true;
    start = stop + 1;
  }
}

bool IsSafePlacement(std::string_view placement) {
  if (placement.empty() || placement == "." || placement.starts_with("PTOOL.")) return true;
  return IsSafeSubdirectory(placement);
}

}  // namespace vnx
