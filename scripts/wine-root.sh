#!/usr/bin/env bash
# Makes the Wine that runs every Windows program here, once: a Debian 13
# (trixie) root in build/wine-root with Wine 10 for 32-bit prefixes, from the
# Debian archive this machine already uses. Debian 12's own Wine 8.0 does not
# draw a window whose top-level parent belongs to another process, so a
# viewer would see the runner's frame around a black client area.
#   wine-root.sh          prints the root's path; makes it first if needed
# A root whose making was cut short is made again. Every mount it needs is
# made in a mount namespace of its own and undone on the way out.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
root=$top/build/wine-root
ready=$root/.vnx-ready
# libxi6: without XInput2 Wine 10 cannot grab the pointer, and its refusal
# re-arms the cursor clipping it gives every full-screen foreground window:
# the window's thread then spins in that loop and never handles another
# message (a projector switched to full screen hangs the fitting).
# The 32-bit Wine runs the 32-bit programs; on a machine that runs no 32-bit
# code the 64-bit Wine runs the 64-bit build (scripts/windows-arch.sh).
case $("$here/windows-arch.sh") in
  i686) packages=(wine wine32:i386 fonts-wine libxi6:i386) ;;
  *) packages=(wine wine64 fonts-wine libxi6) ;;
esac

# The Debian archive of this machine's own apt sources; none found stops the
# script: the root comes from where this machine gets its packages, or not at
# all.
debian_archive() {
  local found
  found=$({
    grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | awk '{ for (i = 2; i <= NF; i++) print $i }' || true
    grep -hs '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
      awk '{ for (i = 2; i <= NF; i++) if ($i ~ /^https?:/) { print $i; break } }' || true
  } | grep -E '^https?://[^ ]*/debian/?$' | head -1) || true
  if [ -z "$found" ]; then
    echo "wine-root: no Debian archive (an http(s) URI ending in /debian) in this machine's apt sources" \
      "(/etc/apt/sources.list, /etc/apt/sources.list.d/); add the one this machine uses and run again" >&2
    return 1
  fi
  echo "$found"
}

# Inside the namespace: installs the packages into the root.
install_packages() {
  . "$here/root-mounts.sh"
  trap unmount_recorded EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  mount_system_into "$root"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
  in_root dpkg --add-architecture i386
  in_root apt-get update -qq
  in_root apt-get install -y -qq --no-install-recommends "${packages[@]}"
  # Where both are there Wine's launcher takes the 32-bit Wine.
  [[ " ${packages[*]} " == *" wine64 "* ]] && in_root apt-get remove -y -qq wine32:i386
  in_root apt-get clean
}

if [ "${1:-}" = --install-packages ]; then
  install_packages
  exit 0
fi

if [ "$(cat "$ready" 2>/dev/null)" = "${packages[*]}" ]; then
  echo "$root"
  exit 0
fi
[ "$(id -u)" -eq 0 ] || { echo "wine-root: making build/wine-root needs root (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "wine-root: debootstrap is missing; run scripts/install-deps.sh" >&2; exit 1; }

mkdir -p "$top/build"
exec 9>"$top/build/wine-root.lock"
flock 9  # another command of this tree may be making it right now
if [ "$(cat "$ready" 2>/dev/null)" = "${packages[*]}" ]; then
  echo "$root"
  exit 0
fi

log=$top/build/wine-root.log
: >"$log"
started=$SECONDS
if [ ! -x "$root/usr/bin/apt-get" ] || [ -e "$root/debootstrap" ]; then
  if [ -e "$root" ]; then
    if findmnt -rno TARGET | grep -q "^$root\(/\|$\)"; then
      echo "wine-root: something is mounted under $root; not removing it" >&2
      exit 1
    fi
    echo "== removing the unfinished Wine root build/wine-root" >&2
    rm -rf "$root"
  fi
  archive=$(debian_archive)
  echo "== making the Wine root build/wine-root: Debian 13 (trixie) from $archive (once, a minute or two; log: build/wine-root.log)" >&2
  unshare --mount --propagation private \
    debootstrap --variant=minbase --arch=amd64 trixie "$root" "$archive" >>"$log" 2>&1 ||
    { tail -20 "$log" >&2; echo "wine-root: debootstrap failed" >&2; exit 1; }
fi
echo "== installing into it: ${packages[*]}" >&2
unshare --mount --propagation private "$0" --install-packages >>"$log" 2>&1 ||
  { tail -20 "$log" >&2; echo "wine-root: installing Wine into the root failed" >&2; exit 1; }
version=$(chroot "$root" dpkg-query -W -f='${Version}' wine)
echo "${packages[*]}" >"$ready"
echo "== the Wine root is ready: Wine $version, $(du -sh "$root" | cut -f1), made in $((SECONDS - started)) s" >&2
echo "$root"
