#!/usr/bin/env bash
# Makes a sample card image to try Reelvane on: a 64 MiB FAT32 camera card holding
# three ffmpeg-made clips and two pieces of real camcorder output, formatted again
# afterwards, so that nothing but Reelvane's kind of recovery can bring the clips back.
#
#   scripts/make-sample-card.sh [IMAGE]     (default: ./sample-card.img)
#
# The clips as they were before the format are left beside it in IMAGE.clips/, to
# compare with what the recovery gives back (IMAGE.clips/expected/ holds the files
# under the names the recovery gives them).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../tests/e2e/card.sh"
skip() { echo "make-sample-card.sh: $*" >&2; exit 1; }
image=${1:-sample-card.img}
need_tools ffmpeg mkfs.vfat mcopy mmd mdir
work=$image.clips
rm -rf "$work" && mkdir -p "$work"
make_card "$work" "$here/../tests/fixtures"
mv "$work/card.img" "$image"
echo "$image: a formatted 64 MiB card; the clips it held are in $work/expected"
