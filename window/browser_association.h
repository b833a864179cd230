#pragma once
// How the system opens HTML documents: the class registered for ".htm" (or
// ".html", which wins), its open command and its DDE names. The runner
// publishes them in the control block for the engine, and uses the DDE names
// to recognise the presentation's browser requests.

#include <functional>
#include <optional>
#include <string>

namespace vnx {

struct BrowserAssociation {
  std::optional<std::string> OpenCommand;     // class\shell\open\command
  std::optional<std::string> DdeApplication;  // class\shell\open\ddeexec\Application
  std::optional<std::string> DdeTopic;        // class\shell\open\ddeexec\Topic
};

// The default value of a key under HKEY_CLASSES_ROOT; nothing when the key
// cannot be opened or has no default value.
using ClassesRootReader = std::function<std::optional<std::string>(const std::string& key)>;

BrowserAssociation FindBrowserAssociation(const ClassesRootReader& readDefault);

}  // namespace vnx
