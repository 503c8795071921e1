#!/usr/bin/env bash
# The window's figures on a real X display with the input box focused: idle CPU after a paste, a
# hover until both labels are painted, a listing's time and peak memory. Starts a virtual display
# (Xvfb, with openbox when installed) and runs each case in a process of its own, so that a
# listing's peak memory is its own. The build directory is $QX_BUILD_DIR or build/.
#   bench/display.sh [REGEX]   (cases whose name matches REGEX; default all)
set -euo pipefail
cd "$(dirname "$0")/.."
export QX_BENCH=$(realpath "${QX_BUILD_DIR:-build}")/bench/window/display_bench QX_FILTER=${1:-.}
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    set -euo pipefail
    export XDG_RUNTIME_DIR=$(mktemp -d)
    trap "rm -rf \"\$XDG_RUNTIME_DIR\"" EXIT
    if command -v openbox >/dev/null; then
        openbox & wm=$!
        trap "kill $wm 2>/dev/null || true; wait $wm 2>/dev/null || true; rm -rf \"\$XDG_RUNTIME_DIR\"" EXIT
        sleep 0.5
    fi
    "$QX_BENCH" --benchmark_list_tests --benchmark_filter="$QX_FILTER" | while read -r name; do
        "$QX_BENCH" --benchmark_filter="^${name}\$" 2>&1 | grep -E "^(BM_|Load Average)"
    done
'
