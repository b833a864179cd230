#include "window/browser_association.h"

namespace vnx {

BrowserAssociation FindBrowserAssociation(const ClassesRootReader& readDefault) {
  std::string documentClass;
  for (const char* extension : {".htm", ".html"})
    if (auto value = readDefault(extension)) documentClass = *value;
  if (documentClass.empty()) return {};
  return {readDefault(documentClass + "\\shell\\open\\command"),
          readDefault(documentClass + "\\shell\\open\\ddeexec\\Application"),
          readDefault(documentClass + "\\shell\\open\\ddeexec\\Topic")};
}

}  // namespace vnx
