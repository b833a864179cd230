#pragma once
// The session reader: finds a named session behind an executable (its own,
// or any file) and writes the session's files into a directory, asking a
// per-file event where each file goes. One object serves any number of
// Extract calls; each call opens and closes the source itself.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/file_seam.h"
#include "session/session_format.h"

namespace vnx {

// The program's own executable as the reader finds it at each Extract with
// UseOwnExe set: its path as the messages name it, and how it opens. The
// runner opens its whole path (a folder in another script than the code
// page's too); tests and tools name a file of the reader's file operations.
struct OwnExecutable {
  std::function<std::string()> Path;
  std::function<std::unique_ptr<SourceStream>()> Open;  // raises EFOpenError
};
// The file at the path that `path` gives, opened through `files`.
OwnExecutable ExecutableAt(const FileSeam& files, const std::function<std::string()>& path);

class TZefExeAppender {
 public:
  // files: the file operations (Win32Files() in the runner, PosixFiles()
  // natively).
  TZefExeAppender(const FileSeam& files, OwnExecutable ownExe);
  virtual ~TZefExeAppender() = default;
  TZefExeAppender(const TZefExeAppender&) = delete;
  TZefExeAppender& operator=(const TZefExeAppender&) = delete;

  // Called once per file before it is written; may rename the file, change
  // its destination directory or skip it. fileName is this object's FileName.
  std::function<void(TZefExeAppender& sender, std::string& fileName, std::string& destinationDir, bool& skip)> OnFile;
  // Session progress and progress within the current file; setting abort
  // ends Extract normally (a file being written is deleted).
  std::function<void(TZefExeAppender&sender, const std::string&fileName, std::int32_t percent, bool&abort)> OnProgress,
      OnFileProgress;

  bool UseOwnExe = true;       // read the program's own executable, not SourceFile
  bool SearchBackward = true;  // pass over bytes behind the last trailer (down to position 2048)
  std::string SourceFile;
  std::string TargetDir;  // empty: each file goes to the directory stored in its header
  // The extraction in progress; they keep their last values afterwards.
  std::int32_t TotalSize = 0;
  std::int32_t TotalDone = 0;
  std::int32_t FileSize = 0;
  std::int32_t FileDone = 0;
  std::string FileName;
  std::string Placement;

  // Raises ERunnerError (and its kinds) with the message the user sees.
  void Extract(const std::string& sessionName);

 protected:
  // Report progress; true when a handler asks to abort.
  virtual bool DoProgress();
  virtual bool DoFileProgress();

 private:
  // Writes one file from its stored data; false when a handler aborted.
  bool WriteOneFile(SourceStream& source, std::int64_t dataPosition, const FileRecordHeader& header,
                    const std::string& destinationDir, std::vector<std::uint8_t>& piece);

  const FileSeam& files_;
  OwnExecutable ownExe_;
};

}  // namespace vnx
