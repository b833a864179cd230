#include "window/browser_association_win.h"

#include <windows.h>

#include <algorithm>

#include "common/handle.h"
#include "contract/control_block.h"
#include "window/browser_association.h"

namespace vnx {
namespace {

std::optional<std::string> ReadDefaultValue(HKEY classesRoot, const std::string& key) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(classesRoot, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return std::nullopt;
  const UniqueRegistryKey opened(raw);
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(opened.get(), nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::string value(size, '\0');
  if (RegQueryValueExA(opened.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  value.resize(std::min<std::size_t>(size, value.size()));
  while (!value.empty() && value.back() == '\0') value.pop_back();
  return value;
}

}  // namespace

void LookUpBrowserAssociation(ControlBlock& block, HKEY classesRoot) {
  WriteShortString(block.DdeApplication, "");
  WriteShortString(block.DdeTopic, "");
  const BrowserAssociation found =
      FindBrowserAssociation([classesRoot](const std::string& key) { return ReadDefaultValue(classesRoot, key); });
  if (found.OpenCommand) WriteShortString(block.HtmlOpenCommand, *found.OpenCommand);
  if (found.DdeApplication) WriteShortString(block.DdeApplication, *found.DdeApplication);
  if (found.DdeTopic) WriteShortString(block.DdeTopic, *found.DdeTopic);
}

}  // namespace vnx
