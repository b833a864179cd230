#pragma once
// Text the system hands over (paths, user and program names) is UTF-16, and
// may hold characters the system code page lacks; text our formats store and
// our peers' contracts carry is bytes of that code page. The runner keeps the
// system's text whole, as UTF-8 where it travels in a std::string, and
// converts between the two worlds here, at one border.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace vnx {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromCodePage(std::string_view text);
std::string Utf8FromCodePage(std::string_view text);

// The text in the code page when every character converts and converts back
// the same; nothing otherwise.
std::optional<std::string> CodePageExactly(std::wstring_view text);
// The code page's rendering, with its default character ("?") for every
// character it lacks: for a name that must be given as bytes where no exact
// form exists.
std::string CodePageRendering(std::wstring_view text);

}  // namespace vnx
