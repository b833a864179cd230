#pragma once
// Scratch space for Windows tests: a fresh directory under the temporary
// directory, removed with everything in it when the object goes, and the
// small file operations the tests use to fill and inspect it.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vnx::test {

class ScratchDirectory {
 public:
  // Strict: a directory that cannot be removed at the end fails the test.
  // Lenient: what another process still holds is left for the next start
  // of the system (the engine library in Wine's desktop process).
  enum class Removal { Strict, Lenient };
  explicit ScratchDirectory(std::string_view tag, Removal removal = Removal::Strict);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& Path() const { return path_; }  // without a trailing "\"
  std::string File(std::string_view relative) const { return path_ + "\\" + std::string(relative); }
  std::string operator/(std::string_view relative) const { return File(relative); }
  void Write(std::string_view relative, std::string_view text) const;
  std::optional<std::string> Read(std::string_view relative) const;
  // Copies a program built next to the test executable into the directory;
  // returns the copy's path.
  std::string PlaceBuiltProgram(std::string_view fileName, std::string_view asName = {}) const;

 private:
  std::string path_;
  Removal removal_;
};

// The full path of a program built next to the test executable. The runner
// and the engine come from the folder VNX_SHIPPED_PROGRAMS names when it is
// set: the same tests then run against a release build of them.
std::string BuiltProgram(std::string_view fileName);

// Deletes a directory tree, retrying while a program that just ended still
// holds its file; true when the directory is gone.
bool RemoveTree(const std::string& directory);

// Every file and directory below the directory, as paths relative to it.
std::vector<std::string> TreeEntries(const std::string& directory, const std::string& prefix = "");

void WriteFileText(const std::string& path, std::string_view text);
std::optional<std::string> ReadFileText(const std::string& path);
bool FileExists(const std::string& path);
// The paths queued for deletion at the next start of the system, lower-cased
// and in one string.
std::string PendingDeletions();

}  // namespace vnx::test
