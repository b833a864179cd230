#include "tools/vnxpack/branding/version_resource.h"

#include <charconv>

#include "tools/vnxpack/branding/branding_error.h"
#include "tools/vnxpack/branding/byte_fields.h"
#include "tools/vnxpack/branding/utf16_text.h"

namespace vnx {
namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedSize = 52;  // VS_FIXEDFILEINFO
constexpr std::uint16_t kBinary = 0;
constexpr std::uint16_t kText = 1;
constexpr std::u16string_view kRootKey = u"VS_VERSION_INFO";

void AppendText(std::vector<std::uint8_t>& out, std::u16string_view text) {
  for (const char16_t c : text) AppendU16(out, c);
  AppendU16(out, 0);
}

// wLength, wValueLength, wType, the key and its padding; EndBlock fills
// wLength once the value and the children are written.
std::size_t BeginBlock(std::vector<std::uint8_t>& out, std::u16string_view key, std::uint16_t valueLength,
                       std::uint16_t type) {
  PadTo(out, 4);
  const std::size_t start = out.size();
  AppendU16(out, 0);
  AppendU16(out, valueLength);
  AppendU16(out, type);
  AppendText(out, key);
  PadTo(out, 4);
  return start;
}

void EndBlock(std::vector<std::uint8_t>& out, std::size_t start) {
  const std::size_t length = out.size() - start;
  if (length > 0xFFFF)
    throw EBrandingError("the version text is too long: a version resource holds at most 65535 bytes");
  PutU16(out, start, static_cast<std::uint16_t>(length));
}

std::uint32_t High(const VersionNumber& v) { return static_cast<std::uint32_t>(v[0]) << 16 | v[1]; }
std::uint32_t Low(const VersionNumber& v) { return static_cast<std::uint32_t>(v[2]) << 16 | v[3]; }

void AppendFixedInfo(std::vector<std::uint8_t>& out, const FixedVersions& versions) {
  AppendU32(out, kFixedSignature);
  AppendU32(out, 0x00010000);  // dwStrucVersion
  AppendU32(out, High(versions.File));
  AppendU32(out, Low(versions.File));
  AppendU32(out, High(versions.Product));
  AppendU32(out, Low(versions.Product));
  AppendU32(out, 0x3F);  // dwFileFlagsMask: VS_FF_* all valid, none set
  AppendU32(out, 0);
  AppendU32(out, 0x4);  // VOS__WINDOWS32
  AppendU32(out, 0x1);  // VFT_APP
  AppendU32(out, 0);    // dwFileSubtype
  AppendU32(out, 0);    // dwFileDateMS
  AppendU32(out, 0);    // dwFileDateLS
}

std::optional<std::u16string> Converted(const std::optional<std::string>& text, const char* what) {
  if (!text || text->empty()) return std::nullopt;
  auto wide = Utf16FromUtf8(*text);
  if (!wide) throw EBrandingError(std::string("the ") + what + " is not valid UTF-8");
  if (wide->find(u'\0') != std::u16string::npos)
    throw EBrandingError(std::string("the ") + what + " holds a NUL character");
  return wide;
}

std::u16string VersionText16(const VersionNumber& v) {
  std::string text;
  for (std::size_t i = 0; i < v.size(); ++i) text += (i ? "." : "") + std::to_string(v[i]);
  return std::u16string(text.begin(), text.end());
}

}  // namespace

std::optional<VersionNumber> ParseVersionNumber(std::string_view text) {
  VersionNumber number{};
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  for (std::size_t i = 0; i < number.size(); ++i) {
    if (i > 0 && (at == end || *at++ != '.')) return std::nullopt;
    if (at == end || *at < '0' || *at > '9') return std::nullopt;
    std::uint32_t part = 0;
    const auto [next, error] = std::from_chars(at, end, part);
    if (error != std::errc() || part > 0xFFFF) return std::nullopt;
    number[i] = static_cast<std::uint16_t>(part);
    at = next;
  }
  if (at != end) return std::nullopt;
  return number;
}

