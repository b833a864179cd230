# shellcheck shell=bash
# Mounts into a chroot, sourced by the scripts that use build/wine-root.
# Each mount is recorded as it is made and unmount_recorded undoes them in
# reverse order. The callers run in a mount namespace of their own
# (unshare --mount --propagation private), so no mount is seen outside the
# command even for a moment, and they call unmount_recorded from an EXIT trap
# so that none outlives it either, also on failure or Ctrl-C.

mounted=()

# mount_recorded TARGET MOUNT-ARGUMENTS...
mount_recorded() {
  local target=$1
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted+=("$target")
}

# What programs in the root expect of a running system: processes, devices,
# a pseudo-terminal file system, shared memory and sysfs.
mount_system_into() {  # ROOT
  mount_recorded "$1/proc" -t proc proc
  mount_recorded "$1/sys" -t sysfs sysfs -o ro
  mount_recorded "$1/dev" --bind /dev
  mount_recorded "$1/dev/pts" --bind /dev/pts
  mount_recorded "$1/dev/shm" --bind /dev/shm
}

# Undoes every recorded mount, newest first; says which could not be undone.
unmount_recorded() {
  local i status=0
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" || { echo "could not unmount ${mounted[i]}" >&2; status=1; }
  done
  mounted=()
  return $status
}
