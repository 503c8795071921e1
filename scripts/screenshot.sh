#!/usr/bin/env bash
# Starts the built program on a virtual X display and saves a picture of its window.
#   scripts/screenshot.sh [OUT.png] [--in-use]   (default: docs/screenshot.png)
# --in-use points at a character and lists the prompt before the picture is taken.
# The build directory is $QX_BUILD_DIR or build/. Needs xvfb, xauth, x11-utils and xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshot.png in_use=0
for arg in "$@"; do
    case $arg in
    --in-use) in_use=1 ;;
    *) out=$arg ;;
    esac
done
out=$(realpath -m "$out")
build=$(realpath "${QX_BUILD_DIR:-build}")
export QX_SHOT_OUT=$out QX_SHOT_BUILD=$build QX_SHOT_IN_USE=$in_use
xvfb-run -a -s "-screen 0 800x600x24 -noreset" bash -c '
    set -euo pipefail
    # A runtime folder of its own (for the one-copy lock), removed with the program.
    export XDG_RUNTIME_DIR=$(mktemp -d)
    previous=$(mktemp --suffix=.png)
    "$QX_SHOT_BUILD/app/quilldex2" & app=$!
    trap "kill $app 2>/dev/null || true; wait $app 2>/dev/null || true; rm -rf \"\$XDG_RUNTIME_DIR\" \"\$previous\"" EXIT
    info=""
    for _ in $(seq 100); do
        info=$(xwininfo -name "Quilldex 2" 2>/dev/null) && break
        sleep 0.1
    done
    [ -n "$info" ] || { echo "the window did not appear" >&2; exit 1; }
    field() { printf "%s\n" "$info" | sed -n "s/^ *$1: *\(-\?[0-9]*\).*/\1/p"; }
    x=$(field "Absolute upper-left X") y=$(field "Absolute upper-left Y")
    if [ "$QX_SHOT_IN_USE" = 1 ]; then
        # Over the bare window, press and release the analyse button, then point at the
        # sixth character of the prompt.
        xdotool mousemove $((x + 250)) $((y + 170)) sleep 0.2
        xdotool mousemove $((x + 440)) $((y + 30)) click 1 sleep 0.5
        xdotool mousemove $((x + 250)) $((y + 30)) sleep 0.2
        xdotool mousemove $((x + 106)) $((y + 34)) sleep 0.2
        info=$(xwininfo -name "Quilldex 2")
    fi
    # Grab until two pictures half a second apart agree: the window has finished painting,
    # however busy the machine is.
    sleep 0.5
    for _ in $(seq 20); do
        sleep 0.5
        "$QX_SHOT_BUILD/tools/screenshot/qx-screenshot" "$QX_SHOT_OUT" "$x" "$y" \
            "$(field Width)" "$(field Height)"
        cmp -s "$QX_SHOT_OUT" "$previous" && break
        cp "$QX_SHOT_OUT" "$previous"
    done
'
echo "saved $out"
