#pragma once
// The session reader's files in the runner: Win32 files. The source is read
// with sharing for reading and writing (several running copies read the same
// executable); destination files are held exclusively while written.

#include <memory>
#include <string>

#include "session/file_seam.h"

namespace vnx {

const FileSeam& Win32Files();
// The same files named whole: paths, and the paths in messages, in UTF-8.
const FileSeam& Win32WholeFiles();
// A file the system names whole (its path in UTF-8: the program's own, in a
// folder of any script), opened for reading as Win32Files() opens one.
// Raises EFOpenError with the path as the code page writes it.
std::unique_ptr<SourceStream> OpenWholePathForReading(const std::string& wholePath);

}  // namespace vnx