std::optional<FixedVersions> ReadFixedVersions(std::span<const std::uint8_t> versionInfo) {
  const std::uint64_t fixed = AlignUp(6 + 2 * (kRootKey.size() + 1), 4);
  if (!FitsIn(versionInfo.size(), fixed, kFixedSize) || ReadU16(versionInfo, 2) < kFixedSize) return std::nullopt;
  for (std::size_t i = 0; i < kRootKey.size(); ++i)
    if (ReadU16(versionInfo, 6 + 2 * i) != kRootKey[i]) return std::nullopt;
  if (ReadU32(versionInfo, fixed) != kFixedSignature) return std::nullopt;
  const auto number = [&](std::uint64_t at) -> VersionNumber {
    const std::uint32_t high = ReadU32(versionInfo, at), low = ReadU32(versionInfo, at + 4);
    return {static_cast<std::uint16_t>(high >> 16), static_cast<std::uint16_t>(high),
            static_cast<std::uint16_t>(low >> 16), static_cast<std::uint16_t>(low)};
  };
  return FixedVersions{number(fixed + 8), number(fixed + 16)};
}

VersionStrings PrepareVersionStrings(const VersionText& text) {
  VersionStrings prepared;
  if (text.FileVersion && !text.FileVersion->empty()) {
    prepared.Version = ParseVersionNumber(*text.FileVersion);
    if (!prepared.Version)
      throw EBrandingError("the file version \"" + *text.FileVersion + "\" is not four numbers A.B.C.D of 0 to 65535");
  }
  const auto title = Converted(text.Title, "title");
  const auto company = Converted(text.Company, "company");
  const auto copyright = Converted(text.Copyright, "copyright");
  const auto original = Converted(text.OriginalFilename, "original file name");
  const auto add = [&](std::u16string key, const std::optional<std::u16string>& value) {
    if (value) prepared.Strings.emplace_back(std::move(key), *value);
  };
  add(u"CompanyName", company);
  add(u"FileDescription", title);
  if (prepared.Version) add(u"FileVersion", VersionText16(*prepared.Version));
  add(u"LegalCopyright", copyright);
  add(u"OriginalFilename", original);
  add(u"ProductName", title);
  if (prepared.Version) add(u"ProductVersion", VersionText16(*prepared.Version));
  return prepared;
}

std::vector<std::uint8_t> VersionResourceData(const VersionStrings& strings, const FixedVersions& stubVersions) {
  const FixedVersions versions = strings.Version ? FixedVersions{*strings.Version, *strings.Version} : stubVersions;
  std::vector<std::uint8_t> out;
  const std::size_t root = BeginBlock(out, kRootKey, kFixedSize, kBinary);
  AppendFixedInfo(out, versions);
  if (!strings.Strings.empty()) {
    const std::size_t fileInfo = BeginBlock(out, u"StringFileInfo", 0, kText);
    const std::size_t table = BeginBlock(out, u"040904B0", 0, kText);
    for (const auto& [key, value] : strings.Strings) {
      // wValueLength counts the value's characters with its terminator.
      if (value.size() >= 0xFFFF)
        throw EBrandingError("the version text is too long: a version resource holds at most 65535 bytes");
      const std::size_t entry = BeginBlock(out, key, static_cast<std::uint16_t>(value.size() + 1), kText);
      AppendText(out, value);
      EndBlock(out, entry);
    }
    EndBlock(out, table);
    EndBlock(out, fileInfo);
  }
  const std::size_t varInfo = BeginBlock(out, u"VarFileInfo", 0, kText);
  const std::size_t translation = BeginBlock(out, u"Translation", 4, kBinary);
  AppendU16(out, 0x0409);  // U.S. English
  AppendU16(out, 1200);    // Unicode
  EndBlock(out, translation);
  EndBlock(out, varInfo);
  EndBlock(out, root);
  return out;
}

}  // namespace vnx
