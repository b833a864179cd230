#include "runner/shell_delete.h"

namespace vnx {

bool ShellDelete(const std::string& path, FILEOP_FLAGS flags) {
  // An empty source would mean the current directory; nothing here asks for that.
  if (path.empty()) return false;
  std::string source = path;
  source.append(2, '\0');  // the shell's list of paths ends with an empty one
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = source.c_str();
  operation.fFlags = flags;
  return SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace vnx
