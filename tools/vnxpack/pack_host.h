#pragma once
// What the authoring tool needs of the machine it runs on, beyond the session
// reader's file seam: facts about files, directory listings, creating
// directories and replacing a file. POSIX natively, Win32 in vnxpack.exe.
//
// The host's own text (its paths, the command line, the tool's messages) may
// differ from the text the format stores (bytes of the Windows code page):
// vnxpack.exe takes paths whole, in UTF-8, so that it works in a folder of
// any script. Natively both are the same bytes.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "session/file_seam.h"

namespace vnx {

struct HostFileFacts {
  bool Exists = false;
  bool IsDirectory = false;
  std::int64_t Size = 0;
  std::uint64_t LastWriteTime = 0;  // FILETIME
};

class PackHost {
 public:
  virtual ~PackHost() = default;
  virtual const FileSeam& Files() const = 0;
  // The separator of the host's own paths.
  virtual char Separator() const = 0;
  virtual HostFileFacts Facts(const std::string& path) const = 0;
  // The names in a directory, sorted, without "." and ".."; raises EPackError.
  virtual std::vector<std::string> List(const std::string& directory) const = 0;
  virtual std::string AbsolutePath(const std::string& path) const = 0;
  // Creates the directory and its missing parents; "\" separates too.
  // Raises EPackError.
  virtual void MakeDirectories(const std::string& path) const = 0;
  // Moves `from` over `to`, replacing it; raises EPackError.
  virtual void MoveOver(const std::string& from, const std::string& to) const = 0;
  virtual void RemoveFile(const std::string& path) const = 0;
  // Best effort, like RemoveFile.
  virtual void RemoveEmptyDirectory(const std::string& path) const = 0;
  virtual std::string TemporaryDirectory() const = 0;
  // The folder the tool's own program lies in; empty when unknown.
  virtual std::string ToolDirectory() const = 0;
  // Binary streams on host paths; nullptr when the file cannot be opened.
  virtual std::unique_ptr<std::istream> OpenInput(const std::string& path) const = 0;
  virtual std::unique_ptr<std::ostream> OpenOutput(const std::string& path) const = 0;

  // The stored form of host text, when every character has one.
  virtual std::optional<std::string> StoredText(const std::string& hostText) const = 0;
  // The stored form with the code page's "?" for every character it lacks.
  virtual std::string StoredRendering(const std::string& hostText) const = 0;
  virtual std::string HostText(const std::string& storedText) const = 0;
};

}  // namespace vnx
