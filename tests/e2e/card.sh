# Shared by the end-to-end tests: makes a formatted camera card with real clips on it.
#
#   make_card WORK FIXTURES   creates WORK/card.img (a 64 MiB FAT32 card, quick-formatted
#                             again after the clips were written) and WORK/expected/,
#                             the files the recovery must give back, in the names it
#                             must give them.
#
# The card is laid out as a camcorder writes one: each clip in PRIVATE/AVCHD/BDMV/STREAM,
# followed on disk by its small clip-information file in CLIPINF, so that no two clips
# touch. Clips are ffmpeg-made MPEG-2 with audio in 192-byte packets (-muxrate keeps the
# arrival time stamps steady); the two real camera samples sit between them.

skip() { echo "SKIPPED: $*"; exit 77; }

need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed (scripts/install-deps.sh installs it)"
  done
}

# make_clip FILE SECONDS: a clip whose size is a whole number of 1536-byte groups, as
# a camera's clips are (ffmpeg's 192-byte mode pads to 6144 bytes already; the check
# keeps the test honest if that ever changes).
make_clip() {
  ffmpeg -nostdin -v error -y -f lavfi -i "testsrc=size=320x240:rate=25" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000" -t "$2" \
    -c:v mpeg2video -b:v 2M -c:a mp2 -f mpegts -mpegts_m2ts_mode 1 -muxrate 3M "$1"
  local size
  size=$(stat -c %s "$1")
  if (( size % 1536 != 0 )); then
    echo "ffmpeg made a clip of $size bytes, not a whole number of 1536-byte groups" >&2
    exit 1
  fi
}

# clip_info FILE N: a small clip-information file (text, never video).
clip_info() {
  printf 'HDMV0200 clip %05d information written after the clip\n' "$2" > "$1"
}

make_card() {
  local work=$1 fixtures=$2
  local img=$work/card.img
  mkdir -p "$work/clips" "$work/expected"
  make_clip "$work/clips/00000.MTS" 3
  make_clip "$work/clips/00001.MTS" 4
  cp "$fixtures/Panasonic_AG_HMC_151.MTS" "$work/clips/00002.MTS"
  cp "$fixtures/Canon_M2TS.mts" "$work/clips/00003.MTS"
  make_clip "$work/clips/00004.MTS" 6

  rm -f "$img"
  mkfs.vfat -F 32 -n CAMERA -C "$img" 65536 >/dev/null
  export MTOOLS_SKIP_CHECK=1
  mmd -i "$img" ::PRIVATE ::PRIVATE/AVCHD ::PRIVATE/AVCHD/BDMV \
    ::PRIVATE/AVCHD/BDMV/STREAM ::PRIVATE/AVCHD/BDMV/CLIPINF
  local n
  for n in 0 1 2 3 4; do
    clip_info "$work/clips/0000$n.CPI" "$n"
    mcopy -i "$img" "$work/clips/0000$n.MTS" ::PRIVATE/AVCHD/BDMV/STREAM/
    mcopy -i "$img" "$work/clips/0000$n.CPI" ::PRIVATE/AVCHD/BDMV/CLIPINF/
  done
  # The card is formatted again, as by a camera's "format" menu: the clips' bytes stay,
  # every trace of the files is gone.
  mkfs.vfat -F 32 -n CAMERA "$img" >/dev/null
  if mdir -i "$img" ::PRIVATE >/dev/null 2>&1; then
    echo "the card still lists its files after formatting" >&2
    exit 1
  fi

  # What comes back, numbered by fragment in disk order: the three clips whole, the
  # Panasonic sample as its five recognised 1536-byte groups (7680 bytes), the Canon
  # sample not at all (one group is too little for a file), so there is no 3.MTS.
  cp "$work/clips/00000.MTS" "$work/expected/0.MTS"
  cp "$work/clips/00001.MTS" "$work/expected/1.MTS"
  head -c 7680 "$work/clips/00002.MTS" > "$work/expected/2.MTS"
  cp "$work/clips/00004.MTS" "$work/expected/4.MTS"
}

# same_files EXPECTED GOT: every expected file is in GOT byte for byte, and GOT holds
# nothing else.
same_files() {
  local expected=$1 got=$2 f ok=0
  for f in "$expected"/*; do
    if ! cmp "$f" "$got/$(basename "$f")"; then ok=1; fi
  done
  local want have
  want=$(cd "$expected" && ls | sort | tr '\n' ' ')
  have=$(cd "$got" && ls | sort | tr '\n' ' ')
  if [[ $want != "$have" ]]; then
    echo "expected the files $want, got $have" >&2
    ok=1
  fi
  return $ok
}
