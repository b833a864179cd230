#pragma once
// Small file-system operations on paths in the system code page. None of
// them raises; each reports only through its result.

#include <optional>
#include <string>

namespace vnx {

// The lead-byte test of the system's multibyte code page.
bool SystemLeadByte(unsigned char c);

std::string WithTrailingBackslash(const std::string& path);
bool IsDirectory(const std::string& path);
// Creates the directory and every missing parent; failures are ignored and
// surface when the directory is used.
void CreateDirectoryTree(const std::string& path);
// The file's bytes; nothing when it cannot be opened. Others may read and
// write the file meanwhile.
std::optional<std::string> TryReadWholeFile(const std::string& path);
// The file's bytes; empty when it cannot be opened.
std::string ReadWholeFile(const std::string& path);
// Both files read to the same bytes; two unreadable files count as the same.
bool SameFileContent(const std::string& a, const std::string& b);
// The file opens for reading and writing with no sharing: nobody holds it.
bool CanOpenExclusively(const std::string& path);
// No file matching the pattern, or anywhere below a matching directory, is
// held open. Entries whose names begin with "." are passed over; the walk
// stops at the first file in use. A directory path (no trailing "\") tests
// the whole tree below it.
bool TreeNotInUse(const std::string& pattern);
// Queues a file, or an empty directory, for deletion at the next start of
// the system; runners queue one at a time.
void DeleteAtNextStart(const std::string& path);
// Deletes a directory tree (given without a trailing "\"); what some other
// process still holds, and the directories above it, are queued for
// deletion at the next start of the system instead.
void DeleteTreeNowOrAtNextStart(const std::string& directory);
// Deletes the files directly inside the directory (given with its trailing
// "\"), then the directory. What something still holds is scheduled for
// deletion at the next start of the system, the directory after its files.
void RemoveDirectoryWithFiles(const std::string& directory);

}  // namespace vnx
