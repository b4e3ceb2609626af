#!/usr/bin/env bash
# As root, on real block devices:
#  - the card attached read-only with losetup -r is recovered byte for byte and the
#    card image is unchanged afterwards;
#  - a destination on a 4 MiB tmpfs fills up: the carving ends with the write error
#    naming the file, the files finished before are complete, no closing line follows;
#  - a destination on a file system mounted from the device being read is refused
#    before anything is written.
#   recover_as_root.sh CARVER FIXTURES WORKDIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/card.sh"
carver=$1 fixtures=$2 work=$3/as-root
[[ $(id -u) == 0 ]] || skip "needs root for loop devices and mounts (run as root, as CI does)"
need_tools ffmpeg mkfs.vfat mcopy mmd mdir losetup mount mkfs.ext4 sha256sum
rm -rf "$work" && mkdir -p "$work"

loops=() mounts=()
cleanup() {
  local m l
  for m in "${mounts[@]}"; do umount "$m" 2>/dev/null || true; done
  for l in "${loops[@]}"; do losetup -d "$l" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

attached=
attach() {   # attach IMAGE [-r]: sets $attached to the loop device (no subshell, so
             # the cleanup knows it)
  attached=$(losetup --find --show "${@:2}" "$1") || skip "no loop device can be attached here"
  loops+=("$attached")
}

make_card "$work" "$fixtures"
before=$(sha256sum < "$work/card.img")

echo "== the card on a read-only loop device"
attach "$work/card.img" -r
card=$attached
mkdir -p "$work/out"
"$carver" "$card" "$work/out" > "$work/log" 2> "$work/err" || {
  echo "reelvane-carve failed:"; cat "$work/err"; exit 1; }
same_files "$work/expected" "$work/out"
grep -q "data recovered!" "$work/log"
losetup -d "$card"; loops=()
[[ $(sha256sum < "$work/card.img") == "$before" ]] || { echo "the card image changed"; exit 1; }

echo "== a destination that fills up"
mkdir -p "$work/small"
mount -t tmpfs -o size=4m tmpfs "$work/small" || skip "tmpfs cannot be mounted here"
mounts+=("$work/small")
status=0
"$carver" "$work/card.img" "$work/small" > "$work/log" 2> "$work/err" || status=$?
cat "$work/err"
(( status != 0 )) || { echo "a full destination was reported as success"; exit 1; }
grep -q "Cannot write file \"$work/small/4.MTS\"" "$work/err"
grep -q "No space left on device" "$work/err"
for n in 0 1 2; do cmp "$work/expected/$n.MTS" "$work/small/$n.MTS"; done
if grep -Eq "recovered!|Not found" "$work/log"; then echo "a closing line followed the error"; exit 1; fi
umount "$work/small"; mounts=()

echo "== a destination on the device being read"
truncate -s 32M "$work/disk.img"
mkfs.ext4 -q "$work/disk.img"
attach "$work/disk.img"
disk=$attached
mkdir -p "$work/mnt"
mount "$disk" "$work/mnt" || skip "ext4 cannot be mounted here"
mounts+=("$work/mnt")
mkdir -p "$work/mnt/rescue"
status=0
"$carver" "$disk" "$work/mnt/rescue" > "$work/log" 2> "$work/err" || status=$?
cat "$work/err"
(( status != 0 )) || { echo "a destination on the source was accepted"; exit 1; }
grep -q "the device being recovered" "$work/err"
[[ -z $(ls -A "$work/mnt/rescue") ]] || { echo "something was written to the source"; exit 1; }
if grep -Eq "recovered!|Not found" "$work/log"; then echo "the refused run still closed as a run"; exit 1; fi
echo "all root checks passed"
