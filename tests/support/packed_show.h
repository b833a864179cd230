#pragma once
// Presentations for tests: a copy of a runner program with a session of
// files appended, written with the same session writer as vnxpack.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace vnx::test {

struct ShowFile {
  std::string Name;
  std::string Content;
  std::string Placement;  // empty: the file's role follows from its name
};

// A file's content taken from a program built next to the test executable.
std::string BuiltProgramBytes(const std::string& fileName);

// Copies the stub program to outPath and appends one session "Session1".
void PackShow(const std::string& stubPath, const std::string& outPath, const std::vector<ShowFile>& files);

// The per-user registry section of an executable name (its whole stem, in
// UTF-8): sets (unless empty) or removes
// "Pellam Temp Directory" so that a test's runners work below a scratch
// directory, and removes the whole section at the end.
class ShowRegistrySection {
 public:
  ShowRegistrySection(std::string exeStem, const std::string& tempDirectory);
  ~ShowRegistrySection();
  ShowRegistrySection(const ShowRegistrySection&) = delete;
  ShowRegistrySection& operator=(const ShowRegistrySection&) = delete;

  void SetString(const std::string& name, const std::string& value) const;
  void SetNumber(const std::string& name, DWORD value) const;  // a REG_DWORD
  // The text of a REG_SZ value; nothing when it is absent or of another type.
  std::optional<std::string> GetString(const std::string& name) const;
  bool Exists() const;
  void Remove() const;

 private:
  std::string stem_;
};

}  // namespace vnx::test
