#!/usr/bin/env bash
# Installs, on Debian 12, whatever the builds and tests need and is missing:
# the mingw-w64 cross compilers (32-bit for the programs that ship, 64-bit
# for the tests on machines that run no 32-bit code; both thread models, the
# win32 one for the release), debootstrap for the Debian 13 root that
# carries the Wine (scripts/wine-root.sh), Xvfb and the X tools, CMake,
# GoogleTest, zlib for both builds, and clang for the fuzzers, clang-tidy and
# the format check, and osslsigncode and openssl for signing a presentation.
# A ready machine passes through in well under a second.
set -euo pipefail

packages=(
  debootstrap
  g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 mingw-w64-tools libz-mingw-w64-dev
  xvfb xauth xdotool x11-utils imagemagick
  cmake ninja-build g++ make python3
  googletest libgtest-dev zlib1g-dev
  clang libclang-rt-14-dev clang-tidy clang-format-14
  osslsigncode openssl
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root to install: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
echo "Installing: ${missing[*]}" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
