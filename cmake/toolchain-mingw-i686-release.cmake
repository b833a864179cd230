# The release build (scripts/release.sh): the same cross build with the
# compilers of the win32 thread model. Nothing we ship uses C++ threads, and
# the posix model's runtime brings the winpthreads library along (26 KB of
# the runner).
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
