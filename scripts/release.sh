#!/usr/bin/env bash
# The release: the programs that ship, built small and reproducibly for
# 32-bit Windows (build/release, CMake option VNX_RELEASE), and the package
# an author downloads:
#   release.sh [--check-reproducible]
# writes dist/vornex-runner-<version>-win32.zip (runner.exe, vnxengine.dll,
# vnxpack.exe, README.txt and the demo as example\ with the stand-in
# projector) and its SHA-256 beside it (.sha256). The version is the file
# VERSION's. Every file in the package carries the time of the commit, so
# the same commit gives the same bytes; --check-reproducible builds it all
# once more from nothing in another directory and fails unless the two
# packages are the same bytes.
# On a machine that runs no 32-bit code (scripts/windows-arch.sh) it builds
# the same release for x86_64 too (build/release-x86_64): the tests there run
# the release programs from it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
check=0
case ${1:-} in
  "") ;;
  --check-reproducible) check=1 ;;
  *) echo "usage: release.sh [--check-reproducible]" >&2; exit 2 ;;
esac

scripts/install-deps.sh
version=$(head -n 1 VERSION)
name=vornex-runner-$version-win32
epoch=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
shipped=(runner.exe vnxengine.dll vnxpack.exe)

# build DIR ARCH: the programs that ship and the stand-in projector.
build() {
  scripts/configure.sh "$1" "$2-release" -DCMAKE_BUILD_TYPE=MinSizeRel -DVNX_RELEASE=ON
  cmake --build "$1" --target runner vnxengine vnxpack projector6 >"$1.log" 2>&1 || { tail -30 "$1.log"; exit 1; }
}

# package BUILD-DIR ZIP
package() {
  local stage
  stage=$(mktemp -d)
  mkdir -p "$stage/example/show"
  for program in "${shipped[@]}"; do cp "$1/bin/$program" "$stage/"; done
  sed "s/@VERSION@/$version/" docs/release-readme.txt | sed 's/$/\r/' >"$stage/README.txt"
  cp examples/demo/demo.ini examples/demo/slide.txt examples/demo/music.mid "$stage/example/show/"
  cp "$1/bin/projector6.exe" "$stage/example/show/player.exe"
  cp examples/demo/demo.ico "$stage/example/"
  rm -f "$2"
  python3 scripts/deterministic-zip.py "$2" "$stage" "$epoch"
  rm -rf "$stage"
}

echo "== building the release $version (build/release; log: build/release.log)"
build build/release i686
strings -el build/release/bin/runner.exe | grep -qx "$version" ||
  { echo "release: runner.exe carries no version $version" >&2; exit 1; }
mkdir -p dist
package build/release "dist/$name.zip"
(cd dist && sha256sum "$name.zip" >"$name.zip.sha256")
echo "== dist/$name.zip: $(stat -c %s "dist/$name.zip") bytes, sha256 $(cut -d' ' -f1 "dist/$name.zip.sha256")"
for program in "${shipped[@]}"; do echo "   $program: $(stat -c %s "build/release/bin/$program") bytes"; done

if [ "$(scripts/windows-arch.sh)" != i686 ]; then
  echo "== the same release for x86_64, which this machine's tests run (build/release-x86_64)"
  build build/release-x86_64 x86_64
fi

if [ $check -eq 1 ]; then
  echo "== building it again from nothing in build/release-again to compare"
  rm -rf build/release-again
  build build/release-again i686
  package build/release-again build/release-again.zip
  if ! cmp -s "dist/$name.zip" build/release-again.zip; then
    for program in "${shipped[@]}"; do
      cmp -s "build/release/bin/$program" "build/release-again/bin/$program" || echo "release: $program differs" >&2
    done
    echo "release: NOT REPRODUCIBLE: two builds of the same commit gave different packages" >&2
    exit 1
  fi
  echo "== reproducible: the second build gave the same bytes"
fi
