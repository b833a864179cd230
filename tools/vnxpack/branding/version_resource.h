#pragma once
// The RT_VERSION resource branding writes: VS_VERSIONINFO with its fixed
// part, one string table "040904B0" (U.S. English, Unicode) and the
// translation that names it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vnx {

// The author's texts, in UTF-8. An absent or empty text leaves its strings
// out. Title gives FileDescription and ProductName; FileVersion ("A.B.C.D",
// each 0 to 65535) gives the fixed file and product versions and the
// strings FileVersion and ProductVersion. Without it, the fixed versions of
// the stub's own version resource (its lowest language) stay, 0.0.0.0 when it has none, and no
// version strings are written: the numbers then describe the runner, and no
// text claims them for the presentation.
struct VersionText {
  std::optional<std::string> Title;
  std::optional<std::string> Company;
  std::optional<std::string> FileVersion;
  std::optional<std::string> Copyright;
  std::optional<std::string> OriginalFilename;
};

using VersionNumber = std::array<std::uint16_t, 4>;  // A.B.C.D

struct FixedVersions {
  VersionNumber File{};
  VersionNumber Product{};
};

// "A.B.C.D", four decimal numbers each 0 to 65535 and nothing else.
std::optional<VersionNumber> ParseVersionNumber(std::string_view text);

// The fixed versions of VS_VERSIONINFO data; nothing when it has no valid
// VS_FIXEDFILEINFO.
std::optional<FixedVersions> ReadFixedVersions(std::span<const std::uint8_t> versionInfo);

// The author's text checked and converted, before any image is touched.
struct VersionStrings {
  std::optional<VersionNumber> Version;
  std::vector<std::pair<std::u16string, std::u16string>> Strings;  // key, value, in the table's order
};

// Throws EBrandingError when a text is not valid UTF-8, holds a NUL or the
// version is not A.B.C.D.
VersionStrings PrepareVersionStrings(const VersionText& text);

// The VS_VERSIONINFO data; the stub's versions stand where the text gives
// none. Throws EBrandingError when it would exceed 65535 bytes.
std::vector<std::uint8_t> VersionResourceData(const VersionStrings& strings, const FixedVersions& stubVersions);

}  // namespace vnx
