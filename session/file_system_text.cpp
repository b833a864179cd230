#include "session/file_system_text.h"

#include <algorithm>

namespace vnx {
namespace {

// Calls visit(start, length) for every character; a lead byte at the very end
// counts as a character of its own.
template <class Visit>
void ForEachCharacter(std::string_view text, LeadBytePredicate isLead, Visit visit) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    visit(i, length);
    i += length;
  }
}

std::size_t LastSingleByteOf(std::string_view text, LeadBytePredicate isLead, std::string_view bytes) {
  std::size_t found = std::string_view::npos;
  ForEachCharacter(text, isLead, [&](std::size_t start, std::size_t length) {
    if (length == 1 && bytes.find(text[start]) != std::string_view::npos) found = start;
  });
  return found;
}

template <class Map>
std::string MapSingleBytes(std::string_view text, LeadBytePredicate isLead, Map map) {
  std::string result(text);
  ForEachCharacter(text, isLead, [&](std::size_t start, std::size_t length) {
    if (length == 1) result[start] = map(result[start]);
  });
  return result;
}

}  // namespace

bool NoLeadBytes(unsigned char) { return false; }

std::size_t LastCharacterStart(std::string_view text, LeadBytePredicate isLead) {
  std::size_t last = std::string_view::npos;
  ForEachCharacter(text, isLead, [&](std::size_t start, std::size_t) { last = start; });
  return last;
}

bool EndsWithBackslash(std::string_view path, LeadBytePredicate isLead) {
  const std::size_t last = LastCharacterStart(path, isLead);
  return last != std::string_view::npos && last + 1 == path.size() && path[last] == '\\';
}

std::string WithTrailingBackslash(std::string_view path, LeadBytePredicate isLead) {
  std::string result(path);
  if (!path.empty() && !EndsWithBackslash(path, isLead)) result += '\\';
  return result;
}

std::string WithoutTrailingBackslash(std::string_view path, LeadBytePredicate isLead) {
  return std::string(EndsWithBackslash(path, isLead) ? path.substr(0, path.size() - 1) : path);
}

std::string FolderOf(std::string_view path, LeadBytePredicate isLead) {
  const std::size_t cut = LastSingleByteOf(path, isLead, "\\:");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string BeforeLastBackslash(std::string_view path, LeadBytePredicate isLead) {
  const std::size_t cut = LastSingleByteOf(path, isLead, "\\");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut));
}

std::string NameOf(std::string_view path, LeadBytePredicate isLead) {
  return std::string(path.substr(FolderOf(path, isLead).size()));
}

std::string LowerCaseName(std::string_view name, LeadBytePredicate isLead) {
  return MapSingleBytes(name, isLead,
                        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
}

std::string UpperCaseName(std::string_view name, LeadBytePredicate isLead) {
  return MapSingleBytes(name, isLead,
                        [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
}

bool IsPlainName(std::string_view name, LeadBytePredicate isLead) {
  return !name.empty() && name != "." && name != ".." &&
         LastSingleByteOf(name, isLead, "\\/:") == std::string_view::npos;
}

std::vector<std::string> DirectoriesToCreate(std::string_view path, LeadBytePredicate isLead,
                                             const std::function<bool(const std::string&)>& isDirectory) {
  std::vector<std::string> chain;
  std::string current = WithoutTrailingBackslash(path, isLead);
  while (current.size() >= 3 && !isDirectory(current)) {
    const std::string parent = FolderOf(current, isLead);
    if (parent == current) break;
    chain.push_back(current);
    current = WithoutTrailingBackslash(parent, isLead);
  }
  std::reverse(chain.begin(), chain.end());
  return chain;
}

}  // namespace vnx
