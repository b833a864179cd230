// vnxpack: the authoring tool, natively and as vnxpack.exe.

#include <iostream>

#include "tools/vnxpack/vnxpack.h"
#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "common/system_libraries.h"
#include "common/system_text.h"
#include "tools/vnxpack/win32_pack_host.h"
#else
#include "tools/vnxpack/posix_pack_host.h"
#endif

namespace {

#ifdef _WIN32
// The arguments whole, in UTF-8: authors keep presentations in folders of any
// script, which the code page's argv would turn into "?".
std::vector<std::string> WholeArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> result;
  for (int index = 1; arguments && index < count; ++index) result.push_back(vnx::Utf8FromWide(arguments[index]));
  LocalFree(arguments);
  return result;
}

// The tool writes host text (UTF-8); a console shows it as such while the
// tool runs, and gets its own code page back afterwards.
class Utf8Console {
 public:
  Utf8Console() : previous_(GetConsoleOutputCP()) {
    if (previous_ != 0) SetConsoleOutputCP(CP_UTF8);
  }
  ~Utf8Console() {
    if (previous_ != 0) SetConsoleOutputCP(previous_);
  }
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  UINT previous_;
};
#endif

}  // namespace

int main([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
  // Authors run the tool from download folders too.
  vnx::KeepLibrarySearchInSystemDirectory();
  const Utf8Console console;
  const int code = vnx::VnxpackMain(WholeArguments(), vnx::Win32PackHost(), std::cout, std::cerr);
  std::cout.flush();
  return code;
#else
  return vnx::VnxpackMain(std::vector<std::string>(argv + 1, argv + argc), vnx::PosixPackHost(), std::cout, std::cerr);
#endif
}
