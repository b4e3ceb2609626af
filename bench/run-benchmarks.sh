#!/usr/bin/env bash
# Runs Reelvane's benchmarks and prints every figure against a baseline measured in
# the same run. Builds nothing: build the project first, for example
#
#   cmake -S . -B build -G Ninja && cmake --build build
#   bench/run-benchmarks.sh [--build-dir DIR] [WORKDIR]
#
# The build folder is --build-dir, else $REELVANE_BUILD_DIR, else ./build of the
# checkout. The images (1 GiB, then 4 GiB) and the carving's files go into a fresh
# folder inside WORKDIR (default: /tmp), which is removed at the end, also on Ctrl-C.
# REELVANE_BENCH_SCAN_MIB and REELVANE_BENCH_MEMORY_MIB change the two image sizes
# (default 1024 and 4096) for a quick look; the targets are meant for the defaults.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${REELVANE_BUILD_DIR:-$here/../build}
workdir=/tmp
while [[ $# -gt 0 ]]; do
  case $1 in
    --build-dir) build=${2:?--build-dir needs a folder}; shift 2 ;;
    --build-dir=*) build=${1#*=}; shift ;;
    -h|--help) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "run-benchmarks.sh: unknown option $1" >&2; exit 2 ;;
    *) workdir=$1; shift ;;
  esac
done

scan_mib=${REELVANE_BENCH_SCAN_MIB:-1024}
memory_mib=${REELVANE_BENCH_MEMORY_MIB:-4096}

bin=$build/bench
carver=$build/src/cli/reelvane-carve
for program in "$bin"/reelvane-bench-{image,scan,memory,carve,events} "$carver"; do
  if [[ ! -x $program ]]; then
    echo "run-benchmarks.sh: $program is missing; build first (cmake --build $build)" >&2
    exit 1
  fi
done

mkdir -p "$workdir"
run=$(mktemp -d "$workdir/reelvane-bench.XXXXXX")
cleanup() { rm -rf -- "$run"; }
trap cleanup EXIT
trap 'exit 130' INT TERM

# Room for both images at once, or for the 1 GiB image with the carving's files and
# the copy cp makes (about three times the image).
need_kib=$(( (memory_mib + scan_mib > 3 * scan_mib ? memory_mib + scan_mib : 3 * scan_mib) * 1024 + 256 * 1024 ))
free_kib=$(df -Pk "$run" | awk 'NR == 2 { print $4 }')
if (( free_kib < need_kib )); then
  echo "run-benchmarks.sh: $run has $((free_kib / 1024)) MiB free, the benchmarks need $((need_kib / 1024)) MiB" >&2
  exit 1
fi

start=$(date +%s)
echo "Reelvane benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "  machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo) RAM," \
     "$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1), kernel $(uname -r)"
echo "  images in $run ($(df -PT "$run" | awk 'NR == 2 { print $2 }')); build $build"
echo "  MB = 10^6 bytes; every ratio is engine / baseline of the same run"
echo

mkdir -p "$run/out" "$run/carve"
mixed=$run/mixed.img
video=$run/video.img
"$bin/reelvane-bench-image" --layout mixed --size $((scan_mib * 1048576)) "$mixed" | sed 's/^/  /'
echo
"$bin/reelvane-bench-scan" "$mixed" "$run/out"
echo
"$bin/reelvane-bench-image" --layout video --size $((memory_mib * 1048576)) "$video" | sed 's/^/  /'
echo
"$bin/reelvane-bench-memory" "$video" "$run/out"
rm -f -- "$video"
echo
"$bin/reelvane-bench-carve" --carver "$carver" "$mixed" "$run/carve"
echo
"$bin/reelvane-bench-events" "$mixed" "$run/out"
rm -f -- "$mixed"
echo
echo "All benchmarks done in $(( $(date +%s) - start )) s."
