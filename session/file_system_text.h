#pragma once
// Path texts in the system's multibyte code page, judged on whole characters:
// in a double-byte code page the second byte of a character may be 0x5C, the
// byte of "\", and must not be taken for a separator. The code page's
// lead-byte test is passed in, so the same rules run natively in tests.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vnx {

using LeadBytePredicate = bool (*)(unsigned char);
// The lead-byte test of a single-byte code page: no byte starts a pair.
bool NoLeadBytes(unsigned char);

// Position of the first byte of the last character; npos for an empty text.
std::size_t LastCharacterStart(std::string_view text, LeadBytePredicate isLead);
bool EndsWithBackslash(std::string_view path, LeadBytePredicate isLead);
// "\" appended unless the path is empty or already ends in one.
std::string WithTrailingBackslash(std::string_view path, LeadBytePredicate isLead);
// One trailing "\" removed, if there is one.
std::string WithoutTrailingBackslash(std::string_view path, LeadBytePredicate isLead);
// The path up to and including its last "\" or ":"; empty when it has none.
std::string FolderOf(std::string_view path, LeadBytePredicate isLead);
// The path before its last "\"; empty when it has none.
std::string BeforeLastBackslash(std::string_view path, LeadBytePredicate isLead);
// The part after the last "\" or ":".
std::string NameOf(std::string_view path, LeadBytePredicate isLead);
// ASCII letters lower- or upper-cased; double-byte characters kept as they are.
std::string LowerCaseName(std::string_view name, LeadBytePredicate isLead);
std::string UpperCaseName(std::string_view name, LeadBytePredicate isLead);
// A single path component that names an entry inside its directory: not
// empty, not "." or "..", without "\", "/" or ":".
bool IsPlainName(std::string_view name, LeadBytePredicate isLead);

// The directories to create, outermost first, so that the whole path exists:
// one trailing "\" is ignored, and the walk up stops at a path shorter than
// three characters, at an existing directory, or where the parent is the path.
std::vector<std::string> DirectoriesToCreate(std::string_view path, LeadBytePredicate isLead,
                                             const std::function<bool(const std::string&)>& isDirectory);

}  // namespace vnx
