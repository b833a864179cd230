#pragma once
// Directories the system names in UTF-16 (the temporary directory, the
// viewer's "Pellam Temp Directory", the program's folder) reach the engine,
// the projector and the control block as bytes of the system code page. So
// the runner works below a directory whose name the code page can write: the
// name itself where it can, else its short (8.3) form, which the system
// gives in plain ASCII on volumes that keep short names.

#include <optional>
#include <string>
#include <string_view>

#include "session/file_system_text.h"

namespace vnx {

// One directory as the system names it and as the code page can.
struct DirectoryNames {
  std::string Whole;                 // as the system gives it, in UTF-8: for messages
  std::optional<std::string> Exact;  // in the code page, when every character converts
  std::optional<std::string> Short;  // its short form in the code page, when the volume keeps one and it converts
};

// The name itself when the code page holds it, else its short form; nothing
// when neither exists.
std::optional<std::string> NameableForm(const DirectoryNames& names);

// The temporary base directory of the runner's files, with a trailing "\":
// the viewer's "Pellam Temp Directory" when set and not empty, else the
// system's temporary directory, in its nameable form. Without one, Message
// (UTF-8) says which directory, why, and what the viewer can do.
struct TempBaseChoice {
  std::optional<std::string> Directory;
  std::string Message;
};
// perUserKey: where the viewer's value lives, as shown in the message
// ("HKEY_CURRENT_USER\Software\Orrindale\show"), in UTF-8.
TempBaseChoice ChooseTempBase(const std::optional<DirectoryNames>& viewerValue, const DirectoryNames& systemTemp,
                              std::string_view perUserKey, LeadBytePredicate isLead);

}  // namespace vnx
