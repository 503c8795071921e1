#!/usr/bin/env bash
# Starts the built program on a virtual X display and saves a picture of its window.
#   scripts/screenshot.sh [OUT.png]   (default: docs/screenshot.png)
# The build directory is $QX_BUILD_DIR or build/. Needs xvfb, xauth and x11-utils.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot.png}")
build=$(realpath "${QX_BUILD_DIR:-build}")
export QX_SHOT_OUT=$out QX_SHOT_BUILD=$build
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    set -euo pipefail
    export XDG_RUNTIME_DIR=$(mktemp -d)
    "$QX_SHOT_BUILD/app/quilldex2" & app=$!
    trap "kill $app 2>/dev/null || true" EXIT
    info=""
    for _ in $(seq 100); do
        info=$(xwininfo -name "Quilldex 2" 2>/dev/null) && break
        sleep 0.1
    done
    [ -n "$info" ] || { echo "the window did not appear" >&2; exit 1; }
    field() { printf "%s\n" "$info" | sed -n "s/^ *$1: *\(-\?[0-9]*\).*/\1/p"; }
    sleep 1 # let it paint
    "$QX_SHOT_BUILD/tools/screenshot/qx-screenshot" "$QX_SHOT_OUT" \
        "$(field "Absolute upper-left X")" "$(field "Absolute upper-left Y")" \
        "$(field Width)" "$(field Height)"
'
echo "saved $out"
