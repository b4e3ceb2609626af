#!/bin/sh
# Photographs the Reelvane window on a virtual X display: page "One", its balloon
# hint, page "Two" with a partition chosen, page "Three" after a finished recovery
# and page "Four" with a drive chosen.
#
#   docs/screenshots.sh [BUILD_DIR [OUTDIR]]     (defaults: build, docs/screenshots)
#
# The program runs as a user would start it, on a sample camera card: a copy of
# tests/fixtures/sysroot-camera whose dev/sdc1 is a FAT16 image holding the Panasonic
# sample clip, with dev/sdc the card around it. REELVANE_SYSROOT points the program
# at that tree; xdotool clicks the buttons and types the destination into the folder
# dialog. Needs Xvfb, xdotool and ImageMagick (import, convert). There is no window
# manager, so the window has no frame: the pictures show its 950 x 573 client area
# and the menu bar above it.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
out=${2:-$here/docs/screenshots}
program=$build/src/app/reelvane
display=:${SCREENSHOT_DISPLAY:-99}

for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is not installed" >&2; exit 1; }
done
[ -x "$program" ] || { echo "screenshots.sh: no program at $program (build it first)" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/reelvane-sample-card.XXXXXX")
xvfb_pid=
app_pid=
finish() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT INT TERM

# The sample card: a 4 MiB partition at sector 2048 of a 5 MiB card. A fixture that
# has no whole-card image yet gets one made around its partition.
root=$work/root
cp -R "$here/tests/fixtures/sysroot-camera" "$root"
chmod -R u+w "$root"
if [ ! -f "$root/dev/sdc" ]; then
    disk=$root/sys/block/sdc
    sectors=$(($(wc -c <"$root/dev/sdc1") / 512))
    echo $((2048 + sectors)) >"$disk/size"
    echo 2048 >"$disk/sdc1/start"
    echo "$sectors" >"$disk/sdc1/size"
    { head -c 1048576 /dev/zero; cat "$root/dev/sdc1"; } >"$root/dev/sdc"
fi
rescue=$work/rescue
mkdir -p "$rescue"

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
tries=0
until xdotool getmouselocation >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -lt 50 ] || { echo "screenshots.sh: Xvfb did not start on $display" >&2; exit 1; }
    sleep 0.1
done

# Waits until a visible window's title matches $1 and prints its id.
window_named() {
    tries=0
    while :; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return; }
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || { echo "screenshots.sh: no window \"$1\"" >&2; exit 1; }
        sleep 0.1
    done
}
# Saves the window (or, with a geometry, that part of the screen) as a small PNG.
shoot() {
    sleep 0.5
    if [ $# -gt 2 ]; then
        import -window root -crop "$3" +repage "$work/shot.png"
    else
        import -window "$2" "$work/shot.png"
    fi
    convert "$work/shot.png" -strip -colors 255 "PNG8:$out/$1.png"
    echo "$out/$1.png"
}
park() { xdotool mousemove 1 1; sleep 0.3; }
# A real pointer glides onto a control; xdotool jumps. Two small moves before the
# press let the page that has just come on screen see the pointer arrive (a press
# after a single jump onto a fresh list is otherwise lost).
click() {
    xdotool mousemove --window "$main" $(($1 + 4)) $(($2 + 3))
    sleep 0.3
    xdotool mousemove --window "$main" "$1" "$2"
    sleep 0.3
    xdotool click 1
    sleep 0.8
}

park
runtime=$work/runtime
mkdir -m 700 "$runtime"
XDG_RUNTIME_DIR=$runtime REELVANE_SYSROOT=$root "$program" >"$work/reelvane.log" 2>&1 &
app_pid=$!
main=$(window_named '^Reelvane$')
# Without a window manager nothing activates the window; balloon hints and the
# keyboard need it active.
xdotool windowfocus "$main"
sleep 1

# Places in window coordinates: the menu bar, then the banner (113 high), then the
# wizard page.
eval "$(xdotool getwindowgeometry --shell "$main")"
menu=$((HEIGHT - 573))
page=$((menu + 113))
screen_box=${WIDTH}x${HEIGHT}+${X}+${Y}

shoot page-one "$main"

# The balloon hint of "Logical Partitions" and the hint line below the buttons.
xdotool mousemove --window "$main" 150 $((page + 100))
sleep 1.5
shoot page-one-hint root "$screen_box"

# Page "Two": the partition list, the card's partition chosen.
click 476 $((page + 116))
click 300 $((page + 55))
park
shoot page-two "$main"

# "Next": the folder dialog; the destination is typed into it and the run goes.
click 892 $((page + 399))
dialog=$(window_named 'Please select save path')
xdotool windowfocus "$dialog"
sleep 0.3
xdotool type --delay 10 "$rescue"
xdotool key Return
tries=0
until [ -s "$rescue/0.MTS" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 200 ] || { echo "screenshots.sh: the run wrote no file" >&2; exit 1; }
    sleep 0.1
done
sleep 1
park
shoot page-three-finished-run "$main"

# "Back" twice, then "Physical Hard Drives": page "Four" with the card's drive chosen.
click 84 $((page + 296))
click 60 $((page + 399))
click 476 $((page + 284))
click 300 $((page + 55))
park
shoot page-four "$main"

echo "recovered from the sample card: $(ls "$rescue")"
