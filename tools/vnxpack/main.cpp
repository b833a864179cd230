// vnxpack: the authoring tool, natively and as vnxpack.exe.

#include <iostream>

#include "tools/vnxpack/vnxpack.h"
#ifdef _WIN32
#include "common/system_libraries.h"
#include "tools/vnxpack/win32_pack_host.h"
#else
#include "tools/vnxpack/posix_pack_host.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // Authors run the tool from download folders too.
  vnx::KeepLibrarySearchInSystemDirectory();
  const vnx::PackHost& host = vnx::Win32PackHost();
#else
  const vnx::PackHost& host = vnx::PosixPackHost();
#endif
  return vnx::VnxpackMain(std::vector<std::string>(argv + 1, argv + argc), host, std::cout, std::cerr);
}
