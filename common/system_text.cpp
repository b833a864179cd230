#include "common/system_text.h"

namespace vnx {
namespace {

std::wstring Widen(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Narrow(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int length =
      WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) { return Widen(CP_UTF8, text); }
std::string Utf8FromWide(std::wstring_view text) { return Narrow(CP_UTF8, text); }
std::wstring WideFromCodePage(std::string_view text) { return Widen(CP_ACP, text); }
std::string Utf8FromCodePage(std::string_view text) { return Utf8FromWide(WideFromCodePage(text)); }

std::optional<std::string> CodePageExactly(std::wstring_view text) {
  // The way back catches the best-fit mappings ("ä" for "а" and the like)
  // as well as the default character.
  std::string narrow = Narrow(CP_ACP, text);
  if (WideFromCodePage(narrow) != text) return std::nullopt;
  return narrow;
}

std::string CodePageRendering(std::wstring_view text) { return Narrow(CP_ACP, text); }

}  // namespace vnx
