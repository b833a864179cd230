#include "runner/atom_environment.h"

#include "common/integer_text.h"

namespace vnx {

std::string ReadAtomText(ATOM atom) {
  char name[1025] = {};
  const UINT length = GlobalGetAtomNameA(atom, name, 1024);
  return std::string(name, length);
}

bool EnvHoldsWindow(WPARAM window, ATOM atom) {
  char value[501] = {};
  const DWORD length = GetEnvironmentVariableA(ReadAtomText(atom).c_str(), value, 500);
  if (length == 0 || length >= 500) return false;
  const auto number = ParseInteger(std::string_view(value, length));
  return number && static_cast<WPARAM>(static_cast<std::uint32_t>(*number)) == window;
}

}  // namespace vnx
