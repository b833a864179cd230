#include "runner/atom_environment.h"

#include "common/integer_text.h"
#include "common/system_text.h"

namespace vnx {

std::string ReadAtomText(ATOM atom) {
  wchar_t name[1025] = {};
  const UINT length = GlobalGetAtomNameW(atom, name, 1024);
  return Utf8FromWide(std::wstring_view(name, length));
}

bool EnvHoldsWindow(WPARAM window, ATOM atom) {
  wchar_t value[501] = {};
  const DWORD length = GetEnvironmentVariableW(WideFromUtf8(ReadAtomText(atom)).c_str(), value, 500);
  if (length == 0 || length >= 500) return false;
  const auto number = ParseInteger(CodePageRendering(std::wstring_view(value, length)));
  return number && static_cast<WPARAM>(static_cast<std::uint32_t>(*number)) == window;
}

}  // namespace vnx
