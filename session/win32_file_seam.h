#pragma once
// The session reader's files in the runner: Win32 files. The source is read
// with sharing for reading and writing (several running copies read the same
// executable); destination files are held exclusively while written.

#include "session/file_seam.h"

namespace vnx {

const FileSeam& Win32Files();

}  // namespace vnx
