#!/usr/bin/env bash
# A formatted FAT32 camera card image: reelvane-carve gives back every clip byte for
# byte, and logs as the window does.
#   recover_formatted_card.sh CARVER FIXTURES WORKDIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/card.sh"
carver=$1 fixtures=$2 work=$3/formatted-card
need_tools ffmpeg mkfs.vfat mcopy mmd mdir
rm -rf "$work" && mkdir -p "$work/out"
make_card "$work" "$fixtures"

"$carver" "$work/card.img" "$work/out" > "$work/log" 2> "$work/err" || {
  echo "reelvane-carve failed:"; cat "$work/err"; exit 1; }
same_files "$work/expected" "$work/out"

expected_kb=$(( ( $(cat "$work"/expected/* | wc -c) ) ))
stamp='[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}'
grep -Eq "^$stamp : Recovering\.\.\.!$" "$work/log" || { cat "$work/log"; exit 1; }
grep -Eq "^$stamp : Approx [0-9.]+(KB|MB) data recovered!$" "$work/log" || { cat "$work/log"; exit 1; }
echo "recovered $(ls "$work/out" | wc -l) files, $expected_kb bytes, all byte-identical"
rm -rf "$work"
